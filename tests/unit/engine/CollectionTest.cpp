// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/EncodedImage.h"
#include "tests/support/EngineFixture.h"

#include <QRegularExpression>
#include <QSignalSpy>

using namespace sorvu;
using namespace sorvu::test;

namespace {

class Collection : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        makeQueue();
    }

    void startCollecting() {
        if (!queue->isCollecting()) {
            queue->toggleCollecting();
        }
    }

    void fillQueue(int count) {
        startCollecting();
        for (int index = 0; index < count; ++index) {
            clipboard->copyText(QString::number(index));
            queue->collector().checkClipboard();
        }
        ASSERT_EQ(queue->queue().size(), count);
    }

    QStringList unreadableLines() const { return logs.messagesStartingWith("pasteboard unreadable"); }

    // Work in the background that waits until the test runs it, as a slow disk or a large picture would
    // make it wait; the engine made after this holds its work back.
    struct Work {
        std::function<void()> work;
        std::function<void()> completion;
    };
    void holdBackgroundWork() {
        runInBackground = [this](std::function<void()> work, std::function<void()> completion) {
            waiting.append({std::move(work), std::move(completion)});
        };
    }
    void runWaiting() {
        for (auto& [work, completion] : std::exchange(waiting, {})) {
            work();
            completion();
        }
    }

    QList<Work> waiting;
};

} // namespace

TEST_F(Collection, WhatIsOnTheClipboardAtStartIsNeverCollected) {
    clipboard->copyText("already there");
    startCollecting();
    queue->collector().checkClipboard();
    EXPECT_TRUE(queue->queue().isEmpty());
    clipboard->copyText("new");
    queue->collector().checkClipboard();
    EXPECT_EQ(queueTexts(), QStringList({"new"}));
}

TEST_F(Collection, TogglingLogsAndDrivesThePollTimer) {
    logs.clear();
    queue->toggleCollecting();
    EXPECT_FALSE(queue->collector().isClipboardObserved());
    EXPECT_TRUE(queue->isCollecting());
    EXPECT_TRUE(queue->collector().isPolling());
    clipboard->copyText("via timer");
    // A clipboard that cannot tell of its changes is looked at ten times a second: well within a third of a
    // second, however the machine is loaded, and never a second late.
    EXPECT_TRUE(waitUntil([&] { return queue->queue().size() == 1; }, 350));

    queue->toggleCollecting();
    EXPECT_FALSE(queue->isCollecting());
    EXPECT_FALSE(queue->collector().isPolling());
    EXPECT_EQ(logs.messages().first(), "toggleCollecting isCollecting=true queue.count=0");
    EXPECT_TRUE(logs.messages().contains("checkPasteboard changeCount 0 -> 1"));
    EXPECT_TRUE(logs.messages().contains("queue append type=text queue.count=1"));
    EXPECT_EQ(logs.messages().mid(logs.messages().size() - 2),
              QStringList({"toggleCollecting isCollecting=false queue.count=1",
                           "stopCollecting reason=manualToggle queue.count=1"}));
}

TEST_F(Collection, ASecretCopyIsNeitherReadNorKeptNorLoggedAndTheNextCopyIs) {
    startCollecting();
    clipboard->copyText("hunter2");
    clipboard->secret = true;
    clipboard->reads.clear();
    logs.clear();
    queue->collector().checkClipboard();
    EXPECT_TRUE(queue->queue().isEmpty());
    EXPECT_EQ(clipboard->reads, QStringList({"isSecret"}));
    EXPECT_EQ(logs.messagesStartingWith("copy skipped as a secret").size(), 1);
    EXPECT_FALSE(logs.messages().join('\n').contains("hunter2"));
    queue->collector().checkClipboard();
    EXPECT_EQ(clipboard->reads, QStringList({"isSecret"}));

    // A secret file list: nothing is copied into storage either.
    clipboard->copyFiles({makeSourceFile("secret.kdbx")});
    clipboard->secret = true;
    queue->collector().checkClipboard();
    EXPECT_TRUE(queue->queue().isEmpty());
    EXPECT_FALSE(storageEntries().join(' ').contains(QRegularExpression("[0-9A-F]{8}-")));

    clipboard->copyText("ordinary");
    queue->collector().checkClipboard();
    EXPECT_EQ(queueTexts(), QStringList({"ordinary"}));
}

