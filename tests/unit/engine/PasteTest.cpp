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
    EXPECT_EQ(queue->pasteNext(), PasteAttemptResult::commandPosted);
    EXPECT_EQ(queue->pasteNext(), PasteAttemptResult::commandPosted);
    ASSERT_EQ(postedClipboard.size(), 2);
    EXPECT_EQ(postedClipboard.at(0).text(), "one");
    EXPECT_EQ(postedClipboard.at(1).text(), "two");
    EXPECT_TRUE(queue->queue().isEmpty());
    EXPECT_FALSE(queue->isCollecting());
    EXPECT_EQ(logs.messages(), QStringList({"queue removeFirst queue.count=1", "queue removeFirst queue.count=0",
                                            "stopCollecting reason=queueDrained queue.count=0"}));
}

TEST_F(Paste, OurOwnWriteIsNeverCollectedBack) {
    collectTexts({"one", "two"});
    EXPECT_EQ(queue->pasteNext(), PasteAttemptResult::commandPosted);
    queue->checkClipboard();
    EXPECT_EQ(queueTexts(), QStringList({"two"}));

    clipboard->writeSucceeds = false;
    EXPECT_EQ(queue->pasteNext(), PasteAttemptResult::pasteboardWriteFailed);
    queue->checkClipboard();
    EXPECT_EQ(queueTexts(), QStringList({"two"}));
    EXPECT_EQ(postedClipboard.size(), 1);
}

TEST_F(Paste, ACopyJustBeforeThePasteIsQueuedAtTheTail) {
    collectTexts({"head"});
    clipboard->copyText("late");
    EXPECT_EQ(queue->pasteNext(), PasteAttemptResult::commandPosted);
    EXPECT_EQ(postedClipboard.last().text(), "head");
    EXPECT_EQ(queueTexts(), QStringList({"late"}));

    // With nothing queued the late copy itself is pasted.
    EXPECT_EQ(queue->pasteNext(), PasteAttemptResult::commandPosted);
    clipboard->copyText("ignored, not collecting");
    queue->toggleCollecting();
    clipboard->copyText("only");
    EXPECT_EQ(queue->pasteNext(), PasteAttemptResult::commandPosted);
    EXPECT_EQ(postedClipboard.last().text(), "only");
}

TEST_F(Paste, WhileNotCollectingAPasteNeverLooksAtTheClipboard) {
    collectTexts({"kept"});
    queue->toggleCollecting();
    clipboard->copyText("copied while not collecting");
    clipboard->reads.clear();
    EXPECT_EQ(queue->pasteNext(), PasteAttemptResult::commandPosted);
    EXPECT_TRUE(clipboard->reads.isEmpty());
    EXPECT_EQ(postedClipboard.last().text(), "kept");
    EXPECT_EQ(queue->pasteNext(), PasteAttemptResult::queueEmpty);
    EXPECT_TRUE(clipboard->reads.isEmpty());
    EXPECT_FALSE(queue->isPolling());
}

TEST_F(Paste, AnEmptyQueueFlashes) {
    QSignalSpy flashes(queue.get(), &ClipboardQueue::flashRequested);
    EXPECT_EQ(queue->pasteNext(), PasteAttemptResult::queueEmpty);
    EXPECT_EQ(queue->pasteAllText(", ", {}), PasteAttemptResult::queueEmpty);
    EXPECT_EQ(flashes.count(), 2);
    EXPECT_EQ(eventFactoryCalls, 0);
}

