// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/EngineFixture.h"

#include <QSignalSpy>

using namespace sorvu;
using namespace sorvu::test;

namespace {

class Paste : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        makeQueue();
    }
};

} // namespace

TEST_F(Paste, PastesInCopyOrderAndStopsWhenDrained) {
    collectTexts({"one", "two"});
    logs.clear();
    EXPECT_EQ(queue->paster().pasteNext(), PasteAttemptResult::commandPosted);
    EXPECT_EQ(queue->paster().pasteNext(), PasteAttemptResult::commandPosted);
    ASSERT_EQ(postedClipboard.size(), 2);
    EXPECT_EQ(postedClipboard.at(0).text(), "one");
    EXPECT_EQ(postedClipboard.at(1).text(), "two");
    EXPECT_TRUE(queue->queue().isEmpty());
    EXPECT_FALSE(queue->isCollecting());
    EXPECT_EQ(logs.messages(),
              QStringList({"paste keystroke keys=Ctrl+V windowClass=", "queue removeFirst queue.count=1",
                           "paste keystroke keys=Ctrl+V windowClass=", "queue removeFirst queue.count=0",
                           "stopCollecting reason=queueDrained queue.count=0"}));
}

TEST_F(Paste, TheKeysTableChoosesTheKeystrokeForTheReceivingWindow) {
    collectTexts({"to the terminal", "to the editor"});
    output->recipient = WindowClass{QStringLiteral("xfce4-terminal"), QStringLiteral("Xfce4-terminal")};
    EXPECT_EQ(queue->paster().pasteNext(), PasteAttemptResult::commandPosted);
    output->recipient.reset();
    EXPECT_EQ(queue->paster().pasteNext(), PasteAttemptResult::commandPosted);
    EXPECT_EQ(output->posted, QList<PasteKeys>({PasteKeys::controlShiftV, PasteKeys::controlV}));
    EXPECT_EQ(logs.messagesStartingWith("paste keystroke").first(),
              "paste keystroke keys=Ctrl+Shift+V windowClass=Xfce4-terminal");
}

TEST_F(Paste, OurOwnWriteIsNeverCollectedBack) {
    collectTexts({"one", "two"});
    EXPECT_EQ(queue->paster().pasteNext(), PasteAttemptResult::commandPosted);
    queue->collector().checkClipboard();
    EXPECT_EQ(queueTexts(), QStringList({"two"}));

    clipboard->writeSucceeds = false;
    EXPECT_EQ(queue->paster().pasteNext(), PasteAttemptResult::clipboardWriteFailed);
    queue->collector().checkClipboard();
    EXPECT_EQ(queueTexts(), QStringList({"two"}));
    EXPECT_EQ(postedClipboard.size(), 1);
}

TEST_F(Paste, ACopyJustBeforeThePasteIsQueuedAtTheTail) {
    collectTexts({"head"});
    clipboard->copyText("late");
    EXPECT_EQ(queue->paster().pasteNext(), PasteAttemptResult::commandPosted);
    EXPECT_EQ(postedClipboard.last().text(), "head");
    EXPECT_EQ(queueTexts(), QStringList({"late"}));

    // With nothing queued the late copy itself is pasted.
    EXPECT_EQ(queue->paster().pasteNext(), PasteAttemptResult::commandPosted);
    clipboard->copyText("ignored, not collecting");
    queue->toggleCollecting();
    clipboard->copyText("only");
    EXPECT_EQ(queue->paster().pasteNext(), PasteAttemptResult::commandPosted);
    EXPECT_EQ(postedClipboard.last().text(), "only");
}