TEST_F(Collection, AnUnchangedClipboardCostsOneRead) {
    startCollecting();
    clipboard->reads.clear();
    for (int poll = 0; poll < 5; ++poll) {
        queue->collector().checkClipboard();
    }
    EXPECT_TRUE(clipboard->reads.isEmpty());
}

TEST_F(Collection, ReadsFilesThenImagesThenText) {
    startCollecting();
    const auto image = makeImage();
    clipboard->copyFiles({makeSourceFile("a.txt")}, {image});
    clipboard->imageList = {image};
    clipboard->text = "a.txt";
    queue->collector().checkClipboard();
    ASSERT_EQ(queue->queue().size(), 1);
    EXPECT_TRUE(queue->queue().at(0).content.isFile());

    clipboard->copyImages({makeImage(), makeImage(2, 2)});
    clipboard->text = "caption";
    queue->collector().checkClipboard();
    ASSERT_EQ(queue->queue().size(), 3);
    EXPECT_TRUE(queue->queue().at(1).content.isImage());
    EXPECT_EQ(queue->queue().at(2).content.image()->pixelSize(), QSize(2, 2));

    clipboard->copyText("   ");
    queue->collector().checkClipboard();
    ASSERT_EQ(queue->queue().size(), 4);
    EXPECT_EQ(queue->queue().at(3).content.text(), "   ");
    // One line for each entry, saying its kind and never its contents.
    EXPECT_EQ(logs.messagesStartingWith("queue append"),
              QStringList({"queue append type=image queue.count=2", "queue append type=image queue.count=3",
                           "queue append type=text queue.count=4"}));
}

TEST_F(Collection, CapacityIs99AndAChangeSeenWhenFullIsDroppedForGood) {
    fillQueue(98);
    clipboard->copyImages({makeImage(), makeImage(), makeImage()});
    queue->collector().checkClipboard();
    EXPECT_EQ(queue->queue().size(), 99);

    clipboard->copyText("overflow");
    queue->collector().checkClipboard();
    EXPECT_EQ(queue->queue().size(), 99);
    queue->remove(queue->queue().first().id);
    queue->collector().checkClipboard();
    EXPECT_EQ(queue->queue().size(), 98);
    EXPECT_FALSE(queueTexts().contains("overflow"));
    EXPECT_TRUE(queue->isCollecting());
}

TEST_F(Collection, OnlyTheFilesThatFitAreCopied) {
    fillQueue(97);
    clipboard->copyFiles({makeSourceFile("1.txt"), makeSourceFile("2.txt"), makeSourceFile("3.txt")});
    queue->collector().checkClipboard();
    ASSERT_EQ(queue->queue().size(), 99);
    EXPECT_EQ(queue->queue().at(97).content.originalFilename(), "1.txt");
    EXPECT_EQ(queue->queue().at(98).content.originalFilename(), "2.txt");
    EXPECT_EQ(queue->collector().lastChangeCount(), clipboard->count);
    // Only the two copies that were queued are kept.
    EXPECT_EQ(storageEntries().size(), 2);
}

TEST_F(Collection, AnUnreadableChangeIsTriedThreeTimesThenSkipped) {
    startCollecting();
    clipboard->copyText("");
    const qint64 first = clipboard->count;
    queue->collector().checkClipboard();
    queue->collector().checkClipboard();
    EXPECT_EQ(queue->collector().unreadableReadAttempts(), 2);
    EXPECT_EQ(queue->collector().unreadableChangeCount(), first);

    // A newer unreadable change starts again at attempt 1.
    clipboard->copyNothingReadable();
    const qint64 second = clipboard->count;
    queue->collector().checkClipboard();
    queue->collector().checkClipboard();
    queue->collector().checkClipboard();
    queue->collector().checkClipboard();
    EXPECT_EQ(unreadableLines(),
              QStringList({QString("pasteboard unreadable changeCount=%1 attempt=1 types=mock").arg(first),
                           QString("pasteboard unreadable changeCount=%1 attempt=2 types=mock").arg(first),
                           QString("pasteboard unreadable changeCount=%1 attempt=1 types=mock").arg(second),
                           QString("pasteboard unreadable changeCount=%1 attempt=2 types=mock").arg(second),
                           QString("pasteboard unreadable changeCount=%1 attempt=3 types=mock").arg(second)}));
    EXPECT_EQ(queue->collector().lastChangeCount(), second);
    EXPECT_FALSE(queue->collector().unreadableChangeCount().has_value());
    EXPECT_EQ(queue->collector().unreadableReadAttempts(), 0);
    EXPECT_TRUE(std::all_of(logs.lines().cbegin(), logs.lines().cend(), [](const LogLine& line) {
        return !line.message.startsWith("pasteboard unreadable") || line.type == QtInfoMsg;
    }));
}

