// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/LocalFileUrl.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/Unprivileged.h"

#include <QFileInfo>
#include <QSignalSpy>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace sorvu;
using namespace sorvu::test;

namespace {

class FileStorage : public EngineFixture {
protected:
    QString outside(const QString& name) const { return m_temporary.filePath(name); }

    QueuedClipboardItem fileEntry(const QUuid& id, const QString& path) {
        return QueuedClipboardItem{id, ClipboardItem::makeFile(QUrl::fromLocalFile(path), QFileInfo(path).fileName())};
    }

    QString entryPath(const QUuid& id) const { return queue->files().instancePath() + "/" + uuidString(id); }

    static mode_t modeOf(const QString& path) {
        struct stat status {};
        return lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode : 0;
    }

    void makeFolder(const QString& path, mode_t mode = 0755) {
        ASSERT_TRUE(QDir().mkpath(path));
        ASSERT_EQ(chmod(QFile::encodeName(path).constData(), mode), 0);
    }

    void writeFile(const QString& path, const QByteArray& contents) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
};

} // namespace

TEST_F(FileStorage, StartUpMakesAPrivateTaggedRootAndRemovesOnlyAbandonedSorvuFolders) {
    const QString abandonedInstance = storageRoot + "/0F1E2D3C-0000-4000-8000-000000000000";
    const QString olderEntry = storageRoot + "/0F1E2D3C-0000-4000-8000-000000000001";
    makeFolder(abandonedInstance + "/1A2B3C4D-0000-4000-8000-000000000000/inner");
    makeFolder(olderEntry + "/folder");
    // A copied read-only folder inside must not stop the clean-up.
    writeFile(abandonedInstance + "/1A2B3C4D-0000-4000-8000-000000000000/inner/file.txt", "old");
    makeFolder(abandonedInstance + "/1A2B3C4D-0000-4000-8000-000000000000/inner", 0555);
    // Not Sorvu's: a stray file, a link, a folder whose name is no upper-case UUID, a link named like one.
    writeFile(storageRoot + "/stray.txt", "stray");
    makeSourceFile("precious.txt");
    ASSERT_TRUE(QFile::link(sourceDirectory, storageRoot + "/link-to-sources"));
    ASSERT_TRUE(QFile::link(sourceDirectory, storageRoot + "/0F1E2D3C-0000-4000-8000-000000000002"));
    makeFolder(storageRoot + "/0f1e2d3c-0000-4000-8000-000000000003");

    makeQueue();
    const QString own = QFileInfo(queue->files().instancePath()).fileName();
    QStringList expected = {"CACHEDIR.TAG",
                            "0F1E2D3C-0000-4000-8000-000000000002",
                            "0f1e2d3c-0000-4000-8000-000000000003",
                            "link-to-sources",
                            "stray.txt",
                            own};
    expected.sort();
    EXPECT_EQ(rootEntries(), expected);
    EXPECT_EQ(modeOf(storageRoot) & 0777, 0700u);
    EXPECT_TRUE(readFile(QUrl::fromLocalFile(storageRoot + "/CACHEDIR.TAG"))
                    .startsWith("Signature: 8a477f597d28d172789f06886806bc55"));
    EXPECT_EQ(readFile(QUrl::fromLocalFile(storageRoot + "/stray.txt")), "stray");
    EXPECT_TRUE(QFile::exists(sourceDirectory + "/precious.txt"));
}

TEST_F(FileStorage, AStorageRootThatIsALinkIsRefusedAndWhatItLeadsToIsLeftAlone) {
    const QString elsewhere = outside("elsewhere");
    makeFolder(elsewhere, 0755);
    writeFile(elsewhere + "/precious.txt", "precious");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(storageRoot).path()));
    ASSERT_TRUE(QFile::link(elsewhere, storageRoot));

    makeQueue();
    EXPECT_EQ(entriesOf(elsewhere), QStringList({"precious.txt"}));
    EXPECT_EQ(modeOf(elsewhere) & 0777, 0755u);
    ASSERT_FALSE(logs.messagesStartingWith("storage folder refused").isEmpty());
    EXPECT_EQ(
        logs.messagesStartingWith("storage folder refused").first(),
        QString("storage folder refused path=%1 reason=rootIsLink domain=POSIX code=%2").arg(storageRoot).arg(ELOOP));

    // Nor does a copy write there.
    const QUuid id = QUuid::createUuid();
    EXPECT_FALSE(queue->files().copyToClipboardStorage(makeSourceFile("a.txt"), id, "a.txt").url);
    EXPECT_EQ(entriesOf(elsewhere), QStringList({"precious.txt"}));
}

