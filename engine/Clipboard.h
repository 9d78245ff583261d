#pragma once

#include "engine/ClipboardImage.h"
#include "engine/ClipboardItem.h"

#include <QHash>
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

    // Grows by at least one with every new content, including our own writes.
    virtual qint64 changeCount() const = 0;

    // Local file URLs on the clipboard; empty when there are none or anything else is offered as URLs.
    virtual QList<QUrl> fileURLs() = 0;
    // Names that a photo library gives to the offered files, by file URL.
    virtual QHash<QUrl, QString> photoAssetFilenames() = 0;
    virtual bool needsPhotoAuthorization() = 0;
    // The completion may run on any thread.
    virtual void requestPhotoAuthorization(std::function<void()> completion) = 0;
    virtual QList<ClipboardImageRef> images() = 0;
    // One result per URL, in order; a null reference where no image stands for that file.
    virtual QList<ClipboardImageRef> imagesForFileURLs(const QList<QUrl>& urls) = 0;
    virtual std::optional<QString> plainText() = 0;

    // Replaces the clipboard's content with the item. False when the clipboard could not be taken.
    virtual bool write(const ClipboardItem& item) = 0;

    // The offered type names, for diagnostics; nothing for a clipboard that is not the system's.
    virtual std::optional<QStringList> offeredTypes() const = 0;
};

} // namespace sorvu
