#include "tests/support/EngineFixture.h"

#include <QSignalSpy>

using namespace sorvu;
using namespace sorvu::test;

namespace {

class Collection : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        makeStack();
    }

    void startCollecting() {
        if (!stack->isCollecting()) {
            stack->toggleCollecting();
        }
    }

    void fillQueue(int count) {
        startCollecting();
        for (int index = 0; index < count; ++index) {
            pasteboard->copyText(QString::number(index));
            stack->checkPasteboard();
        }
        ASSERT_EQ(stack->queue().size(), count);
    }

    QStringList unreadableLines() const { return logs.messagesStartingWith("pasteboard unreadable"); }
};

} // namespace

TEST_F(Collection, WhatIsOnTheClipboardAtStartIsNeverCollected) {
    pasteboard->copyText("already there");
    startCollecting();
    stack->checkPasteboard();
    EXPECT_TRUE(stack->queue().isEmpty());
    pasteboard->copyText("new");
    stack->checkPasteboard();
    EXPECT_EQ(queueTexts(), QStringList({"new"}));
}

TEST_F(Collection, TogglingLogsAndDrivesThePollTimer) {
    logs.clear();
    stack->toggleCollecting();
    EXPECT_TRUE(stack->isCollecting());
    EXPECT_TRUE(stack->isPolling());
    pasteboard->copyText("via timer");
    EXPECT_TRUE(waitUntil([&] { return stack->queue().size() == 1; }, 2000));

    stack->toggleCollecting();
    EXPECT_FALSE(stack->isCollecting());
    EXPECT_FALSE(stack->isPolling());
    EXPECT_EQ(logs.messages().first(), "toggleCollecting isCollecting=true queue.count=0");
    EXPECT_TRUE(logs.messages().contains("checkPasteboard changeCount 0 -> 1"));
    EXPECT_TRUE(logs.messages().contains("queue append type=text queue.count=1"));
    EXPECT_EQ(logs.messages().mid(logs.messages().size() - 2),
              QStringList({"toggleCollecting isCollecting=false queue.count=1",
                           "stopCollecting reason=manualToggle queue.count=1"}));
}

TEST_F(Collection, AnUnchangedClipboardCostsOneRead) {
    startCollecting();
    pasteboard->reads.clear();
    for (int poll = 0; poll < 5; ++poll) {
        stack->checkPasteboard();
    }
    EXPECT_TRUE(pasteboard->reads.isEmpty());
}

TEST_F(Collection, ReadsFilesThenImagesThenText) {
    startCollecting();
    const auto image = makeImage();
    pasteboard->copyFiles({makeSourceFile("a.txt")}, {image});
    pasteboard->imageList = {image};
    pasteboard->text = "a.txt";
    stack->checkPasteboard();
    ASSERT_EQ(stack->queue().size(), 1);
    EXPECT_TRUE(stack->queue().at(0).content.isFile());

    pasteboard->copyImages({makeImage(), makeImage(2, 2)});
    pasteboard->text = "caption";
    stack->checkPasteboard();
    ASSERT_EQ(stack->queue().size(), 3);
    EXPECT_TRUE(stack->queue().at(1).content.isImage());
    EXPECT_EQ(stack->queue().at(2).content.image()->pixelSize(), QSize(2, 2));

    pasteboard->copyText("   ");
    stack->checkPasteboard();
    ASSERT_EQ(stack->queue().size(), 4);
    EXPECT_EQ(stack->queue().at(3).content.text(), "   ");
}

TEST_F(Collection, CapacityIs99AndAChangeSeenWhenFullIsDroppedForGood) {
    fillQueue(98);
    pasteboard->copyImages({makeImage(), makeImage(), makeImage()});
    stack->checkPasteboard();
    EXPECT_EQ(stack->queue().size(), 99);

    pasteboard->copyText("overflow");
    stack->checkPasteboard();
    EXPECT_EQ(stack->queue().size(), 99);
    stack->remove(stack->queue().first().id);
    stack->checkPasteboard();
    EXPECT_EQ(stack->queue().size(), 98);
    EXPECT_FALSE(queueTexts().contains("overflow"));
    EXPECT_TRUE(stack->isCollecting());
}

