#include "tests/support/EngineFixture.h"

#include <QSignalSpy>

using namespace sorvu;
using namespace sorvu::test;

namespace {

class QueueEditing : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        makeStack();
    }

    QUuid idAt(int index) const { return stack->queue().at(index).id; }
};

} // namespace

TEST_F(QueueEditing, UnknownIdsChangeAndLogNothing) {
    collectTexts({"a", "b"});
    logs.clear();
    QSignalSpy published(stack.get(), &PasteStack::queueChanged);
    const QUuid stranger = QUuid::createUuid();
    stack->remove(stranger);
    stack->move(stranger, 0);
    stack->consumeDropped(stranger);
    EXPECT_EQ(queueTexts(), QStringList({"a", "b"}));
    EXPECT_EQ(published.count(), 0);
    EXPECT_TRUE(logs.messages().isEmpty());
}

TEST_F(QueueEditing, MoveByIdClampsTheTargetAndSkipsNoOps) {
    collectTexts({"a", "b", "c", "d"});
    logs.clear();

    stack->move(idAt(3), -5);
    EXPECT_EQ(queueTexts(), QStringList({"d", "a", "b", "c"}));
    stack->move(idAt(0), 99);
    EXPECT_EQ(queueTexts(), QStringList({"a", "b", "c", "d"}));
    stack->move(idAt(0), 2);
    EXPECT_EQ(queueTexts(), QStringList({"b", "c", "a", "d"}));
    stack->move(idAt(3), 1);
    EXPECT_EQ(queueTexts(), QStringList({"b", "d", "c", "a"}));
    EXPECT_EQ(logs.messages(), QStringList(4, "queue move queue.count=4"));

    logs.clear();
    stack->move(idAt(2), 2);
    EXPECT_EQ(queueTexts(), QStringList({"b", "d", "c", "a"}));
    EXPECT_TRUE(logs.messages().isEmpty());
}

TEST_F(QueueEditing, MoveByOffsetsFollowsCollectionSemantics) {
    collectTexts({"a", "b", "c", "d", "e"});
    // One step down and one step up, the way the list does it.
    stack->move(QSet<int>{1}, 3);
    EXPECT_EQ(queueTexts(), QStringList({"a", "c", "b", "d", "e"}));
    stack->move(QSet<int>{2}, 1);
    EXPECT_EQ(queueTexts(), QStringList({"a", "b", "c", "d", "e"}));
    // Several sources keep their order and land before the entry at the offset.
    stack->move(QSet<int>{0, 3}, 2);
    EXPECT_EQ(queueTexts(), QStringList({"b", "a", "d", "c", "e"}));
    stack->move(QSet<int>{0, 1}, 5);
    EXPECT_EQ(queueTexts(), QStringList({"d", "c", "e", "b", "a"}));
    // Offsets out of range never add or lose entries.
    stack->move(QSet<int>{7, 4}, 42);
    EXPECT_EQ(queueTexts(), QStringList({"d", "c", "e", "b", "a"}));
}

TEST_F(QueueEditing, RemoveAndClearKeepCollectingAndLogTheCount) {
    collectTexts({"a", "b", "c"});
    logs.clear();
    stack->remove(idAt(1));
    EXPECT_EQ(queueTexts(), QStringList({"a", "c"}));
    stack->remove(idAt(0));
    stack->remove(idAt(0));
    EXPECT_TRUE(stack->queue().isEmpty());
    EXPECT_TRUE(stack->isCollecting());
    EXPECT_TRUE(stack->isPolling());

    collectTexts({"x", "y"});
    logs.clear();
    stack->clear();
    EXPECT_TRUE(stack->queue().isEmpty());
    EXPECT_TRUE(stack->isCollecting());
    EXPECT_EQ(logs.messages(), QStringList({"queue clear queue.count=0"}));
}

TEST_F(QueueEditing, ConsumingTheLastDroppedEntryStopsCollecting) {
    collectTexts({"a", "b"});
    logs.clear();
    stack->consumeDropped(idAt(0));
    EXPECT_TRUE(stack->isCollecting());
    stack->consumeDropped(idAt(0));
    EXPECT_FALSE(stack->isCollecting());
    EXPECT_FALSE(stack->isPolling());
    EXPECT_EQ(logs.messages(), QStringList({"queue consumeDropped queue.count=1", "queue consumeDropped queue.count=0",
                                            "stopCollecting reason=queueDrained queue.count=0"}));
}

TEST_F(QueueEditing, FileCopiesGoAtOnceOnRemoveButLingerAfterADrop) {
    stack->toggleCollecting();
    pasteboard->copyFiles({makeSourceFile("one.txt"), makeSourceFile("two.txt"), makeSourceFile("three.txt")});
    stack->checkPasteboard();
    ASSERT_EQ(stack->queue().size(), 3);
    const auto removed = stack->queue().at(0);
    const auto dropped = stack->queue().at(1);
    const auto cleared = stack->queue().at(2);

    stack->remove(removed.id);
    EXPECT_FALSE(QFile::exists(removed.content.fileUrl().toLocalFile()));

    stack->consumeDropped(dropped.id);
    EXPECT_EQ(scheduler.pendingDelays(), QList<double>({30.0}));
    scheduler.advance(29.9);
    EXPECT_EQ(readFile(dropped.content.fileUrl()), "contents");
    scheduler.advance(0.2);
    EXPECT_FALSE(QFile::exists(dropped.content.fileUrl().toLocalFile()));

    stack->clear();
    EXPECT_FALSE(QFile::exists(cleared.content.fileUrl().toLocalFile()));
    EXPECT_EQ(storageEntries(), QStringList({"CACHEDIR.TAG"}));
}

TEST_F(QueueEditing, DeferredDeletionDoesNothingOnceTheEngineIsGone) {
    stack->toggleCollecting();
    pasteboard->copyFiles({makeSourceFile("kept.txt")});
    stack->checkPasteboard();
    const auto entry = stack->queue().at(0);
    stack->consumeDropped(entry.id);
    stack.reset();
    scheduler.advance(60);
    EXPECT_TRUE(QFile::exists(entry.content.fileUrl().toLocalFile()));
}

TEST_F(QueueEditing, RefreshPermissionsRepublishesTrustAndLoginState) {
    QSignalSpy trust(stack.get(), &PasteStack::isAccessibilityTrustedChanged);
    QSignalSpy enabled(stack.get(), &PasteStack::launchAtLoginEnabledChanged);
    stack->refreshPermissions();
    EXPECT_EQ(trust.count(), 1);
    EXPECT_EQ(enabled.count(), 1);
    trusted = false;
    loginService->status = 1;
    stack->refreshPermissions();
    EXPECT_FALSE(stack->isAccessibilityTrusted());
    EXPECT_TRUE(stack->launchAtLoginEnabled());
}