TEST_F(FileStorage, ARootSwappedForALinkWhileRunningIsNeverWrittenThrough) {
    makeQueue();
    const QString elsewhere = outside("elsewhere");
    makeFolder(elsewhere, 0755);
    ASSERT_TRUE(QDir().rename(storageRoot, outside("moved-away")));
    ASSERT_TRUE(QFile::link(elsewhere, storageRoot));

    EXPECT_FALSE(queue->files().copyToClipboardStorage(makeSourceFile("a.txt"), QUuid::createUuid(), "a.txt").url);
    EXPECT_TRUE(entriesOf(elsewhere).isEmpty());
    EXPECT_EQ(modeOf(elsewhere) & 0777, 0755u);
}

TEST_F(FileStorage, ATagThatIsALinkIsReplacedNeverWrittenThrough) {
    const QString victim = outside("victim.txt");
    writeFile(victim, "mine");
    ASSERT_TRUE(QDir().mkpath(storageRoot));
    ASSERT_TRUE(QFile::link(victim, storageRoot + "/CACHEDIR.TAG"));

    makeQueue();
    EXPECT_EQ(readFile(QUrl::fromLocalFile(victim)), "mine");
    EXPECT_TRUE(S_ISREG(modeOf(storageRoot + "/CACHEDIR.TAG")));
    EXPECT_TRUE(readFile(QUrl::fromLocalFile(storageRoot + "/CACHEDIR.TAG"))
                    .startsWith("Signature: 8a477f597d28d172789f06886806bc55"));
}

TEST_F(FileStorage, AnotherRunningInstanceKeepsItsCopiesUntilItEnds) {
    makeQueue();
    const auto copy =
        queue->files().copyToClipboardStorage(makeSourceFile("kept.txt"), QUuid::createUuid(), "kept.txt");
    ASSERT_TRUE(copy.url);

    // A second Sorvu (another session, another display) starts and cleans up: the first's copy stays.
    auto second = makeEngine();
    EXPECT_NE(second->files().instancePath(), queue->files().instancePath());
    EXPECT_EQ(readFile(*copy.url), "contents");
    EXPECT_EQ(rootEntries().size(), 3);

    // Once the first has ended, its folder is abandoned and the next start removes it.
    const QString firstFolder = queue->files().instancePath();
    queue.reset();
    auto third = makeEngine();
    EXPECT_FALSE(QFile::exists(firstFolder));
    EXPECT_TRUE(QFile::exists(second->files().instancePath()));
}

TEST_F(FileStorage, ASessionFindsItsFolderAgainAndClearsWhatAnEarlierRunLeft) {
    sessionKey = QStringLiteral("75");
    makeQueue();
    const QString folder = queue->files().instancePath();
    const auto copy =
        queue->files().copyToClipboardStorage(makeSourceFile("left.txt"), QUuid::createUuid(), "left.txt");
    ASSERT_TRUE(copy.url);

    // While one runs, another of the same session never waits for its folder: it takes one of its own.
    auto overlapping = makeEngine();
    EXPECT_NE(overlapping->files().instancePath(), folder);
    EXPECT_EQ(readFile(*copy.url), "contents");
    overlapping.reset();

    // The next start of the session takes the same folder and empties it of what a crashed run left there.
    queue.reset();
    QFile leftOver(folder + "/5A0C3E8E-0000-4000-8000-000000000000");
    ASSERT_TRUE(leftOver.open(QIODevice::WriteOnly));
    leftOver.close();
    makeQueue();
    EXPECT_EQ(queue->files().instancePath(), folder);
    EXPECT_TRUE(storageEntries().isEmpty());

    // Another session has a folder of its own.
    sessionKey = QStringLiteral("76");
    EXPECT_NE(makeEngine()->files().instancePath(), folder);
}

