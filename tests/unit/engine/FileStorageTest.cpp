// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/EngineFixture.h"

#include <QFileInfo>

#include <sys/stat.h>

using namespace sorvu;
using namespace sorvu::test;

namespace {

class FileStorage : public EngineFixture {
protected:
    QString outside(const QString& name) const { return m_temporary.filePath(name); }

    QueuedClipboardItem fileEntry(const QUuid& id, const QString& path) {
        return QueuedClipboardItem{id, ClipboardItem::makeFile(QUrl::fromLocalFile(path), QFileInfo(path).fileName())};
    }
};

} // namespace

TEST_F(FileStorage, StartUpMakesAPrivateTaggedRootAndRemovesLeftovers) {
    ASSERT_TRUE(QDir().mkpath(storageRoot + "/0F1E2D3C-0000-4000-8000-000000000000/inner"));
    QFile leftover(storageRoot + "/stray.txt");
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.close();
    QFile::link(outside("sources"), storageRoot + "/link-to-sources");
    makeSourceFile("precious.txt");

    makeQueue();
    EXPECT_EQ(storageEntries(), QStringList({"CACHEDIR.TAG"}));
    struct stat status {};
    ASSERT_EQ(stat(storageRoot.toLocal8Bit().constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);
    EXPECT_TRUE(readFile(QUrl::fromLocalFile(storageRoot + "/CACHEDIR.TAG"))
                    .startsWith("Signature: 8a477f597d28d172789f06886806bc55"));
    // The link went, what it pointed at stayed.
    EXPECT_TRUE(QFile::exists(sourceDirectory + "/precious.txt"));
}

TEST_F(FileStorage, CopiesLandInTheirOwnDirectoryUnderTheGivenName) {
    makeQueue();
    const QUrl first = makeSourceFile("a/same.txt", "first");
    const QUrl second = makeSourceFile("b/same.txt", "second");
    const QUuid firstId = QUuid::createUuid();
    const QUuid secondId = QUuid::createUuid();
    const auto firstCopy = queue->copyToClipboardStorage(first, firstId, "same.txt");
    const auto secondCopy = queue->copyToClipboardStorage(second, secondId, "nested/dirs/same.txt");
    ASSERT_TRUE(firstCopy.url && secondCopy.url);
    EXPECT_EQ(firstCopy.url->toLocalFile(), storageRoot + "/" + uuidString(firstId) + "/same.txt");
    EXPECT_EQ(secondCopy.url->toLocalFile(), storageRoot + "/" + uuidString(secondId) + "/same.txt");
    EXPECT_EQ(readFile(*firstCopy.url), "first");
    EXPECT_EQ(readFile(*secondCopy.url), "second");
}

TEST_F(FileStorage, NamesThatWouldLeaveTheItemDirectoryAreTamed) {
    makeQueue();
    const QUrl source = makeSourceFile("real-name.txt");
    for (const QString& name : {QString(".."), QString("../../escape.txt"), QString("."), QString("dir/"), QString()}) {
        const QUuid id = QUuid::createUuid();
        const auto copy = queue->copyToClipboardStorage(source, id, name);
        ASSERT_TRUE(copy.url) << name.toStdString();
        EXPECT_EQ(QFileInfo(copy.url->toLocalFile()).path(), storageRoot + "/" + uuidString(id)) << name.toStdString();
        EXPECT_TRUE(QFileInfo(copy.url->toLocalFile()).isFile()) << name.toStdString();
    }
    EXPECT_FALSE(QFile::exists(storageRoot + "/escape.txt"));
    EXPECT_FALSE(QFile::exists(m_temporary.filePath("data/Sorvu/escape.txt")));
}

TEST_F(FileStorage, FoldersAreCopiedWholeAndLinksInsideStayLinks) {
    makeQueue();
    makeSourceFile("folder/one.txt", "1");
    makeSourceFile("folder/sub/two.txt", "2");
    makeSourceFile("target.txt", "outside");
    ASSERT_TRUE(QFile::link(sourceDirectory + "/target.txt", sourceDirectory + "/folder/link.txt"));
    const QUuid id = QUuid::createUuid();
    const auto copy = queue->copyToClipboardStorage(QUrl::fromLocalFile(sourceDirectory + "/folder"), id, "folder");
    ASSERT_TRUE(copy.url);
    EXPECT_EQ(readFile(QUrl::fromLocalFile(copy.url->toLocalFile() + "/sub/two.txt")), "2");
    EXPECT_TRUE(QFileInfo(copy.url->toLocalFile() + "/link.txt").isSymLink());

    // Deleting the entry removes the link, never what it points at.
    queue->deleteStoredFile(QueuedClipboardItem{id, ClipboardItem::makeFile(*copy.url, "folder")});
    EXPECT_FALSE(QFile::exists(storageRoot + "/" + uuidString(id)));
    EXPECT_EQ(readFile(QUrl::fromLocalFile(sourceDirectory + "/target.txt")), "outside");
}

TEST_F(FileStorage, MissingSourcesAndAMissingRootFailCleanly) {
    makeQueue();
    const QUuid id = QUuid::createUuid();
    const auto missing = queue->copyToClipboardStorage(QUrl::fromLocalFile(sourceDirectory + "/none.txt"), id, "x");
    EXPECT_FALSE(missing.url);
    EXPECT_TRUE(missing.missing);
    EXPECT_FALSE(QFile::exists(storageRoot + "/" + uuidString(id)));
    EXPECT_EQ(logs.messages().last(),
              QString("copyToClipboardStorage failed itemID=%1 domain=POSIX code=2").arg(uuidString(id)));
    EXPECT_EQ(logs.lines().last().type, QtCriticalMsg);
}

TEST_F(FileStorage, AStorageFolderDeletedWhileRunningIsMadeAgainWhenACopyNeedsIt) {
    makeQueue();
    ASSERT_TRUE(QDir(storageRoot).removeRecursively());
    const auto copy = queue->copyToClipboardStorage(makeSourceFile("present.txt"), QUuid::createUuid(), "present.txt");
    ASSERT_TRUE(copy.url);
    EXPECT_EQ(readFile(*copy.url), "contents");
    struct stat status {};
    ASSERT_EQ(stat(storageRoot.toLocal8Bit().constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);
    EXPECT_TRUE(QFile::exists(storageRoot + "/CACHEDIR.TAG"));
}

TEST_F(FileStorage, AFolderThatHoldsTheStorageIsRefusedNotCopiedIntoItself) {
    makeQueue();
    // The storage lives under the temporary folder, as it lives under the user's home.
    const QString holder = QFileInfo(QFileInfo(storageRoot).path()).path();
    ASSERT_TRUE(storageRoot.startsWith(holder + "/"));
    const qsizetype entriesBefore = storageEntries().size();
    for (const QString& source : {holder, QFileInfo(storageRoot).path(), storageRoot}) {
        logs.clear();
        const QUuid id = QUuid::createUuid();
        const auto copy = queue->copyToClipboardStorage(QUrl::fromLocalFile(source), id, "holder");
        EXPECT_FALSE(copy.url) << source.toStdString();
        // Refused for good: no retries as if it had vanished.
        EXPECT_FALSE(copy.missing) << source.toStdString();
        EXPECT_EQ(logs.messages(), QStringList({QString("copyToClipboardStorage refused itemID=%1 "
                                                        "reason=sourceHoldsStorage")
                                                    .arg(uuidString(id))}));
    }
    EXPECT_EQ(storageEntries().size(), entriesBefore);
}

TEST_F(FileStorage, ASourceThatCannotBeCopiedIsNotReportedMissing) {
    makeQueue();
    const QString pipe = sourceDirectory + "/pipe";
    ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    const QUuid id = QUuid::createUuid();
    const auto copy = queue->copyToClipboardStorage(QUrl::fromLocalFile(pipe), id, "pipe");
    EXPECT_FALSE(copy.url);
    EXPECT_FALSE(copy.missing);
    EXPECT_FALSE(QFile::exists(storageRoot + "/" + uuidString(id)));
}

TEST_F(FileStorage, OnlyOwnedLocationsAreEverDeleted) {
    makeQueue();
    const QUuid id = QUuid::createUuid();
    const QString victim = makeSourceFile("victim.txt").toLocalFile();

    const QList<QueuedClipboardItem> refused = {
        fileEntry(id, victim),
        fileEntry(id, storageRoot + "/not-the-id.txt"),
        fileEntry(id, storageRoot + "/" + uuidString(QUuid::createUuid()) + ".txt"),
        fileEntry(id, storageRoot + "/" + uuidString(QUuid::createUuid()) + "/victim.txt"),
        fileEntry(id, storageRoot + "/" + uuidString(id).toLower() + "/victim.txt"),
        fileEntry(id, storageRoot + "/" + uuidString(id) + "/../../../sources/victim.txt"),
        fileEntry(id, storageRoot + "/" + uuidString(id) + "/deeper/victim.txt"),
        QueuedClipboardItem{id, ClipboardItem::makeFile(QUrl("https://example.org/" + uuidString(id) + "/x"), "x")},
    };
    for (const auto& entry : refused) {
        logs.clear();
        EXPECT_FALSE(queue->storedLocation(entry).has_value()) << entry.content.fileUrl().toString().toStdString();
        queue->deleteStoredFile(entry);
        EXPECT_EQ(logs.messages(), QStringList({QString("deleteStoredFile refused itemID=%1 "
                                                        "reason=ownershipValidationFailed")
                                                    .arg(uuidString(id))}));
        // A refusal means something tried to delete outside the storage: an error, whatever the filter.
        EXPECT_EQ(logs.lines().last().type, QtCriticalMsg);
    }
    EXPECT_TRUE(QFile::exists(victim));

    logs.clear();
    queue->deleteStoredFile(QueuedClipboardItem{id, ClipboardItem::makeText(victim)});
    EXPECT_TRUE(logs.messages().isEmpty());

    const QString flat = storageRoot + "/" + uuidString(id) + ".txt";
    QFile flatFile(flat);
    ASSERT_TRUE(flatFile.open(QIODevice::WriteOnly));
    flatFile.close();
    EXPECT_EQ(queue->storedLocation(fileEntry(id, flat)), flat);
    queue->deleteStoredFile(fileEntry(id, flat));
    EXPECT_FALSE(QFile::exists(flat));
}

TEST_F(FileStorage, AnItemDirectoryThatIsALinkLosesOnlyTheLink) {
    makeQueue();
    const QUuid id = QUuid::createUuid();
    makeSourceFile("elsewhere/keep.txt");
    ASSERT_TRUE(QFile::link(sourceDirectory + "/elsewhere", storageRoot + "/" + uuidString(id)));
    queue->deleteStoredFile(fileEntry(id, storageRoot + "/" + uuidString(id) + "/keep.txt"));
    EXPECT_FALSE(QFileInfo(storageRoot + "/" + uuidString(id)).isSymLink());
    EXPECT_TRUE(QFile::exists(sourceDirectory + "/elsewhere/keep.txt"));
}

TEST_F(FileStorage, CleanUpKeepsTheCopiesOfQueuedEntries) {
    makeQueue();
    queue->toggleCollecting();
    clipboard->copyFiles({makeSourceFile("kept.txt")});
    queue->checkClipboard();
    ASSERT_TRUE(QDir().mkpath(storageRoot + "/orphan"));
    queue->removeUnownedStoredFiles(queue->queue());
    QStringList expected = {"CACHEDIR.TAG", uuidString(queue->queue().at(0).id)};
    expected.sort();
    QStringList entries = storageEntries();
    entries.sort();
    EXPECT_EQ(entries, expected);
}