TEST_F(Collection, AReadThatRacesANewCopyStartsOverWithTheNewerContent) {
    startCollecting();
    clipboard->copyText("first");
    clipboard->onceAfter("plainText", [&] { clipboard->copyText("second"); });
    queue->collector().checkClipboard();
    EXPECT_TRUE(queue->queue().isEmpty());
    EXPECT_NE(queue->collector().lastChangeCount(), clipboard->count);
    queue->collector().checkClipboard();
    EXPECT_EQ(queueTexts(), QStringList({"second"}));
}

TEST_F(Collection, AFileListOrImageReadThatRacesANewCopyIsNotQueued) {
    startCollecting();
    // The list read belonged to the older copy: none of its files may be copied or queued.
    clipboard->copyFiles({makeSourceFile("older.txt")});
    clipboard->onceAfter("fileURLs", [&] { clipboard->copyText("newer"); });
    queue->collector().checkClipboard();
    EXPECT_TRUE(queue->queue().isEmpty());
    EXPECT_TRUE(storageEntries().isEmpty());
    queue->collector().checkClipboard();
    EXPECT_EQ(queueTexts(), QStringList({"newer"}));

    // Likewise an image read while another program copied.
    clipboard->copyImages({makeImage()});
    clipboard->onceAfter("images", [&] { clipboard->copyText("after the image"); });
    queue->collector().checkClipboard();
    EXPECT_EQ(queue->queue().size(), 1);
    queue->collector().checkClipboard();
    EXPECT_EQ(queueTexts(), QStringList({"newer", "after the image"}));
}

TEST_F(Collection, ACopyWhileFilesAreStoredKeepsThemOutOfTheQueue) {
    startCollecting();
    clipboard->copyFiles({makeSourceFile("stored while another copy came.txt")});
    // Another program copies right after the last look before the files are stored.
    clipboard->onceAfter("fileURLs", [&] {
        clipboard->afterCountRead = [&] {
            clipboard->afterCountRead = nullptr;
            ++clipboard->count;
        };
    });
    queue->collector().checkClipboard();
    EXPECT_TRUE(queue->queue().isEmpty());
    EXPECT_TRUE(storageEntries().isEmpty());
}

TEST_F(Collection, ARaceDuringAFileCopyLeavesNoStoredCopyBehind) {
    startCollecting();
    for (const QString raceAt : {"fileURLs", "imagesForFileURLs"}) {
        clipboard->copyFiles({makeSourceFile("kept.txt"), QUrl::fromLocalFile(sourceDirectory + "/gone.txt")});
        clipboard->onceAfter(raceAt, [&] { ++clipboard->count; });
        queue->collector().checkClipboard();
        EXPECT_TRUE(queue->queue().isEmpty()) << raceAt.toStdString();
        EXPECT_TRUE(storageEntries().isEmpty()) << raceAt.toStdString();
    }
}