TEST_F(FileStorage, CopiesLandInTheirOwnDirectoryUnderTheGivenName) {
    makeQueue();
    const QUrl first = makeSourceFile("a/same.txt", "first");
    const QUrl second = makeSourceFile("b/same.txt", "second");
    const QUuid firstId = QUuid::createUuid();
    const QUuid secondId = QUuid::createUuid();
    const auto firstCopy = queue->files().copyToClipboardStorage(first, firstId, "same.txt");
    const auto secondCopy = queue->files().copyToClipboardStorage(second, secondId, "nested/dirs/same.txt");
    ASSERT_TRUE(firstCopy.url && secondCopy.url);
    EXPECT_EQ(firstCopy.url->toLocalFile(), entryPath(firstId) + "/same.txt");
    EXPECT_EQ(secondCopy.url->toLocalFile(), entryPath(secondId) + "/same.txt");
    EXPECT_EQ(readFile(*firstCopy.url), "first");
    EXPECT_EQ(readFile(*secondCopy.url), "second");
}

TEST_F(FileStorage, NamesThatWouldLeaveTheItemDirectoryAreTamed) {
    makeQueue();
    const QUrl source = makeSourceFile("real-name.txt");
    for (const QString& name : {QString(".."), QString("../../escape.txt"), QString("."), QString("dir/"), QString()}) {
        const QUuid id = QUuid::createUuid();
        const auto copy = queue->files().copyToClipboardStorage(source, id, name);
        ASSERT_TRUE(copy.url) << name.toStdString();
        EXPECT_EQ(QFileInfo(copy.url->toLocalFile()).path(), entryPath(id)) << name.toStdString();
        EXPECT_TRUE(QFileInfo(copy.url->toLocalFile()).isFile()) << name.toStdString();
    }
    EXPECT_FALSE(QFile::exists(queue->files().instancePath() + "/escape.txt"));
    EXPECT_FALSE(QFile::exists(storageRoot + "/escape.txt"));
}