TEST_F(Collection, OnlyTheFilesThatFitAreCopied) {
    fillQueue(97);
    pasteboard->copyFiles({makeSourceFile("1.txt"), makeSourceFile("2.txt"), makeSourceFile("3.txt")});
    stack->checkPasteboard();
    ASSERT_EQ(stack->queue().size(), 99);
    EXPECT_EQ(stack->queue().at(97).content.originalFilename(), "1.txt");
    EXPECT_EQ(stack->queue().at(98).content.originalFilename(), "2.txt");
    EXPECT_EQ(stack->lastChangeCount(), pasteboard->count);
    // Only the two copies that were queued are kept.
    EXPECT_EQ(storageEntries().size(), 3);
}

TEST_F(Collection, AnUnreadableChangeIsTriedThreeTimesThenSkipped) {
    startCollecting();
    pasteboard->copyText("");
    const qint64 first = pasteboard->count;
    stack->checkPasteboard();
    stack->checkPasteboard();
    EXPECT_EQ(stack->unreadableReadAttempts(), 2);
    EXPECT_EQ(stack->unreadableChangeCount(), first);

    // A newer unreadable change starts again at attempt 1.
    pasteboard->copyNothingReadable();
    const qint64 second = pasteboard->count;
    stack->checkPasteboard();
    stack->checkPasteboard();
    stack->checkPasteboard();
    stack->checkPasteboard();
    EXPECT_EQ(unreadableLines(),
              QStringList({QString("pasteboard unreadable changeCount=%1 attempt=1 types=mock").arg(first),
                           QString("pasteboard unreadable changeCount=%1 attempt=2 types=mock").arg(first),
                           QString("pasteboard unreadable changeCount=%1 attempt=1 types=mock").arg(second),
                           QString("pasteboard unreadable changeCount=%1 attempt=2 types=mock").arg(second),
                           QString("pasteboard unreadable changeCount=%1 attempt=3 types=mock").arg(second)}));
    EXPECT_EQ(stack->lastChangeCount(), second);
    EXPECT_FALSE(stack->unreadableChangeCount().has_value());
    EXPECT_EQ(stack->unreadableReadAttempts(), 0);
    EXPECT_TRUE(std::all_of(logs.lines().cbegin(), logs.lines().cend(), [](const LogLine& line) {
        return !line.message.startsWith("pasteboard unreadable") || line.level == LogLevel::Info;
    }));
}

TEST_F(Collection, AReadThatRacesANewCopyStartsOverWithTheNewerContent) {
    startCollecting();
    pasteboard->copyText("first");
    pasteboard->afterRead = [&](const QString& read) {
        if (read == "plainText") {
            pasteboard->afterRead = nullptr;
            pasteboard->copyText("second");
        }
    };
    stack->checkPasteboard();
    EXPECT_TRUE(stack->queue().isEmpty());
    EXPECT_NE(stack->lastChangeCount(), pasteboard->count);
    stack->checkPasteboard();
    EXPECT_EQ(queueTexts(), QStringList({"second"}));
}

TEST_F(Collection, ARaceDuringAFileCopyLeavesNoStoredCopyBehind) {
    startCollecting();
    for (const QString raceAt : {"photoAssetFilenames", "imagesForFileURLs"}) {
        pasteboard->copyFiles({makeSourceFile("kept.txt"), QUrl::fromLocalFile(sourceDirectory + "/gone.txt")});
        pasteboard->afterRead = [&, raceAt](const QString& read) {
            if (read == raceAt) {
                pasteboard->afterRead = nullptr;
                ++pasteboard->count;
            }
        };
        stack->checkPasteboard();
        EXPECT_TRUE(stack->queue().isEmpty()) << raceAt.toStdString();
        EXPECT_EQ(storageEntries(), QStringList({"CACHEDIR.TAG"})) << raceAt.toStdString();
    }
}