TEST_F(Collection, CopiedFilesJoinTheQueueInCopyOrderOnceTheirCopyIsComplete) {
    holdBackgroundWork();
    makeQueue();
    // The start-up clean-up runs in the background as well.
    runWaiting();
    collectTexts({"before"});
    clipboard->copyFiles({makeSourceFile("large.bin", "large")});
    queue->collector().checkClipboard();
    ASSERT_EQ(waiting.size(), 1);
    EXPECT_TRUE(queue->collector().isCopyingFiles());
    EXPECT_TRUE(storageEntries().isEmpty());
    // Looking again while it copies starts no second copy.
    queue->collector().checkClipboard();
    EXPECT_EQ(waiting.size(), 1);

    // What is copied meanwhile waits behind the files.
    clipboard->copyText("after");
    queue->collector().checkClipboard();
    EXPECT_EQ(queueTexts(), QStringList({"before"}));
    EXPECT_EQ(queue->paster().pasteNext(), PasteAttemptResult::commandPosted);
    EXPECT_EQ(queue->paster().pasteNext(), PasteAttemptResult::copyInProgress);
    EXPECT_EQ(postedClipboard.size(), 1);

    runWaiting();
    EXPECT_FALSE(queue->collector().isCopyingFiles());
    ASSERT_EQ(queue->queue().size(), 2);
    EXPECT_EQ(readFile(queue->queue().at(0).content.fileUrl()), "large");
    EXPECT_EQ(queue->queue().at(1).content.text(), "after");
    // Settling the files' change does not bring the later copy back.
    queue->collector().checkClipboard();
    EXPECT_EQ(queue->queue().size(), 2);

    // Removing a copy (a folder of many files takes seconds) happens off the main thread too.
    const QString stored = queue->queue().at(0).content.fileUrl().toLocalFile();
    queue->remove(queue->queue().at(0).id);
    EXPECT_TRUE(QFile::exists(stored));
    runWaiting();
    EXPECT_FALSE(QFile::exists(stored));
}

TEST_F(Collection, FilesAreCopiedOnAWorkerAndArriveThroughTheEventLoop) {
    runInBackground = nullptr;
    makeQueue();
    startCollecting();
    clipboard->copyFiles({makeSourceFile("a.txt", "a"), makeSourceFile("b.txt", "b")});
    queue->collector().checkClipboard();
    ASSERT_TRUE(waitUntil([&] { return queue->queue().size() == 2; }));
    EXPECT_EQ(readFile(queue->queue().at(0).content.fileUrl()), "a");
    EXPECT_EQ(readFile(queue->queue().at(1).content.fileUrl()), "b");
    EXPECT_EQ(queue->collector().lastChangeCount(), clipboard->count);
}

TEST_F(Collection, AVanishedSourceDelaysTheChangeThenTheRestIsQueued) {
    startCollecting();
    const QUrl gone = QUrl::fromLocalFile(sourceDirectory + "/vanished.txt");
    clipboard->copyFiles({makeSourceFile("present.txt"), gone});
    queue->collector().checkClipboard();
    queue->collector().checkClipboard();
    EXPECT_TRUE(queue->queue().isEmpty());
    EXPECT_TRUE(storageEntries().isEmpty());
    queue->collector().checkClipboard();
    ASSERT_EQ(queue->queue().size(), 1);
    EXPECT_EQ(queue->queue().at(0).content.originalFilename(), "present.txt");
    EXPECT_EQ(unreadableLines().size(), 3);
    EXPECT_EQ(queue->collector().lastChangeCount(), clipboard->count);
}

TEST_F(Collection, AFileThatCannotBeCopiedFallsBackToItsImage) {
    startCollecting();
    const auto fallback = makeImage();
    clipboard->copyFiles({QUrl::fromLocalFile(sourceDirectory + "/vanished.png"), makeSourceFile("b.txt")},
                         {fallback, nullptr});
    queue->collector().checkClipboard();
    ASSERT_EQ(queue->queue().size(), 2);
    EXPECT_EQ(queue->queue().at(0).content.image(), fallback);
    EXPECT_EQ(queue->queue().at(1).content.originalFilename(), "b.txt");
    EXPECT_TRUE(unreadableLines().isEmpty());
}