TEST_F(FileStorage, NamesThatAreNotUtf8AreKeptAsBytes) {
    makeQueue();
    const QByteArray name = "caf\xE9.txt";
    const QByteArray sourcePath = QFile::encodeName(sourceDirectory) + "/" + name;
    const int descriptor = open(sourcePath.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    ASSERT_GE(descriptor, 0);
    ASSERT_EQ(write(descriptor, "latin", 5), 5);
    close(descriptor);

    // As a file manager offers it: percent-encoded bytes.
    const QUrl offered = QUrl::fromEncoded("file://" + sourcePath.toPercentEncoding("/"));
    queue->toggleCollecting();
    clipboard->copyFiles({offered});
    queue->collector().checkClipboard();
    ASSERT_EQ(queue->queue().size(), 1);
    const QByteArray stored = localPathBytes(queue->queue().first().content.fileUrl());
    EXPECT_TRUE(stored.endsWith("/" + name)) << stored.toStdString();
    QFile copy(QFile::decodeName(stored));
    int storedDescriptor = open(stored.constData(), O_RDONLY);
    ASSERT_GE(storedDescriptor, 0);
    char contents[8] = {};
    EXPECT_EQ(read(storedDescriptor, contents, sizeof contents), 5);
    close(storedDescriptor);
    EXPECT_EQ(QByteArray(contents), "latin");
    EXPECT_TRUE(queue->queue().first().content.fileUrl().toEncoded().endsWith("/caf%E9.txt"));
}

TEST_F(FileStorage, FoldersAreCopiedWholeAndLinksInsideStayLinks) {
    makeQueue();
    makeSourceFile("folder/one.txt", "1");
    makeSourceFile("folder/sub/two.txt", "2");
    makeSourceFile("target.txt", "outside");
    ASSERT_TRUE(QFile::link(sourceDirectory + "/target.txt", sourceDirectory + "/folder/link.txt"));
    const QUuid id = QUuid::createUuid();
    const auto copy =
        queue->files().copyToClipboardStorage(QUrl::fromLocalFile(sourceDirectory + "/folder"), id, "folder");
    ASSERT_TRUE(copy.url);
    EXPECT_EQ(readFile(QUrl::fromLocalFile(copy.url->toLocalFile() + "/sub/two.txt")), "2");
    EXPECT_TRUE(QFileInfo(copy.url->toLocalFile() + "/link.txt").isSymLink());

    // Deleting the entry removes the link, never what it points at.
    queue->files().deleteStoredFile(QueuedClipboardItem{id, ClipboardItem::makeFile(*copy.url, "folder")});
    EXPECT_FALSE(QFile::exists(entryPath(id)));
    EXPECT_EQ(readFile(QUrl::fromLocalFile(sourceDirectory + "/target.txt")), "outside");
}

TEST_F(FileStorage, FilesThatReportNoSizeAreCopiedToTheirEnd) {
    makeQueue();
    QFile version(QStringLiteral("/proc/version"));
    ASSERT_TRUE(version.open(QIODevice::ReadOnly));
    const QByteArray expected = version.readAll();
    ASSERT_FALSE(expected.isEmpty());
    ASSERT_EQ(QFileInfo(version.fileName()).size(), 0);

    const auto copy =
        queue->files().copyToClipboardStorage(QUrl::fromLocalFile(version.fileName()), QUuid::createUuid(), "version");
    ASSERT_TRUE(copy.url);
    EXPECT_EQ(readFile(*copy.url), expected);
}

TEST_F(FileStorage, SparseFilesStaySparseAndCopiesAreBoundedBySize) {
    maximumFileBytes = qint64(1) << 20;
    makeQueue();
    // 64 MB long, 4 KB of data: within the limit, since only the data is written.
    const QString sparse = sourceDirectory + "/sparse.img";
    {
        QFile file(sparse);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.seek(qint64(32) << 20));
        file.write(QByteArray(4096, 'x'));
        ASSERT_TRUE(file.resize(qint64(64) << 20));
    }
    const auto copy =
        queue->files().copyToClipboardStorage(QUrl::fromLocalFile(sparse), QUuid::createUuid(), "sparse.img");
    ASSERT_TRUE(copy.url);
    struct stat status {};
    ASSERT_EQ(stat(QFile::encodeName(copy.url->toLocalFile()).constData(), &status), 0);
    EXPECT_EQ(status.st_size, qint64(64) << 20);
    EXPECT_LT(qint64(status.st_blocks) * 512, qint64(1) << 20);
    QFile copied(copy.url->toLocalFile());
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    ASSERT_TRUE(copied.seek(qint64(32) << 20));
    EXPECT_EQ(copied.read(4096), QByteArray(4096, 'x'));

    // Past the limit: refused, nothing left, and a reason the user can be told.
    logs.clear();
    const QUuid id = QUuid::createUuid();
    const auto large =
        queue->files().copyToClipboardStorage(makeSourceFile("large.bin", QByteArray(2 << 20, 'y')), id, "l");
    EXPECT_FALSE(large.url);
    EXPECT_FALSE(large.missing);
    EXPECT_EQ(large.status, FileTreeCopy::Status::tooLarge);
    EXPECT_FALSE(QFile::exists(entryPath(id)));
    EXPECT_EQ(logs.messages(),
              QStringList({QString("copyToClipboardStorage refused itemID=%1 reason=tooLarge").arg(uuidString(id))}));
    // A folder is bounded as a whole.
    makeSourceFile("big/a.bin", QByteArray(600 << 10, 'a'));
    makeSourceFile("big/b.bin", QByteArray(600 << 10, 'b'));
    EXPECT_EQ(queue->files()
                  .copyToClipboardStorage(QUrl::fromLocalFile(sourceDirectory + "/big"), QUuid::createUuid(), "big")
                  .status,
              FileTreeCopy::Status::tooLarge);
}

