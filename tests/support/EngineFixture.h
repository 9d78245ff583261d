// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/ClipboardCollector.h"
#include "engine/ClipboardQueue.h"
#include "engine/QueuePaster.h"
#include "tests/support/FakeClipboard.h"
#include "tests/support/FakePasteOutput.h"
#include "tests/support/ManualScheduler.h"
#include "tests/support/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sorvu::test {

// An engine over fakes, with its storage and settings in a fresh temporary directory.
class EngineFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_temporary.isValid());
        storageRoot = m_temporary.filePath(QStringLiteral("data/Sorvu/ClipboardFiles"));
        sourceDirectory = m_temporary.filePath(QStringLiteral("sources"));
        ASSERT_TRUE(QDir().mkpath(sourceDirectory));
        settings =
            std::make_shared<QSettings>(m_temporary.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    }

    ClipboardQueue& makeQueue() {
        queue = makeEngine();
        return *queue;
    }

    // An engine over the fixture's fakes and storage; another one is another running Sorvu.
    std::unique_ptr<ClipboardQueue> makeEngine() {
        ClipboardQueue::Dependencies dependencies;
        dependencies.clipboard = clipboard;
        dependencies.pasteOutput = output;
        dependencies.clipboardFilesDirectory = storageRoot;
        // Unless the test names the session, each engine is a Sorvu of a session of its own.
        dependencies.sessionKey = sessionKey.value_or(QUuid::createUuid().toString());
        dependencies.scheduleCleanup = scheduler.function();
        dependencies.maximumFileBytes = maximumFileBytes;
        dependencies.runInBackground = runInBackground;
        dependencies.quitRemovalBudget = quitRemovalBudget;
        return std::make_unique<ClipboardQueue>(std::move(dependencies));
    }

    // A real file under the sources directory.
    QUrl makeSourceFile(const QString& relativePath, const QByteArray& contents = "contents") {
        const QString path = sourceDirectory + QLatin1Char('/') + relativePath;
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
        return QUrl::fromLocalFile(path);
    }

    static QByteArray readFile(const QUrl& url) {
        QFile file(url.toLocalFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The entries in the engine's own folder of the storage.
    QStringList storageEntries() const { return entriesOf(queue->files().instancePath()); }
    // What the shared storage root holds: the tag and the folders of instances.
    QStringList rootEntries() const { return entriesOf(storageRoot); }
    // Sorted the way QStringList sorts, so that a test compares with a list it sorted itself.
    static QStringList entriesOf(const QString& folder) {
        QStringList entries =
            QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        entries.sort();
        return entries;
    }

    static ClipboardImageRef makeImage(int width = 4, int height = 3) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::red);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return ClipboardImage::fromEncoded(bytes, QStringLiteral("image/png"));
    }

    // Collects the texts one copy at a time, as if the user had copied them.
    void collectTexts(const QStringList& texts) {
        if (!queue->isCollecting()) {
            queue->toggleCollecting();
        }
        for (const auto& text : texts) {
            clipboard->copyText(text);
            queue->collector().checkClipboard();
        }
    }

    QList<QUuid> ids() const {
        QList<QUuid> result;
        for (const auto& item : queue->queue()) {
            result.append(item.id);
        }
        return result;
    }

    std::shared_ptr<FakePasteOutput> makeOutput() {
        auto fake = std::make_shared<FakePasteOutput>();
        fake->onPost = [this] {
            postedClipboard.append(clipboard->written.isEmpty() ? ClipboardItem() : clipboard->written.last());
        };
        return fake;
    }

    QList<QString> queueTexts() const {
        QList<QString> texts;
        for (const auto& item : queue->queue()) {
            texts.append(item.content.text());
        }
        return texts;
    }

    QTemporaryDir m_temporary;
    QString storageRoot;
    QString sourceDirectory;
    std::shared_ptr<QSettings> settings;
    std::shared_ptr<FakeClipboard> clipboard = std::make_shared<FakeClipboard>();
    std::shared_ptr<FakePasteOutput> output = makeOutput();
    ManualScheduler scheduler;
    std::optional<QString> sessionKey;
    qint64 maximumFileBytes = ClipboardQueue::Dependencies().maximumFileBytes;
    std::chrono::milliseconds quitRemovalBudget = ClipboardQueue::Dependencies().quitRemovalBudget;
    // Copies run at once, in the call that collects them, unless a test says otherwise; empty runs them
    // on the engine's own worker.
    ClipboardFileStorage::RunInBackground runInBackground = [](std::function<void()> work,
                                                               std::function<void()> completion) {
        work();
        completion();
    };
    // What the clipboard held at each posted keystroke.
    QList<ClipboardItem> postedClipboard;
    LogCapture logs;
    std::unique_ptr<ClipboardQueue> queue;
};

} // namespace sorvu::test