TEST_F(Collection, EveryCopyTheFullQueueCannotTakeIsLoggedAndToldOnceUntilItHasRoomAgain) {
    QSignalSpy told(&queue->collector(), &ClipboardCollector::copyNotQueued);
    fillQueue(99);
    logs.clear();
    clipboard->copyText("overflow text");
    queue->collector().checkClipboard();
    clipboard->copyImages({makeImage()});
    queue->collector().checkClipboard();
    // The owner exiting is no copy the queue had to leave out.
    clipboard->ownerExited();
    queue->collector().checkClipboard();
    EXPECT_EQ(logs.messagesStartingWith("copy skipped as the queue is full"),
              QStringList({QString("copy skipped as the queue is full changeCount=%1 queue.count=99").arg(100),
                           QString("copy skipped as the queue is full changeCount=%1 queue.count=99").arg(101)}));
    EXPECT_EQ(told.size(), 1);

    // Room for one of three images: the rest is a new burst, told anew.
    queue->remove(queue->queue().first().id);
    clipboard->copyImages({makeImage(), makeImage(), makeImage()});
    queue->collector().checkClipboard();
    EXPECT_EQ(queue->queue().size(), 99);
    EXPECT_EQ(logs.messagesStartingWith("copy partly skipped"),
              QStringList({QString("copy partly skipped as the queue is full changeCount=%1 kept=1 skipped=2 "
                                   "queue.count=99")
                               .arg(clipboard->count)}));
    clipboard->copyText("overflow text");
    queue->collector().checkClipboard();
    EXPECT_EQ(told.size(), 2);

    // 120 files on an empty queue: 99 are queued, the user hears of the rest once, also when a text follows.
    queue->clear();
    QList<QUrl> files;
    for (int index = 0; index < 120; ++index) {
        files.append(makeSourceFile(QString("many/%1.txt").arg(index)));
    }
    clipboard->copyFiles(files);
    queue->collector().checkClipboard();
    EXPECT_EQ(queue->queue().size(), 99);
    EXPECT_EQ(logs.messagesStartingWith("copy partly skipped").last(),
              QString("copy partly skipped as the queue is full changeCount=%1 kept=99 skipped=21 queue.count=99")
                  .arg(clipboard->count));
    clipboard->copyText("overflow text");
    queue->collector().checkClipboard();
    EXPECT_EQ(logs.messagesStartingWith("copy skipped as the queue is full").size(), 4);
    EXPECT_EQ(told.size(), 3);
    for (const auto& arguments : told) {
        EXPECT_EQ(arguments.at(0).value<ClipboardCollector::CopyProblem>(),
                  ClipboardCollector::CopyProblem::overCapacity);
    }
    EXPECT_FALSE(logs.messages().join('\n').contains("overflow"));
}

TEST_F(Collection, AnImageJoinsOnlyOnceItDecodesAndOneThatDoesNotIsSkippedAtOnce) {
    startCollecting();
    const QByteArray png = encodedImage(QSize(64, 48), "PNG");
    // Its header reads, its rows end half way; the text beside it does not take its place.
    const ClipboardImageRef truncated = ClipboardImage::fromEncoded(png.left(png.size() / 2), "image/png");
    ASSERT_TRUE(truncated);
    clipboard->copyImages({truncated});
    clipboard->text = "caption";
    queue->collector().checkClipboard();
    // Declares 900 megapixels in a kilobyte: refused before any of it is decoded.
    const ClipboardImageRef huge = ClipboardImage::fromEncoded(pngDeclaringOnly(QSize(30000, 30000)), "image/png");
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->check(), ClipboardImage::Check::tooManyPixels);
    clipboard->copyImages({huge});
    queue->collector().checkClipboard();
    // Offered as a picture, but nothing the clipboard could read is one.
    ASSERT_FALSE(ClipboardImage::fromEncoded(QByteArray(1024, '\0'), "image/png"));
    clipboard->copyNothingReadable();
    clipboard->types = QStringList({"text/x-moz-url", "image/png"});
    for (int poll = 0; poll < ClipboardCollector::unreadableRetryLimit; ++poll) {
        queue->collector().checkClipboard();
    }

    EXPECT_TRUE(queue->queue().isEmpty());
    EXPECT_EQ(logs.messagesStartingWith("image skipped as unreadable"),
              QStringList({QString("image skipped as unreadable changeCount=%1 reason=undecodable type=image/png "
                                   "width=64 height=48")
                               .arg(clipboard->count - 2),
                           QString("image skipped as unreadable changeCount=%1 reason=tooManyPixels type=image/png "
                                   "width=30000 height=30000")
                               .arg(clipboard->count - 1),
                           QString("image skipped as unreadable changeCount=%1 reason=notRead type=image/png width=0 "
                                   "height=0")
                               .arg(clipboard->count)}));
    // Each skipped at its first look: the same bytes would fail again.
    EXPECT_TRUE(unreadableLines().isEmpty());
    EXPECT_EQ(queue->collector().lastChangeCount(), clipboard->count);

    const ClipboardImageRef whole = ClipboardImage::fromEncoded(png, "image/png");
    clipboard->copyImages({whole});
    queue->collector().checkClipboard();
    ASSERT_EQ(queue->queue().size(), 1);
    EXPECT_EQ(queue->queue().first().content.image(), whole);
}