TEST_F(FileStorage, AFullDiskIsReportedAsSuch) {
    // A small disk of its own for the storage; only root may make one.
    const QString disk = QFileInfo(QFileInfo(storageRoot).path()).path();
    ASSERT_TRUE(QDir().mkpath(disk));
    if (mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=1m") != 0) {
        GTEST_SKIP() << "a file system of 1 MB cannot be mounted here (needs root): " << strerror(errno);
    }
    makeQueue();
    const QUuid tooBig = QUuid::createUuid();
    logs.clear();
    // Known to be larger than the room left: refused before a byte is written.
    const auto refused =
        queue->files().copyToClipboardStorage(makeSourceFile("big.bin", QByteArray(2 << 20, 'b')), tooBig, "b");
    EXPECT_EQ(refused.status, FileTreeCopy::Status::noSpace);
    EXPECT_FALSE(refused.missing);
    // Files that each fit and together do not: the write that fails says why.
    for (int index = 0; index < 4; ++index) {
        makeSourceFile(QString("parts/%1.bin").arg(index), QByteArray(400 << 10, 'p'));
    }
    const QUuid parts = QUuid::createUuid();
    const auto filled =
        queue->files().copyToClipboardStorage(QUrl::fromLocalFile(sourceDirectory + "/parts"), parts, "parts");
    EXPECT_EQ(filled.status, FileTreeCopy::Status::noSpace);
    EXPECT_FALSE(QFile::exists(entryPath(parts)));
    EXPECT_EQ(logs.messages(), QStringList({QString("copyToClipboardStorage failed itemID=%1 domain=POSIX code=%2")
                                                .arg(uuidString(tooBig))
                                                .arg(ENOSPC),
                                            QString("copyToClipboardStorage failed itemID=%1 domain=POSIX code=%2")
                                                .arg(uuidString(parts))
                                                .arg(ENOSPC)}));
    queue.reset();
    EXPECT_EQ(umount2(QFile::encodeName(disk).constData(), MNT_DETACH), 0);
}

TEST_F(FileStorage, MissingSourcesAndAMissingRootFailCleanly) {
    makeQueue();
    const QUuid id = QUuid::createUuid();
    const auto missing =
        queue->files().copyToClipboardStorage(QUrl::fromLocalFile(sourceDirectory + "/none.txt"), id, "x");
    EXPECT_FALSE(missing.url);
    EXPECT_TRUE(missing.missing);
    EXPECT_FALSE(QFile::exists(entryPath(id)));
    EXPECT_EQ(logs.messages().last(),
              QString("copyToClipboardStorage failed itemID=%1 domain=POSIX code=2").arg(uuidString(id)));
    EXPECT_EQ(logs.lines().last().type, QtCriticalMsg);
}

TEST_F(FileStorage, AStorageFolderDeletedWhileRunningIsMadeAgainWhenACopyNeedsIt) {
    makeQueue();
    ASSERT_TRUE(QDir(storageRoot).removeRecursively());
    const auto copy =
        queue->files().copyToClipboardStorage(makeSourceFile("present.txt"), QUuid::createUuid(), "present.txt");
    ASSERT_TRUE(copy.url);
    EXPECT_EQ(readFile(*copy.url), "contents");
    EXPECT_EQ(modeOf(storageRoot) & 0777, 0700u);
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
        const auto copy = queue->files().copyToClipboardStorage(QUrl::fromLocalFile(source), id, "holder");
        EXPECT_FALSE(copy.url) << source.toStdString();
        // Refused for good: no retries as if it had vanished.
        EXPECT_FALSE(copy.missing) << source.toStdString();
        EXPECT_EQ(logs.messages(), QStringList({QString("copyToClipboardStorage refused itemID=%1 "
                                                        "reason=sourceHoldsStorage")
                                                    .arg(uuidString(id))}));
    }
    EXPECT_EQ(storageEntries().size(), entriesBefore);
}

