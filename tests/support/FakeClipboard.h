#pragma once

#include "engine/Clipboard.h"

#include <QHash>
#include <QList>
#include <QStringList>

#include <functional>
#include <optional>

namespace sorvu::test {

// A clipboard under the test's control. `afterRead` runs after every read and may change the content,
// the way another program can copy between two reads of one pass.
class FakeClipboard : public Clipboard {
public:
    qint64 count = 0;
    QList<QUrl> urls;
    QHash<QUrl, QString> photoNames;
    bool photoAuthorizationUndecided = false;
    QList<std::function<void()>> photoRequests;
    QList<ClipboardImageRef> imageList;
    QList<ClipboardImageRef> fileImages;
    std::optional<QString> text;
    bool writeSucceeds = true;
    QList<ClipboardItem> written;
    QStringList reads;
    std::function<void(const QString& read)> afterRead;

    // Another program takes the clipboard with new content.
    void copyText(const QString& value) {
        clearContent();
        text = value;
        ++count;
    }
    void copyImages(QList<ClipboardImageRef> images) {
        clearContent();
        imageList = std::move(images);
        ++count;
    }
    void copyFiles(QList<QUrl> files, QList<ClipboardImageRef> images = {}) {
        clearContent();
        urls = std::move(files);
        fileImages = std::move(images);
        ++count;
    }
    void copyNothingReadable() {
        clearContent();
        ++count;
    }
    void clearContent() {
        urls.clear();
        photoNames.clear();
        imageList.clear();
        fileImages.clear();
        text.reset();
    }

    qint64 changeCount() const override { return count; }
    QList<QUrl> fileURLs() override { return read(QStringLiteral("fileURLs"), urls); }
    QHash<QUrl, QString> photoAssetFilenames() override {
        return read(QStringLiteral("photoAssetFilenames"), photoNames);
    }
    bool needsPhotoAuthorization() override {
        return read(QStringLiteral("needsPhotoAuthorization"), photoAuthorizationUndecided && !urls.isEmpty());
    }
    void requestPhotoAuthorization(std::function<void()> completion) override {
        photoRequests.append(std::move(completion));
    }
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
        ++count;
        if (!writeSucceeds) {
            return false;
        }
        written.append(item);
        return true;
    }
    std::optional<QStringList> offeredTypes() const override { return std::nullopt; }

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