TEST_F(Collection, ClearCallsOffWhatIsOnItsWayAndNothingClearedComesBack) {
    holdBackgroundWork();
    makeQueue();
    runWaiting();
    startCollecting();

    // Files being stored, an image being checked, and a text waiting behind them.
    clipboard->copyFiles({makeSourceFile("large.bin", "large")});
    queue->collector().checkClipboard();
    clipboard->copyImages({makeImage()});
    queue->collector().checkClipboard();
    clipboard->copyText("after");
    queue->collector().checkClipboard();
    ASSERT_EQ(waiting.size(), 2);
    EXPECT_TRUE(queue->queue().isEmpty());
    queue->clear();
    EXPECT_FALSE(queue->collector().isCopyingFiles());
    runWaiting();
    EXPECT_TRUE(queue->queue().isEmpty());
    EXPECT_TRUE(storageEntries().isEmpty());

    // A copy made in the background before Clear, arriving after it: it goes, and the files still on the
    // clipboard are not collected again.
    clipboard->copyFiles({makeSourceFile("made.bin", "made")});
    queue->collector().checkClipboard();
    ASSERT_EQ(waiting.size(), 1);
    const Work copy = waiting.takeFirst();
    copy.work();
    EXPECT_EQ(storageEntries().size(), 1);
    queue->clear();
    copy.completion();
    runWaiting();
    queue->collector().checkClipboard();
    EXPECT_TRUE(waiting.isEmpty());
    EXPECT_TRUE(queue->queue().isEmpty());
    EXPECT_TRUE(storageEntries().isEmpty());

    // What is copied after Clear is collected as ever.
    collectTexts({"new"});
    EXPECT_EQ(queueTexts(), QStringList({"new"}));
}

// A clipboard that tells of its changes, as the system's does.
class ObservedCollection : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        clipboard->notifies = true;
        makeQueue();
        queue->toggleCollecting();
    }
};

TEST_F(ObservedCollection, EachChangeIsCollectedAtOnceAndNothingRunsWhileIdle) {
    EXPECT_TRUE(queue->collector().isClipboardObserved());
    EXPECT_FALSE(queue->collector().isPolling());
    for (const char* text : {"one", "two", "three"}) {
        const qsizetype before = queue->queue().size();
        clipboard->copyText(QString::fromUtf8(text));
        // Told through the event loop: nothing is read inside the clipboard's own call.
        EXPECT_EQ(queue->queue().size(), before);
        ASSERT_TRUE(waitUntil([&] { return queue->queue().size() == before + 1; }, 2000));
    }
    EXPECT_EQ(queueTexts(), QStringList({"one", "two", "three"}));
    EXPECT_FALSE(queue->collector().isPolling());

    // Not collecting: a change is not even read.
    queue->toggleCollecting();
    clipboard->reads.clear();
    clipboard->copyText("ignored");
    ASSERT_TRUE(waitUntil([&] { return clipboard->observerCalls == 4; }, 2000));
    EXPECT_TRUE(clipboard->reads.isEmpty());
    EXPECT_EQ(queue->queue().size(), 3);
}

