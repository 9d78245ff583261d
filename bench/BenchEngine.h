// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/Clipboard.h"
#include "engine/ClipboardCollector.h"
#include "engine/ClipboardQueue.h"
#include "engine/PasteOutput.h"

#include <QSettings>
#include <QTemporaryDir>

namespace sorvu::bench {

// A clipboard whose content changes only when the benchmark says so.
class StillClipboard : public Clipboard {
public:
    qint64 count = 0;
    QString text;
    QList<QUrl> urls;
    QList<ClipboardImageRef> imageList;

    qint64 changeCount() const override { return count; }
    bool isEmpty() override { return false; }
    QList<QUrl> fileURLs() override { return urls; }
    QList<ClipboardImageRef> images() override { return imageList; }
    QList<ClipboardImageRef> imagesForFileURLs(const QList<QUrl>& requested) override {
        return QList<ClipboardImageRef>(requested.size());
    }
    std::optional<QString> plainText() override { return text; }
    bool write(const ClipboardItem&) override { return ++count, true; }
    std::optional<QStringList> offeredTypes() const override { return std::nullopt; }
    bool observeChanges(std::function<void()>) override { return false; }
    bool isContentTooLarge() const override { return false; }
    bool isSecret() override { return false; }
    bool isKeptCopy() override { return false; }
    void setSizeLimits(const SizeLimits&) override {}
};

// Keys that go nowhere: the benchmarks measure the engine, not a target program.
class NoPasteOutput : public PasteOutput {
public:
    bool canPostKeys() override { return true; }
    std::optional<WindowClass> recipientClass() override { return std::nullopt; }
    bool canPost(PasteKeys) override { return true; }
    void post(PasteKeys) override {}
};

// An engine's dependencies over the clipboard, with its storage in the temporary folder.
inline ClipboardQueue::Dependencies engineDependencies(const QTemporaryDir& temporary,
                                                       std::shared_ptr<Clipboard> clipboard) {
    ClipboardQueue::Dependencies dependencies;
    dependencies.clipboard = std::move(clipboard);
    dependencies.pasteOutput = std::make_shared<NoPasteOutput>();
    dependencies.clipboardFilesDirectory = temporary.filePath(QStringLiteral("ClipboardFiles"));
    dependencies.scheduleCleanup = [](double, std::function<void()>) {};
    return dependencies;
}

} // namespace sorvu::bench
