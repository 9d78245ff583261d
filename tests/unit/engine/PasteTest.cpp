#include "tests/support/EngineFixture.h"

#include <QSignalSpy>

using namespace sorvu;
using namespace sorvu::test;

namespace {

class Paste : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        makeStack();
    }
};

} // namespace

TEST_F(Paste, PastesInCopyOrderAndStopsWhenDrained) {
    collectTexts({"one", "two"});
    logs.clear();
    EXPECT_EQ(stack->pasteNext(), PasteAttemptResult::commandPosted);
    EXPECT_EQ(stack->pasteNext(), PasteAttemptResult::commandPosted);
    ASSERT_EQ(postedClipboard.size(), 2);
    EXPECT_EQ(postedClipboard.at(0).text(), "one");
    EXPECT_EQ(postedClipboard.at(1).text(), "two");
    EXPECT_TRUE(stack->queue().isEmpty());
    EXPECT_FALSE(stack->isCollecting());
    EXPECT_EQ(logs.messages(), QStringList({"queue removeFirst queue.count=1", "queue removeFirst queue.count=0",
                                            "stopCollecting reason=queueDrained queue.count=0"}));
}

TEST_F(Paste, OurOwnWriteIsNeverCollectedBack) {
    collectTexts({"one", "two"});
    EXPECT_EQ(stack->pasteNext(), PasteAttemptResult::commandPosted);
    stack->checkPasteboard();
    EXPECT_EQ(queueTexts(), QStringList({"two"}));

    pasteboard->writeSucceeds = false;
    EXPECT_EQ(stack->pasteNext(), PasteAttemptResult::pasteboardWriteFailed);
    stack->checkPasteboard();
    EXPECT_EQ(queueTexts(), QStringList({"two"}));
    EXPECT_EQ(postedClipboard.size(), 1);
}

TEST_F(Paste, ACopyJustBeforeThePasteIsQueuedAtTheTail) {
    collectTexts({"head"});
    pasteboard->copyText("late");
    EXPECT_EQ(stack->pasteNext(), PasteAttemptResult::commandPosted);
    EXPECT_EQ(postedClipboard.last().text(), "head");
    EXPECT_EQ(queueTexts(), QStringList({"late"}));

    // With nothing queued the late copy itself is pasted.
    EXPECT_EQ(stack->pasteNext(), PasteAttemptResult::commandPosted);
    pasteboard->copyText("ignored, not collecting");
    stack->toggleCollecting();
    pasteboard->copyText("only");
    EXPECT_EQ(stack->pasteNext(), PasteAttemptResult::commandPosted);
    EXPECT_EQ(postedClipboard.last().text(), "only");
}

TEST_F(Paste, AnEmptyQueueFlashes) {
    QSignalSpy flashes(stack.get(), &PasteStack::flashRequested);
    EXPECT_EQ(stack->pasteNext(), PasteAttemptResult::queueEmpty);
    EXPECT_EQ(stack->pasteAllText(", ", {}), PasteAttemptResult::queueEmpty);
    EXPECT_EQ(flashes.count(), 2);
    EXPECT_EQ(eventFactoryCalls, 0);
}

TEST_F(Paste, FailuresLeaveTheHeadInPlace) {
    collectTexts({"head", "tail"});
    const qint64 countBefore = pasteboard->count;

    trusted = false;
    QSignalSpy trustPublished(stack.get(), &PasteStack::isAccessibilityTrustedChanged);
    EXPECT_EQ(stack->pasteNext(), PasteAttemptResult::accessibilityUnavailable);
    EXPECT_FALSE(stack->isAccessibilityTrusted());
    EXPECT_EQ(trustPublished.count(), 1);
    EXPECT_EQ(eventFactoryCalls, 0);
    EXPECT_EQ(pasteboard->count, countBefore);

    trusted = true;
    eventsAvailable = false;
    EXPECT_EQ(stack->pasteNext(), PasteAttemptResult::eventCreationFailed);
    EXPECT_TRUE(stack->isAccessibilityTrusted());
    EXPECT_EQ(pasteboard->count, countBefore);

    eventsAvailable = true;
    pasteboard->writeSucceeds = false;
    EXPECT_EQ(stack->pasteNext(), PasteAttemptResult::pasteboardWriteFailed);
    EXPECT_EQ(stack->lastChangeCount(), pasteboard->count);

    EXPECT_EQ(queueTexts(), QStringList({"head", "tail"}));
    EXPECT_TRUE(postedClipboard.isEmpty());
    EXPECT_TRUE(stack->isCollecting());
}

TEST_F(Paste, APastedFileLivesTwoMoreSeconds) {
    stack->toggleCollecting();
    pasteboard->copyFiles({makeSourceFile("doc.txt", "body")});
    stack->checkPasteboard();
    const auto entry = stack->queue().at(0);
    EXPECT_EQ(stack->pasteNext(), PasteAttemptResult::commandPosted);
    EXPECT_EQ(postedClipboard.last(), entry.content);
    scheduler.advance(1.0);
    EXPECT_EQ(readFile(entry.content.fileUrl()), "body");
    scheduler.advance(1.01);
    EXPECT_FALSE(QFile::exists(entry.content.fileUrl().toLocalFile()));
}

TEST_F(Paste, CombinedPasteJoinsTextsWithTheSeparator) {
    collectTexts({"a", "b", "c"});
    EXPECT_EQ(stack->pasteAllText(", ", ids()), PasteAttemptResult::commandPosted);
    EXPECT_EQ(postedClipboard.last().text(), "a, b, c");
    EXPECT_TRUE(stack->queue().isEmpty());
    EXPECT_FALSE(stack->isCollecting());
    EXPECT_TRUE(logs.messages().endsWith("queue removeAll after combined paste"));

    collectTexts({"a", "b", "c"});
    EXPECT_EQ(stack->pasteAllText("", ids()), PasteAttemptResult::commandPosted);
    EXPECT_EQ(postedClipboard.last().text(), "abc");
}

TEST_F(Paste, CombinedPasteRefusesAQueueThatChangedOrHoldsNonText) {
    collectTexts({"a", "b"});
    const auto seen = ids();
    EXPECT_EQ(stack->pasteAllText("\n", {}), PasteAttemptResult::queueChanged);
    EXPECT_EQ(stack->pasteAllText("\n", {seen.at(1), seen.at(0)}), PasteAttemptResult::queueChanged);

    // A copy the caller has not seen yet changes the queue.
    pasteboard->copyText("c");
    EXPECT_EQ(stack->pasteAllText("\n", seen), PasteAttemptResult::queueChanged);
    EXPECT_EQ(queueTexts(), QStringList({"a", "b", "c"}));

    stack->remove(ids().at(2));
    pasteboard->copyImages({makeImage()});
    stack->checkPasteboard();
    stack->move(ids().at(2), 1);
    EXPECT_EQ(stack->pasteAllText("\n", ids()), PasteAttemptResult::containsNonText);
    EXPECT_EQ(stack->queue().size(), 3);
    EXPECT_TRUE(postedClipboard.isEmpty());
    EXPECT_EQ(eventFactoryCalls, 0);
}

TEST_F(Paste, AFailedCombinedPasteKeepsTheQueue) {
    collectTexts({"a", "b"});
    pasteboard->writeSucceeds = false;
    EXPECT_EQ(stack->pasteAllText("-", ids()), PasteAttemptResult::pasteboardWriteFailed);
    EXPECT_EQ(queueTexts(), QStringList({"a", "b"}));
    EXPECT_TRUE(stack->isCollecting());
}
