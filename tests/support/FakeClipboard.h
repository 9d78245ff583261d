// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/Clipboard.h"

#include <QCoreApplication>
#include <QList>
#include <QStringList>

#include <functional>
#include <optional>

namespace sorvu::test {

// A clipboard under the test's control. `afterRead` runs after every read and may change the content,
// the way another program can copy between two reads of one pass.
class FakeClipboard : public Clipboard {
public:
    // Mutable: another program may copy at any moment, even while the count is being read.
    mutable qint64 count = 0;
    // Runs after each read of the count, once its value is taken.
    std::function<void()> afterCountRead;
    QList<QUrl> urls;
    QList<ClipboardImageRef> imageList;
    QList<ClipboardImageRef> fileImages;
    std::optional<QString> text;
    bool writeSucceeds = true;
    QList<ClipboardItem> written;
    QStringList reads;
    std::function<void(const QString& read)> afterRead;
    // Whether it tells the engine of its changes, as the system clipboard does; otherwise it is polled.
    bool notifies = false;
    std::function<void()> observer;
    int observerCalls = 0;
    bool tooLarge = false;
    bool secret = false;
    bool empty = false;
    bool kept = false;
    // The offered types; nothing stands for a clipboard that does not say.
    std::optional<QStringList> types;
    std::optional<SizeLimits> limits;

    // Another program takes the clipboard with new content.
    void copyText(const QString& value) {
        clearContent();
        text = value;
        changed();
    }
    void copyImages(QList<ClipboardImageRef> images) {
        clearContent();
        imageList = std::move(images);
        changed();
    }
    // The desktop takes the clipboard over with the content it holds, its program having quit.
    void keepCopy() {
        empty = false;
        kept = true;
        changed();
    }
    void copyFiles(QList<QUrl> files, QList<ClipboardImageRef> images = {}) {
        clearContent();
        urls = std::move(files);
        fileImages = std::move(images);
        changed();
    }
    void copyNothingReadable() {
        clearContent();
        changed();
    }
    // The owner exits: nothing is on the clipboard any more.
    void ownerExited() {
        clearContent();
        empty = true;
        changed();
    }
    // A copy too large to read: nothing readable, and the clipboard says why.
    void copyTooLarge() {
        clearContent();
        tooLarge = true;
        changed();
    }
    // Runs the action once, right after the named read: another program acting between two reads.
    void onceAfter(const QString& readName, std::function<void()> action) {
        afterRead = [this, readName, action = std::move(action)](const QString& read) {
            if (read == readName) {
                afterRead = nullptr;
                action();
            }
        };
    }

    // The count grows; a notifying clipboard tells its observer through the event loop.
    void changed() {
        ++count;
        if (notifies && observer) {
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [this] {
                    ++observerCalls;
                    observer();
                },
                Qt::QueuedConnection);
        }
    }
    void clearContent() {
        tooLarge = false;
        secret = false;
        empty = false;
        kept = false;
        types.reset();
        urls.clear();
        imageList.clear();
        fileImages.clear();
        text.reset();
    }

    qint64 changeCount() const override {
        const qint64 value = count;
        if (const auto hook = afterCountRead) {
            hook();
        }
        return value;
    }
    QList<QUrl> fileURLs() override { return read(QStringLiteral("fileURLs"), urls); }
    QList<ClipboardImageRef> images() override { return read(QStringLiteral("images"), imageList); }
    QList<ClipboardImageRef> imagesForFileURLs(const QList<QUrl>& requested) override {
        QList<ClipboardImageRef> result;
        for (qsizetype index = 0; index < requested.count(); ++index) {
            result.append(index < fileImages.count() ? fileImages.at(index) : nullptr);
        }
        return read(QStringLiteral("imagesForFileURLs"), result);
    }
    std::optional<QString> plainText() override { return read(QStringLiteral("plainText"), text); }
    bool write(const ClipboardItem& item) override {
        clearContent();
        changed();
        if (!writeSucceeds) {
            return false;
        }
        written.append(item);
        return true;
    }
    // Not a read of the content: it is asked before anything is read.
    bool isEmpty() override { return empty; }
    bool isKeptCopy() override { return kept; }
    std::optional<QStringList> offeredTypes() const override { return types; }
    bool observeChanges(std::function<void()> newObserver) override {
        observer = std::move(newObserver);
        return notifies;
    }
    bool isContentTooLarge() const override { return tooLarge; }
    bool isSecret() override { return read(QStringLiteral("isSecret"), secret); }
    void setSizeLimits(const SizeLimits& newLimits) override { limits = newLimits; }

private:
    template <typename T> T read(const QString& name, T value) {
        reads.append(name);
        // A copy, so that the hook may replace or clear itself while it runs.
        if (const auto hook = afterRead) {
            hook(name);
        }
        return value;
    }
};

} // namespace sorvu::test