TEST_F(FileStorage, PipesAndDevicesAreNeverOpenedAndAreLeftOutOfFolders) {
    makeQueue();
    const QString pipe = sourceDirectory + "/pipe";
    ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    const QUuid id = QUuid::createUuid();
    logs.clear();
    const auto copy = queue->files().copyToClipboardStorage(QUrl::fromLocalFile(pipe), id, "pipe");
    EXPECT_FALSE(copy.url);
    EXPECT_FALSE(copy.missing);
    EXPECT_EQ(copy.status, FileTreeCopy::Status::specialFile);
    EXPECT_FALSE(QFile::exists(entryPath(id)));
    EXPECT_EQ(
        logs.messages(),
        QStringList({QString("copyToClipboardStorage refused itemID=%1 reason=specialFile").arg(uuidString(id))}));

    // Inside a folder the rest is kept.
    makeSourceFile("folder/kept.txt", "kept");
    ASSERT_EQ(mkfifo(QFile::encodeName(sourceDirectory + "/folder/pipe").constData(), 0600), 0);
    logs.clear();
    const QUuid folderId = QUuid::createUuid();
    const auto folder =
        queue->files().copyToClipboardStorage(QUrl::fromLocalFile(sourceDirectory + "/folder"), folderId, "folder");
    ASSERT_TRUE(folder.url);
    EXPECT_EQ(folder.skippedSpecialFiles, 1);
    EXPECT_EQ(
        logs.messages(),
        QStringList(
            {QString("copyToClipboardStorage skipped special files itemID=%1 count=1").arg(uuidString(folderId))}));
    EXPECT_EQ(entriesOf(folder.url->toLocalFile()), QStringList({"kept.txt"}));
}

TEST_F(FileStorage, ReadOnlyFoldersAreCopiedAndTheCopiesCanBeDeleted) {
    if (ranAsUnprivilegedUser()) {
        return;
    }
    makeQueue();
    makeSourceFile("tree/locked/inner/file.txt", "inside");
    makeFolder(sourceDirectory + "/tree/locked/inner", 0555);
    makeFolder(sourceDirectory + "/tree/locked", 0555);
    const QUuid id = QUuid::createUuid();
    const auto copy = queue->files().copyToClipboardStorage(QUrl::fromLocalFile(sourceDirectory + "/tree"), id, "tree");
    ASSERT_TRUE(copy.url) << logs.messages().join('\n').toStdString();
    EXPECT_EQ(readFile(QUrl::fromLocalFile(copy.url->toLocalFile() + "/locked/inner/file.txt")), "inside");
    EXPECT_EQ(modeOf(copy.url->toLocalFile() + "/locked") & 0777, 0555u);

    queue->files().deleteStoredFile(QueuedClipboardItem{id, ClipboardItem::makeFile(*copy.url, "tree")});
    EXPECT_FALSE(QFile::exists(entryPath(id)));

    // What the last run left behind goes at the next start, read-only folders and all.
    const auto left = queue->files().copyToClipboardStorage(QUrl::fromLocalFile(sourceDirectory + "/tree"), id, "tree");
    ASSERT_TRUE(left.url);
    const QString abandoned = queue->files().instancePath();
    queue.reset();
    makeQueue();
    EXPECT_FALSE(QFile::exists(abandoned));
    makeFolder(sourceDirectory + "/tree/locked", 0755);
    makeFolder(sourceDirectory + "/tree/locked/inner", 0755);
}

TEST_F(FileStorage, AFileThatMayNotBeReadIsReportedWithItsCause) {
    if (ranAsUnprivilegedUser()) {
        return;
    }
    makeQueue();
    const QUrl secret = makeSourceFile("secret.txt");
    ASSERT_EQ(chmod(QFile::encodeName(secret.toLocalFile()).constData(), 0), 0);
    const QUuid id = QUuid::createUuid();
    logs.clear();
    const auto copy = queue->files().copyToClipboardStorage(secret, id, "secret.txt");
    EXPECT_FALSE(copy.url);
    EXPECT_FALSE(copy.missing);
    EXPECT_EQ(copy.status, FileTreeCopy::Status::noPermission);
    EXPECT_EQ(
        logs.messages(),
        QStringList(
            {QString("copyToClipboardStorage failed itemID=%1 domain=POSIX code=%2").arg(uuidString(id)).arg(EACCES)}));
}

