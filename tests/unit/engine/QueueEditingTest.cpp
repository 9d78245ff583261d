// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/EngineFixture.h"

#include <QSignalSpy>

using namespace sorvu;
using namespace sorvu::test;

namespace {

class QueueEditing : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        makeQueue();
    }

    QUuid idAt(int index) const { return queue->queue().at(index).id; }
};

} // namespace

TEST_F(QueueEditing, UnknownIdsChangeAndLogNothing) {
    collectTexts({"a", "b"});
    logs.clear();
    QSignalSpy published(queue.get(), &ClipboardQueue::queueChanged);
    const QUuid stranger = QUuid::createUuid();
    queue->remove(stranger);
    queue->move(stranger, 0);
    queue->consumeDropped(stranger);
    EXPECT_EQ(queueTexts(), QStringList({"a", "b"}));
    EXPECT_EQ(published.count(), 0);
    EXPECT_TRUE(logs.messages().isEmpty());
}

TEST_F(QueueEditing, MoveByIdClampsTheTargetAndSkipsNoOps) {
    collectTexts({"a", "b", "c", "d"});
    logs.clear();

    queue->move(idAt(3), -5);
    EXPECT_EQ(queueTexts(), QStringList({"d", "a", "b", "c"}));
    queue->move(idAt(0), 99);
    EXPECT_EQ(queueTexts(), QStringList({"a", "b", "c", "d"}));
    queue->move(idAt(0), 2);
    EXPECT_EQ(queueTexts(), QStringList({"b", "c", "a", "d"}));
    queue->move(idAt(3), 1);
    EXPECT_EQ(queueTexts(), QStringList({"b", "d", "c", "a"}));
    EXPECT_EQ(logs.messages(), QStringList(4, "queue move queue.count=4"));

    logs.clear();
    queue->move(idAt(2), 2);
    EXPECT_EQ(queueTexts(), QStringList({"b", "d", "c", "a"}));
    EXPECT_TRUE(logs.messages().isEmpty());
}

TEST_F(QueueEditing, MoveByOffsetsFollowsCollectionSemantics) {
    collectTexts({"a", "b", "c", "d", "e"});
    // One step down and one step up, the way the list does it.
    queue->move(QSet<int>{1}, 3);
    EXPECT_EQ(queueTexts(), QStringList({"a", "c", "b", "d", "e"}));
    queue->move(QSet<int>{2}, 1);
    EXPECT_EQ(queueTexts(), QStringList({"a", "b", "c", "d", "e"}));
    // Several sources keep their order and land before the entry at the offset.
    queue->move(QSet<int>{0, 3}, 2);
    EXPECT_EQ(queueTexts(), QStringList({"b", "a", "d", "c", "e"}));
    queue->move(QSet<int>{0, 1}, 5);
    EXPECT_EQ(queueTexts(), QStringList({"d", "c", "e", "b", "a"}));
    // Offsets out of range never add or lose entries.
    queue->move(QSet<int>{7, 4}, 42);
    EXPECT_EQ(queueTexts(), QStringList({"d", "c", "e", "b", "a"}));
}

TEST_F(QueueEditing, RemoveAndClearKeepCollectingAndLogTheCount) {
    collectTexts({"a", "b", "c"});
    logs.clear();
    queue->remove(idAt(1));
    EXPECT_EQ(queueTexts(), QStringList({"a", "c"}));
    EXPECT_EQ(logs.messages(), QStringList({"queue remove queue.count=2"}));
    queue->remove(idAt(0));
    queue->remove(idAt(0));
    EXPECT_TRUE(queue->queue().isEmpty());
    EXPECT_TRUE(queue->isCollecting());
    EXPECT_TRUE(queue->collector().isPolling());

    collectTexts({"x", "y"});
    logs.clear();
    queue->clear();
    EXPECT_TRUE(queue->queue().isEmpty());
    EXPECT_TRUE(queue->isCollecting());
    EXPECT_EQ(logs.messages(), QStringList({"queue clear queue.count=0"}));
}

TEST_F(QueueEditing, ConsumingTheLastDroppedEntryStopsCollecting) {
    collectTexts({"a", "b"});
    logs.clear();
    queue->consumeDropped(idAt(0));
    EXPECT_TRUE(queue->isCollecting());
    queue->consumeDropped(idAt(0));
    EXPECT_FALSE(queue->isCollecting());
    EXPECT_FALSE(queue->collector().isPolling());
    EXPECT_EQ(logs.messages(), QStringList({"queue consumeDropped queue.count=1", "queue consumeDropped queue.count=0",
                                            "stopCollecting reason=queueDrained queue.count=0"}));
}

TEST_F(QueueEditing, FileCopiesGoAtOnceOnRemoveButLingerAfterADrop) {
    queue->toggleCollecting();
    clipboard->copyFiles({makeSourceFile("one.txt"), makeSourceFile("two.txt"), makeSourceFile("three.txt")});
    queue->collector().checkClipboard();
    ASSERT_EQ(queue->queue().size(), 3);
    const auto removed = queue->queue().at(0);
    const auto dropped = queue->queue().at(1);
    const auto cleared = queue->queue().at(2);

    queue->remove(removed.id);
    EXPECT_FALSE(QFile::exists(removed.content.fileUrl().toLocalFile()));

    queue->consumeDropped(dropped.id);
    EXPECT_EQ(scheduler.pendingDelays(), QList<double>({30.0}));
    scheduler.advance(29.9);
    EXPECT_EQ(readFile(dropped.content.fileUrl()), "contents");
    scheduler.advance(0.2);
    EXPECT_FALSE(QFile::exists(dropped.content.fileUrl().toLocalFile()));

    queue->clear();
    EXPECT_FALSE(QFile::exists(cleared.content.fileUrl().toLocalFile()));
    EXPECT_TRUE(storageEntries().isEmpty());
}

TEST_F(QueueEditing, DeferredDeletionDoesNothingOnceTheEngineIsGone) {
    queue->toggleCollecting();
    clipboard->copyFiles({makeSourceFile("kept.txt")});
    queue->collector().checkClipboard();
    const auto entry = queue->queue().at(0);
    queue->consumeDropped(entry.id);
    queue.reset();
    scheduler.advance(60);
    EXPECT_TRUE(QFile::exists(entry.content.fileUrl().toLocalFile()));
}

TEST_F(QueueEditing, RefreshInputAccessRepublishesInputAccess) {
    QSignalSpy access(&queue->paster(), &QueuePaster::hasInputAccessChanged);
    queue->paster().refreshInputAccess();
    EXPECT_EQ(access.count(), 1);
    output->inputAccess = false;
    queue->paster().refreshInputAccess();
    EXPECT_FALSE(queue->paster().hasInputAccess());
    EXPECT_EQ(access.count(), 2);
}