TEST_F(Paste, WhileNotCollectingAPasteNeverLooksAtTheClipboard) {
    collectTexts({"kept"});
    queue->toggleCollecting();
    clipboard->copyText("copied while not collecting");
    clipboard->reads.clear();
    EXPECT_EQ(queue->paster().pasteNext(), PasteAttemptResult::commandPosted);
    EXPECT_TRUE(clipboard->reads.isEmpty());
    EXPECT_EQ(postedClipboard.last().text(), "kept");
    EXPECT_EQ(queue->paster().pasteNext(), PasteAttemptResult::queueEmpty);
    EXPECT_TRUE(clipboard->reads.isEmpty());
    EXPECT_FALSE(queue->collector().isPolling());
}

TEST_F(Paste, AnEmptyQueueFlashes) {
    QSignalSpy flashes(&queue->paster(), &QueuePaster::flashRequested);
    EXPECT_EQ(queue->paster().pasteNext(), PasteAttemptResult::queueEmpty);
    EXPECT_EQ(queue->paster().pasteAllText(", ", {}), PasteAttemptResult::queueEmpty);
    EXPECT_EQ(flashes.count(), 2);
    EXPECT_EQ(output->preparations, 0);
}

TEST_F(Paste, FailuresLeaveTheHeadInPlace) {
    collectTexts({"head", "tail"});
    const qint64 countBefore = clipboard->count;

    output->inputAccess = false;
    QSignalSpy accessPublished(&queue->paster(), &QueuePaster::hasInputAccessChanged);
    EXPECT_EQ(queue->paster().pasteNext(), PasteAttemptResult::accessibilityUnavailable);
    EXPECT_FALSE(queue->paster().hasInputAccess());
    EXPECT_EQ(accessPublished.count(), 1);
    EXPECT_EQ(output->preparations, 0);
    EXPECT_EQ(clipboard->count, countBefore);

    output->inputAccess = true;
    output->keysAvailable = false;
    EXPECT_EQ(queue->paster().pasteNext(), PasteAttemptResult::eventCreationFailed);
    EXPECT_TRUE(queue->paster().hasInputAccess());
    EXPECT_EQ(clipboard->count, countBefore);

    output->keysAvailable = true;
    clipboard->writeSucceeds = false;
    EXPECT_EQ(queue->paster().pasteNext(), PasteAttemptResult::clipboardWriteFailed);
    EXPECT_EQ(queue->collector().lastChangeCount(), clipboard->count);

    EXPECT_EQ(queueTexts(), QStringList({"head", "tail"}));
    EXPECT_TRUE(postedClipboard.isEmpty());
    EXPECT_TRUE(queue->isCollecting());
}

TEST_F(Paste, APastedFileLivesWhileOfferedAndAGracePeriodAfter) {
    queue->toggleCollecting();
    clipboard->copyFiles({makeSourceFile("doc.txt", "body")});
    queue->collector().checkClipboard();
    const auto entry = queue->queue().at(0);
    EXPECT_EQ(queue->paster().pasteNext(), PasteAttemptResult::commandPosted);
    EXPECT_EQ(postedClipboard.last(), entry.content);

    // The target may take minutes over a large folder: while our paste is on the clipboard the copy stays.
    const auto secondsUntilGone = [&](double limit) {
        double elapsed = 0;
        while (elapsed < limit && QFile::exists(entry.content.fileUrl().toLocalFile())) {
            scheduler.advance(1.0);
            elapsed += 1.0;
        }
        return elapsed;
    };
    EXPECT_EQ(secondsUntilGone(ClipboardQueue::storedCopyGraceSeconds * 4), ClipboardQueue::storedCopyGraceSeconds * 4);

    // Another copy ends the offer; whoever started reading before gets the grace period to finish.
    clipboard->copyText("later");
    const double afterTheOffer = secondsUntilGone(ClipboardQueue::storedCopyGraceSeconds * 4);
    EXPECT_GE(afterTheOffer, ClipboardQueue::storedCopyGraceSeconds);
    EXPECT_LE(afterTheOffer, ClipboardQueue::storedCopyGraceSeconds * 2);
    EXPECT_FALSE(QFile::exists(entry.content.fileUrl().toLocalFile()));
    EXPECT_TRUE(scheduler.pendingDelays().isEmpty());
}