TEST_F(Collection, AVanishedSourceDelaysTheChangeThenTheRestIsQueued) {
    startCollecting();
    const QUrl gone = QUrl::fromLocalFile(sourceDirectory + "/vanished.txt");
    pasteboard->copyFiles({makeSourceFile("present.txt"), gone});
    stack->checkPasteboard();
    stack->checkPasteboard();
    EXPECT_TRUE(stack->queue().isEmpty());
    EXPECT_EQ(storageEntries(), QStringList({"CACHEDIR.TAG"}));
    stack->checkPasteboard();
    ASSERT_EQ(stack->queue().size(), 1);
    EXPECT_EQ(stack->queue().at(0).content.originalFilename(), "present.txt");
    EXPECT_EQ(unreadableLines().size(), 3);
    EXPECT_EQ(stack->lastChangeCount(), pasteboard->count);
}

TEST_F(Collection, AFileThatCannotBeCopiedFallsBackToItsImage) {
    startCollecting();
    const auto fallback = makeImage();
    pasteboard->copyFiles({QUrl::fromLocalFile(sourceDirectory + "/vanished.png"), makeSourceFile("b.txt")},
                          {fallback, nullptr});
    stack->checkPasteboard();
    ASSERT_EQ(stack->queue().size(), 2);
    EXPECT_EQ(stack->queue().at(0).content.image(), fallback);
    EXPECT_EQ(stack->queue().at(1).content.originalFilename(), "b.txt");
    EXPECT_TRUE(unreadableLines().isEmpty());
}

TEST_F(Collection, PhotoNamesAndTheAuthorizationRoundTrip) {
    startCollecting();
    const QUrl exported = makeSourceFile("export-123.jpeg");
    pasteboard->copyFiles({exported});
    pasteboard->photoAuthorizationUndecided = true;
    stack->checkPasteboard();
    EXPECT_TRUE(stack->photoAuthorizationPending());
    ASSERT_EQ(pasteboard->photoRequests.size(), 1);
    stack->checkPasteboard();
    EXPECT_EQ(pasteboard->photoRequests.size(), 1);

    pasteboard->photoAuthorizationUndecided = false;
    pasteboard->photoNames = {{exported, "Holiday.jpeg"}};
    pasteboard->photoRequests.takeFirst()();
    EXPECT_TRUE(stack->photoAuthorizationPending());
    EXPECT_TRUE(waitUntil([&] { return stack->queue().size() == 1; }));
    EXPECT_FALSE(stack->photoAuthorizationPending());
    EXPECT_EQ(stack->queue().at(0).content.originalFilename(), "Holiday.jpeg");
    EXPECT_TRUE(stack->queue().at(0).content.fileUrl().path().endsWith("/Holiday.jpeg"));
}

TEST_F(Collection, StoppingWhileAskingForPhotoAccessLeavesTheChangeUnread) {
    startCollecting();
    pasteboard->copyFiles({makeSourceFile("photo.jpeg")});
    pasteboard->photoAuthorizationUndecided = true;
    stack->checkPasteboard();
    stack->toggleCollecting();
    pasteboard->photoAuthorizationUndecided = false;
    pasteboard->photoRequests.takeFirst()();
    EXPECT_TRUE(waitUntil([&] { return !stack->photoAuthorizationPending(); }));
    EXPECT_TRUE(stack->queue().isEmpty());
    EXPECT_NE(stack->lastChangeCount(), pasteboard->count);
}

TEST_F(Collection, APhotoAnswerArrivingAfterTeardownDoesNothing) {
    startCollecting();
    pasteboard->copyFiles({makeSourceFile("photo.jpeg")});
    pasteboard->photoAuthorizationUndecided = true;
    stack->checkPasteboard();
    auto completion = pasteboard->photoRequests.takeFirst();
    stack.reset();
    completion();
    QCoreApplication::processEvents();
    EXPECT_EQ(storageEntries(), QStringList({"CACHEDIR.TAG"}));
}