TEST_F(FileStorage, OnlyOwnedLocationsAreEverDeleted) {
    makeQueue();
    const QUuid id = QUuid::createUuid();
    const QString victim = makeSourceFile("victim.txt").toLocalFile();
    const QString folder = queue->files().instancePath();

    const QList<QueuedClipboardItem> refused = {
        fileEntry(id, victim),
        fileEntry(id, folder + "/not-the-id.txt"),
        fileEntry(id, folder + "/" + uuidString(QUuid::createUuid()) + ".txt"),
        fileEntry(id, folder + "/" + uuidString(QUuid::createUuid()) + "/victim.txt"),
        fileEntry(id, folder + "/" + uuidString(id).toLower() + "/victim.txt"),
        fileEntry(id, folder + "/" + uuidString(id) + "/../../../../sources/victim.txt"),
        fileEntry(id, folder + "/" + uuidString(id) + "/deeper/victim.txt"),
        // Another instance's folder is not this one's to delete from.
        fileEntry(id, storageRoot + "/" + uuidString(QUuid::createUuid()) + "/" + uuidString(id) + "/victim.txt"),
        QueuedClipboardItem{id, ClipboardItem::makeFile(QUrl("https://example.org/" + uuidString(id) + "/x"), "x")},
    };
    for (const auto& entry : refused) {
        logs.clear();
        EXPECT_FALSE(queue->files().storedLocation(entry).has_value())
            << entry.content.fileUrl().toString().toStdString();
        queue->files().deleteStoredFile(entry);
        EXPECT_EQ(logs.messages(), QStringList({QString("deleteStoredFile refused itemID=%1 "
                                                        "reason=ownershipValidationFailed")
                                                    .arg(uuidString(id))}));
        // A refusal means something tried to delete outside the storage: an error, whatever the filter.
        EXPECT_EQ(logs.lines().last().type, QtCriticalMsg);
    }
    EXPECT_TRUE(QFile::exists(victim));

    logs.clear();
    queue->files().deleteStoredFile(QueuedClipboardItem{id, ClipboardItem::makeText(victim)});
    EXPECT_TRUE(logs.messages().isEmpty());

    const QString flat = folder + "/" + uuidString(id) + ".txt";
    writeFile(flat, "");
    EXPECT_EQ(queue->files().storedLocation(fileEntry(id, flat)), flat);
    queue->files().deleteStoredFile(fileEntry(id, flat));
    EXPECT_FALSE(QFile::exists(flat));
}

TEST_F(FileStorage, AnItemDirectoryThatIsALinkLosesOnlyTheLink) {
    makeQueue();
    const QUuid id = QUuid::createUuid();
    makeSourceFile("elsewhere/keep.txt");
    ASSERT_TRUE(QFile::link(sourceDirectory + "/elsewhere", entryPath(id)));
    queue->files().deleteStoredFile(fileEntry(id, entryPath(id) + "/keep.txt"));
    EXPECT_FALSE(QFileInfo(entryPath(id)).isSymLink());
    EXPECT_TRUE(QFile::exists(sourceDirectory + "/elsewhere/keep.txt"));
}

TEST_F(FileStorage, CleanUpKeepsTheCopiesOfQueuedEntries) {
    makeQueue();
    queue->toggleCollecting();
    clipboard->copyFiles({makeSourceFile("kept.txt")});
    queue->collector().checkClipboard();
    ASSERT_TRUE(QDir().mkpath(queue->files().instancePath() + "/orphan"));
    queue->files().removeUnownedStoredFiles(queue->queue());
    EXPECT_EQ(storageEntries(), QStringList({uuidString(queue->queue().at(0).id)}));
}