TEST_F(ObservedCollection, AnUnreadableChangeIsRetriedOnATimerThatStopsWithIt) {
    clipboard->copyNothingReadable();
    ASSERT_TRUE(waitUntil([&] { return logs.messagesStartingWith("pasteboard unreadable").size() == 1; }, 2000));
    EXPECT_TRUE(queue->collector().isPolling());
    ASSERT_TRUE(waitUntil([&] { return logs.messagesStartingWith("pasteboard unreadable").size() == 3; }, 2000));
    EXPECT_FALSE(queue->collector().isPolling());
    runEventLoopFor(250);
    EXPECT_EQ(logs.messagesStartingWith("pasteboard unreadable").size(), 3);

    // Readable on the second look: the retry ends there.
    clipboard->copyNothingReadable();
    ASSERT_TRUE(waitUntil([&] { return logs.messagesStartingWith("pasteboard unreadable").size() == 4; }, 2000));
    clipboard->text = QStringLiteral("late");
    ASSERT_TRUE(waitUntil([&] { return queue->queue().size() == 1; }, 2000));
    EXPECT_FALSE(queue->collector().isPolling());
}

TEST_F(ObservedCollection, ACopyTooLargeToKeepIsSkippedOnceWithAWordToTheUser) {
    QSignalSpy skipped(&queue->collector(), &ClipboardCollector::copySkippedAsTooLarge);
    clipboard->copyTooLarge();
    ASSERT_TRUE(waitUntil([&] { return skipped.count() == 1; }, 2000));
    EXPECT_EQ(logs.messagesStartingWith("copy skipped as larger than the size limit").size(), 1);
    EXPECT_TRUE(logs.messagesStartingWith("pasteboard unreadable").isEmpty());
    EXPECT_FALSE(queue->collector().isPolling());
    runEventLoopFor(250);
    EXPECT_EQ(skipped.count(), 1);
    EXPECT_TRUE(queue->queue().isEmpty());

    // A too large image is not replaced by the text that came with it.
    clipboard->copyTooLarge();
    clipboard->text = QStringLiteral("caption of the image");
    ASSERT_TRUE(waitUntil([&] { return skipped.count() == 2; }, 2000));
    EXPECT_TRUE(queue->queue().isEmpty());

    clipboard->copyText("small");
    ASSERT_TRUE(waitUntil([&] { return queue->queue().size() == 1; }, 2000));
    EXPECT_EQ(skipped.count(), 2);
}

TEST_F(ObservedCollection, AnEmptiedClipboardAndACopyTheDesktopKeptAreNoCopiesAndAreNeitherReadNorRetried) {
    clipboard->copyText("kept");
    ASSERT_TRUE(waitUntil([&] { return queue->queue().size() == 1; }, 2000));
    clipboard->reads.clear();
    clipboard->ownerExited();
    ASSERT_TRUE(waitUntil([&] { return queue->collector().lastChangeCount() == clipboard->count; }, 2000));
    EXPECT_EQ(logs.messagesStartingWith("clipboard emptied"),
              QStringList({QString("clipboard emptied changeCount=%1").arg(clipboard->count)}));
    EXPECT_FALSE(queue->collector().isPolling());
    runEventLoopFor(250);
    EXPECT_TRUE(clipboard->reads.isEmpty());
    EXPECT_TRUE(logs.messagesStartingWith("pasteboard unreadable").isEmpty());
    EXPECT_EQ(queueTexts(), QStringList({"kept"}));

    // The desktop takes the clipboard over with what the program had copied.
    clipboard->text = QStringLiteral("kept");
    clipboard->keepCopy();
    ASSERT_TRUE(waitUntil([&] { return queue->collector().lastChangeCount() == clipboard->count; }, 2000));
    EXPECT_EQ(logs.messagesStartingWith("copy kept by the desktop"),
              QStringList({QString("copy kept by the desktop changeCount=%1").arg(clipboard->count)}));
    runEventLoopFor(250);
    EXPECT_TRUE(clipboard->reads.isEmpty());
    EXPECT_EQ(queueTexts(), QStringList({"kept"}));

    // The same text copied again is a copy.
    clipboard->copyText("kept");
    ASSERT_TRUE(waitUntil([&] { return queue->queue().size() == 2; }, 2000));
}