TEST_F(Paste, FailuresLeaveTheHeadInPlace) {
    collectTexts({"head", "tail"});
    const qint64 countBefore = clipboard->count;

    inputAccess = false;
    QSignalSpy accessPublished(queue.get(), &ClipboardQueue::hasInputAccessChanged);
    EXPECT_EQ(queue->pasteNext(), PasteAttemptResult::accessibilityUnavailable);
    EXPECT_FALSE(queue->hasInputAccess());
    EXPECT_EQ(accessPublished.count(), 1);
    EXPECT_EQ(eventFactoryCalls, 0);
    EXPECT_EQ(clipboard->count, countBefore);

    inputAccess = true;
    eventsAvailable = false;
    EXPECT_EQ(queue->pasteNext(), PasteAttemptResult::eventCreationFailed);
    EXPECT_TRUE(queue->hasInputAccess());
    EXPECT_EQ(clipboard->count, countBefore);

    eventsAvailable = true;
    clipboard->writeSucceeds = false;
    EXPECT_EQ(queue->pasteNext(), PasteAttemptResult::pasteboardWriteFailed);
    EXPECT_EQ(queue->lastChangeCount(), clipboard->count);

    EXPECT_EQ(queueTexts(), QStringList({"head", "tail"}));
    EXPECT_TRUE(postedClipboard.isEmpty());
    EXPECT_TRUE(queue->isCollecting());
}

TEST_F(Paste, APastedFileLivesTwoMoreSeconds) {
    queue->toggleCollecting();
    clipboard->copyFiles({makeSourceFile("doc.txt", "body")});
    queue->checkClipboard();
    const auto entry = queue->queue().at(0);
    EXPECT_EQ(queue->pasteNext(), PasteAttemptResult::commandPosted);
    EXPECT_EQ(postedClipboard.last(), entry.content);
    scheduler.advance(1.0);
    EXPECT_EQ(readFile(entry.content.fileUrl()), "body");
    scheduler.advance(1.01);
    EXPECT_FALSE(QFile::exists(entry.content.fileUrl().toLocalFile()));
}

TEST_F(Paste, CombinedPasteJoinsTextsWithTheSeparator) {
    collectTexts({"a", "b", "c"});
    EXPECT_EQ(queue->pasteAllText(", ", ids()), PasteAttemptResult::commandPosted);
    EXPECT_EQ(postedClipboard.last().text(), "a, b, c");
    EXPECT_TRUE(queue->queue().isEmpty());
    EXPECT_FALSE(queue->isCollecting());
    EXPECT_TRUE(logs.messages().endsWith("queue removeAll after combined paste"));
    // Collecting stops once the queue is empty, and says so.
    EXPECT_EQ(logs.messagesStartingWith("stopCollecting"),
              QStringList({"stopCollecting reason=queueDrained queue.count=0"}));

    collectTexts({"a", "b", "c"});
    EXPECT_EQ(queue->pasteAllText("", ids()), PasteAttemptResult::commandPosted);
    EXPECT_EQ(postedClipboard.last().text(), "abc");
}

TEST_F(Paste, CombinedPasteRefusesAQueueThatChangedOrHoldsNonText) {
    collectTexts({"a", "b"});
    const auto seen = ids();
    EXPECT_EQ(queue->pasteAllText("\n", {}), PasteAttemptResult::queueChanged);
    EXPECT_EQ(queue->pasteAllText("\n", {seen.at(1), seen.at(0)}), PasteAttemptResult::queueChanged);

    // A copy the caller has not seen yet changes the queue.
    clipboard->copyText("c");
    EXPECT_EQ(queue->pasteAllText("\n", seen), PasteAttemptResult::queueChanged);
    EXPECT_EQ(queueTexts(), QStringList({"a", "b", "c"}));

    queue->remove(ids().at(2));
    clipboard->copyImages({makeImage()});
    queue->checkClipboard();
    queue->move(ids().at(2), 1);
    EXPECT_EQ(queue->pasteAllText("\n", ids()), PasteAttemptResult::containsNonText);
    EXPECT_EQ(queue->queue().size(), 3);
    EXPECT_TRUE(postedClipboard.isEmpty());
    EXPECT_EQ(eventFactoryCalls, 0);
}

TEST_F(Paste, AFailedCombinedPasteKeepsTheQueue) {
    collectTexts({"a", "b"});
    clipboard->writeSucceeds = false;
    EXPECT_EQ(queue->pasteAllText("-", ids()), PasteAttemptResult::pasteboardWriteFailed);
    EXPECT_EQ(queueTexts(), QStringList({"a", "b"}));
    EXPECT_TRUE(queue->isCollecting());
}
