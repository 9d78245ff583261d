// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/ClipboardImage.h"
#include "engine/ClipboardItem.h"

#include <QList>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>

namespace sorvu {

// What the engine needs of a clipboard. Every read may be a round trip to another program, so the
// engine checks `changeCount` after each read to notice a copy that happened in between.
class Clipboard {
public:
    virtual ~Clipboard() = default;

    // Grows by at least one with every new content, including our own writes, and when the clipboard is
    // emptied.
    virtual qint64 changeCount() const = 0;
    // Whether the clipboard holds nothing: the program that owned it exited or gave it up, and none has taken
    // it since. No copy was made.
    virtual bool isEmpty() = 0;

    // Local file URLs on the clipboard; empty when there are none or anything else is offered as URLs.
    virtual QList<QUrl> fileURLs() = 0;
    virtual QList<ClipboardImageRef> images() = 0;
    // One result per URL, in order; a null reference where no image stands for that file.
    virtual QList<ClipboardImageRef> imagesForFileURLs(const QList<QUrl>& urls) = 0;
    virtual std::optional<QString> plainText() = 0;

    // Replaces the clipboard's content with the item. False when the clipboard could not be taken.
    virtual bool write(const ClipboardItem& item) = 0;

    // The offered type names, for diagnostics and to tell an image that could not be read from no image;
    // nothing for a clipboard that is not the system's.
    virtual std::optional<QStringList> offeredTypes() const = 0;

    // Calls the observer through the event loop, never from inside another call of this interface, once
    // the change count has grown. False when this clipboard cannot tell: the engine then polls it.
    virtual bool observeChanges(std::function<void()> observer) = 0;

    // Whether the current content was left unread because it is larger than the limit of its kind.
    virtual bool isContentTooLarge() const = 0;

    // Whether the program that copied marked the content as a secret (a password manager does): it must
    // be neither read nor kept.
    virtual bool isSecret() = 0;

    // Whether the current content is the one before, which the desktop took over when the program that copied
    // it quit: a change of the clipboard, but no copy.
    virtual bool isKeptCopy() = 0;

    // The most bytes one entry may take: texts (and file lists) and images. Larger content is not read.
    struct SizeLimits {
        qint64 textBytes = qint64(64) << 20;
        qint64 imageBytes = qint64(256) << 20;
    };
    virtual void setSizeLimits(const SizeLimits& limits) = 0;
};

} // namespace sorvu