TEST_F(Paste, AStoredFileThatVanishedIsReportedNotPasted) {
    queue->toggleCollecting();
    clipboard->copyFiles({makeSourceFile("gone.txt"), makeSourceFile("next.txt")});
    queue->collector().checkClipboard();
    ASSERT_EQ(queue->queue().size(), 2);
    const auto vanished = queue->queue().at(0);
    ASSERT_TRUE(QDir(queue->files().instancePath() + "/" + uuidString(vanished.id)).removeRecursively());
    logs.clear();

    EXPECT_EQ(queue->paster().pasteNext(), PasteAttemptResult::storedFileMissing);
    EXPECT_TRUE(postedClipboard.isEmpty());
    EXPECT_TRUE(clipboard->written.isEmpty());
    EXPECT_EQ(
        logs.messagesStartingWith("pasteNext stored file missing"),
        QStringList({QString("pasteNext stored file missing itemID=%1 queue.count=1").arg(uuidString(vanished.id))}));
    EXPECT_EQ(logs.lines().last().type, QtCriticalMsg);
    // The entry that can never be pasted goes; the next one pastes.
    EXPECT_EQ(queue->paster().pasteNext(), PasteAttemptResult::commandPosted);
    EXPECT_EQ(postedClipboard.last().originalFilename(), "next.txt");
}

TEST_F(Paste, CombinedPasteJoinsTextsWithTheSeparator) {
    collectTexts({"a", "b", "c"});
    EXPECT_EQ(queue->paster().pasteAllText(", ", ids()), PasteAttemptResult::commandPosted);
    EXPECT_EQ(postedClipboard.last().text(), "a, b, c");
    EXPECT_TRUE(queue->queue().isEmpty());
    EXPECT_FALSE(queue->isCollecting());
    EXPECT_TRUE(logs.messages().endsWith("queue removeAll after combined paste"));
    // Collecting stops once the queue is empty, and says so.
    EXPECT_EQ(logs.messagesStartingWith("stopCollecting"),
              QStringList({"stopCollecting reason=queueDrained queue.count=0"}));

    collectTexts({"a", "b", "c"});
    EXPECT_EQ(queue->paster().pasteAllText("", ids()), PasteAttemptResult::commandPosted);
    EXPECT_EQ(postedClipboard.last().text(), "abc");
}

TEST_F(Paste, CombinedPasteRefusesAQueueThatChangedOrHoldsNonText) {
    collectTexts({"a", "b"});
    const auto seen = ids();
    EXPECT_EQ(queue->paster().pasteAllText("\n", {}), PasteAttemptResult::queueChanged);
    EXPECT_EQ(queue->paster().pasteAllText("\n", {seen.at(1), seen.at(0)}), PasteAttemptResult::queueChanged);

    // A copy the caller has not seen yet changes the queue.
    clipboard->copyText("c");
    EXPECT_EQ(queue->paster().pasteAllText("\n", seen), PasteAttemptResult::queueChanged);
    EXPECT_EQ(queueTexts(), QStringList({"a", "b", "c"}));

    queue->remove(ids().at(2));
    clipboard->copyImages({makeImage()});
    queue->collector().checkClipboard();
    queue->move(ids().at(2), 1);
    EXPECT_EQ(queue->paster().pasteAllText("\n", ids()), PasteAttemptResult::containsNonText);
    EXPECT_EQ(queue->queue().size(), 3);
    EXPECT_TRUE(postedClipboard.isEmpty());
    EXPECT_EQ(output->preparations, 0);
}

TEST_F(Paste, AFailedCombinedPasteKeepsTheQueue) {
    collectTexts({"a", "b"});
    clipboard->writeSucceeds = false;
    EXPECT_EQ(queue->paster().pasteAllText("-", ids()), PasteAttemptResult::clipboardWriteFailed);
    EXPECT_EQ(queueTexts(), QStringList({"a", "b"}));
    EXPECT_TRUE(queue->isCollecting());
}
