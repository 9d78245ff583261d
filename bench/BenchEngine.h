// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/ClipboardQueue.h"

#include <QSettings>
#include <QTemporaryDir>

namespace sorvu::bench {

// A clipboard whose content changes only when the benchmark says so.
class StillClipboard : public Clipboard {
public:
    qint64 count = 0;
    QString text;
    QList<QUrl> urls;

    qint64 changeCount() const override { return count; }
    QList<QUrl> fileURLs() override { return urls; }
    QHash<QUrl, QString> photoAssetFilenames() override { return {}; }
    bool needsPhotoAuthorization() override { return false; }
    void requestPhotoAuthorization(std::function<void()>) override {}
    QList<ClipboardImageRef> images() override { return {}; }
    QList<ClipboardImageRef> imagesForFileURLs(const QList<QUrl>& requested) override {
        return QList<ClipboardImageRef>(requested.size());
    }
    std::optional<QString> plainText() override { return text; }
    bool write(const ClipboardItem&) override { return ++count, true; }
    std::optional<QStringList> offeredTypes() const override { return std::nullopt; }
    bool observeChanges(std::function<void()>) override { return false; }
    bool isContentTooLarge() const override { return false; }
    bool isSecret() override { return false; }
    void setSizeLimits(const SizeLimits&) override {}
};

class NoLoginItem : public LaunchAtLogin {
public:
    int systemStatusValue() const override { return 0; }
    std::optional<SystemError> registerLoginItem() override { return std::nullopt; }
    std::optional<SystemError> unregisterLoginItem() override { return std::nullopt; }
};

// An engine's dependencies over the clipboard, with its storage and settings in the temporary folder.
inline ClipboardQueue::Dependencies engineDependencies(const QTemporaryDir& temporary,
                                                       std::shared_ptr<Clipboard> clipboard) {
    ClipboardQueue::Dependencies dependencies;
    dependencies.clipboard = std::move(clipboard);
    dependencies.clipboardFilesDirectory = temporary.filePath(QStringLiteral("ClipboardFiles"));
    dependencies.pasteKeystroke = [] { return std::optional<ClipboardQueue::PostEvents>([] {}); };
    dependencies.scheduleCleanup = [](double, std::function<void()>) {};
    dependencies.inputAccessCheck = [] { return true; };
    dependencies.launchAtLogin = std::make_shared<NoLoginItem>();
    dependencies.settings =
        std::make_shared<QSettings>(temporary.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    return dependencies;
}

} // namespace sorvu::bench