TEST_F(FileStorage, WhatKeptCopiesOutOfTheQueueIsToldOncePerCopy) {
    maximumFileBytes = 1024;
    makeQueue();
    QSignalSpy told(&queue->collector(), &ClipboardCollector::copyNotQueued);
    queue->toggleCollecting();
    makeSourceFile("folder/kept.txt");
    ASSERT_EQ(mkfifo(QFile::encodeName(sourceDirectory + "/folder/pipe").constData(), 0600), 0);
    ASSERT_EQ(mkfifo(QFile::encodeName(sourceDirectory + "/pipe").constData(), 0600), 0);
    clipboard->copyFiles(
        {makeSourceFile("big.bin", QByteArray(4096, 'b')), makeSourceFile("also-big.bin", QByteArray(4096, 'b')),
         QUrl::fromLocalFile(sourceDirectory + "/folder"), QUrl::fromLocalFile(sourceDirectory + "/pipe")});
    queue->collector().checkClipboard();
    EXPECT_EQ(queue->queue().size(), 1);
    QList<ClipboardCollector::CopyProblem> problems;
    for (const auto& arguments : told) {
        problems.append(arguments.at(0).value<ClipboardCollector::CopyProblem>());
    }
    EXPECT_EQ(problems, QList<ClipboardCollector::CopyProblem>({ClipboardCollector::CopyProblem::tooLarge,
                                                                ClipboardCollector::CopyProblem::specialFilesSkipped,
                                                                ClipboardCollector::CopyProblem::specialFile}));

    // More files than the queue has room for.
    told.clear();
    QList<QUrl> many;
    for (int index = 0; index < ClipboardQueue::capacity + 1; ++index) {
        many.append(makeSourceFile(QString("many/%1.txt").arg(index)));
    }
    clipboard->copyFiles(many);
    queue->collector().checkClipboard();
    EXPECT_EQ(queue->queue().size(), ClipboardQueue::capacity);
    ASSERT_EQ(told.size(), 1);
    EXPECT_EQ(told.first().at(0).value<ClipboardCollector::CopyProblem>(),
              ClipboardCollector::CopyProblem::overCapacity);
}

TEST_F(FileStorage, QuitRemovesTheCopiesNoPasteNeedsAndLeavesWhatItHasNoTimeForToTheNextStart) {
    sessionKey = QStringLiteral("80");
    makeQueue();
    const QString folder = queue->files().instancePath();
    queue->toggleCollecting();
    makeSourceFile("folder/inner.txt");
    clipboard->copyFiles({makeSourceFile("pasted.txt", "pasted"), makeSourceFile("queued.txt"),
                          QUrl::fromLocalFile(sourceDirectory + "/folder")});
    queue->collector().checkClipboard();
    ASSERT_EQ(queue->queue().size(), 3);
    // What an interrupted copy left.
    makeFolder(folder + "/5A0C3E8E-0000-4000-8000-000000000001/half", 0500);
    ASSERT_EQ(queue->paster().pasteNext(), PasteAttemptResult::commandPosted);
    const QUrl pasted = postedClipboard.last().fileUrl();

    // The pasted copy may still be being read: it stays for the next start, the rest goes with the program.
    queue.reset();
    EXPECT_EQ(entriesOf(folder), QStringList({QFileInfo(pasted.toLocalFile()).dir().dirName()}));
    EXPECT_EQ(readFile(pasted), "pasted");
    EXPECT_EQ(logs.messagesStartingWith("stored copies removed at quit"),
              QStringList({"stored copies removed at quit count=3 kept=1"}));
    EXPECT_TRUE(logs.messagesStartingWith("stored copies left").isEmpty());

    // No time to remove anything: the log says so, and the next start of the session does it.
    quitRemovalBudget = std::chrono::milliseconds(0);
    makeQueue();
    EXPECT_TRUE(storageEntries().isEmpty());
    queue->toggleCollecting();
    clipboard->copyFiles({makeSourceFile("left.txt")});
    queue->collector().checkClipboard();
    ASSERT_EQ(queue->queue().size(), 1);
    queue.reset();
    EXPECT_EQ(entriesOf(folder).size(), 1);
    EXPECT_EQ(logs.messagesStartingWith("stored copies left for the next start"),
              QStringList({"stored copies left for the next start count=1 budgetMs=0"}));
    makeQueue();
    EXPECT_EQ(queue->files().instancePath(), folder);
    EXPECT_TRUE(storageEntries().isEmpty());
}
