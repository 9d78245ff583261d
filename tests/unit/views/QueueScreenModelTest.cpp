// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/QueueScreenModel.h"
#include "tests/unit/views/ViewsFixture.h"
#include "views/ScreenReader.h"
#include "views/ViewLanguage.h"

#include <gtest/gtest.h>

namespace sorvu {
namespace {

// The queue screen's rules without QML: the drag that reorders, the hand-off to a drag out of the popup,
// the list's height and the control bar.
class QueueScreenModelTest : public test::ViewsFixture {
protected:
    QueueScreenModel& makeScreen(double minimumListHeight = 0) {
        viewLanguage = std::make_unique<ViewLanguage>(*language);
        QueueScreenModel::Actions actions;
        actions.paste = [this] { ++pastes; };
        actions.isOverPopup = [this](QPointF) { return pointerOverPopup; };
        actions.canBeginDrag = [this] { return dragAllowed; };
        actions.beginDragOut = [this](const ClipboardItem& item, QPointF start,
                                      QueueScreenModel::DragOutFinished done) {
            draggedOut.append(item.text());
            dragOutStart = start;
            if (!dragOutStarts) {
                return false;
            }
            finishDragOut = std::move(done);
            return true;
        };
        actions.queueDrainedByDrop = [this] { ++drainedByDrop; };
        screen = std::make_unique<QueueScreenModel>(*queue, *viewLanguage, screenReader, minimumListHeight,
                                                    std::move(actions));
        return *screen;
    }

    void measureAll(double height) {
        for (const auto& entry : queue->queue()) {
            screen->rowMeasured(uuidString(entry.id), height);
        }
    }

    std::unique_ptr<ViewLanguage> viewLanguage;
    ScreenReader screenReader;
    std::unique_ptr<QueueScreenModel> screen;
    int pastes = 0;
    bool pointerOverPopup = true;
    bool dragAllowed = true;
    bool dragOutStarts = true;
    QStringList draggedOut;
    QPointF dragOutStart;
    QueueScreenModel::DragOutFinished finishDragOut;
    int drainedByDrop = 0;
};

TEST_F(QueueScreenModelTest, ADownwardDragSwapsOnlyPastTheDistanceBetweenCentresAndKeepsTheRowUnderThePointer) {
    addTexts({"a", "b", "c", "d", "e", "f"});
    auto& model = makeScreen();
    measureAll(32);
    const QUuid a = idAt(0);

    model.dragChanged(a, 40, {});
    EXPECT_EQ(queuedTexts(), (QStringList{"a", "b", "c", "d", "e", "f"})) << "exactly 40 is not past the threshold";
    model.dragChanged(a, 40.5, {});
    EXPECT_EQ(queuedTexts(), (QStringList{"b", "a", "c", "d", "e", "f"}));
    EXPECT_DOUBLE_EQ(model.swapCompensation(), 40);
    EXPECT_DOUBLE_EQ(model.rawTranslation() - model.swapCompensation(), 0.5);

    // One report far below passes two more centres at once.
    model.dragChanged(a, 130, {});
    EXPECT_EQ(queuedTexts(), (QStringList{"b", "c", "d", "a", "e", "f"}));
    EXPECT_DOUBLE_EQ(model.swapCompensation(), 120);

    // Back up: the same rule upwards.
    model.dragChanged(a, 80, {});
    EXPECT_EQ(queuedTexts(), (QStringList{"b", "c", "d", "a", "e", "f"}));
    model.dragChanged(a, 79.5, {});
    EXPECT_EQ(queuedTexts(), (QStringList{"b", "c", "a", "d", "e", "f"}));

    // The order reached stays when the drag ends, and the row is drawn back in its place.
    model.dragEnded();
    EXPECT_EQ(queuedTexts(), (QStringList{"b", "c", "a", "d", "e", "f"}));
    EXPECT_FALSE(model.draggingID());
    EXPECT_DOUBLE_EQ(model.rawTranslation(), 0);
    EXPECT_DOUBLE_EQ(model.swapCompensation(), 0);
}

TEST_F(QueueScreenModelTest, SingleReportOfOneHundredThirtySwapsThreeTimes) {
    addTexts({"a", "b", "c", "d", "e"});
    auto& model = makeScreen();
    model.dragChanged(idAt(0), 130, {});
    EXPECT_EQ(queuedTexts(), (QStringList{"b", "c", "d", "a", "e"})) << "unknown heights count as 32";
}

TEST_F(QueueScreenModelTest, MeasuredHeightsSetTheThresholdAndUnknownOnesCountAsThirtyTwo) {
    addTexts({"a", "b", "c"});
    auto& model = makeScreen();
    // Own height unknown (24 = half of 32 plus the spacing), the neighbour measured at 60: 24 + 30 = 54.
    model.rowMeasured(uuidString(idAt(1)), 60);
    model.dragChanged(idAt(0), 54, {});
    EXPECT_EQ(queuedTexts(), (QStringList{"a", "b", "c"}));
    model.dragChanged(idAt(0), 54.5, {});
    EXPECT_EQ(queuedTexts(), (QStringList{"b", "a", "c"}));
    EXPECT_DOUBLE_EQ(model.swapCompensation(), 68);
}

TEST_F(QueueScreenModelTest, TheEndsOfTheListNeverSwapOutwardsAndAVanishedRowNeverSwaps) {
    addTexts({"a", "b", "c"});
    auto& model = makeScreen();
    model.dragChanged(idAt(2), 500, {});
    model.dragEnded();
    model.dragChanged(idAt(0), -500, {});
    model.dragEnded();
    EXPECT_EQ(queuedTexts(), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(queue->queue().size(), 3);

    // Pasted away from the keyboard while held: nothing to move.
    const QUuid held = idAt(0);
    model.dragChanged(held, 10, {});
    queue->remove(held);
    model.dragChanged(held, 200, {});
    EXPECT_EQ(queuedTexts(), (QStringList{"b", "c"}));
}

TEST_F(QueueScreenModelTest, APressBecomesADragOnlyAfterTenPointsAndOnlyADragEndsOne) {
    addTexts({"a", "b", "c"});
    auto& model = makeScreen();
    const QString a = uuidString(idAt(0));
    model.pointerMoved(a, {10, 10}, {10, 19.9}, {});
    EXPECT_FALSE(model.draggingID());
    model.pointerMoved(a, {10, 10}, {16, 18}, {});
    EXPECT_EQ(model.draggingID(), idAt(0));
    // The translation counts from the press, not from where the drag was recognised.
    EXPECT_DOUBLE_EQ(model.rawTranslation(), 8);
    model.pointerMoved(a, {10, 10}, {10, 51}, {});
    EXPECT_EQ(queuedTexts(), (QStringList{"b", "a", "c"}));
    model.pointerReleased(a);
    EXPECT_FALSE(model.draggingID());

    // A click (press and release without moving) changes nothing.
    model.pointerReleased(uuidString(idAt(0)));
    EXPECT_EQ(queuedTexts(), (QStringList{"b", "a", "c"}));
}

TEST_F(QueueScreenModelTest, ADragLeavingThePopupIsHandedOutAndADropConsumesTheEntry) {
    addTexts({"a", "b"});
    auto& model = makeScreen();
    const QUuid b = idAt(1);
    model.dragChanged(b, 5, {300, 400});
    pointerOverPopup = false;
    model.dragChanged(b, -60, {300, 200});
    ASSERT_TRUE(finishDragOut);
    EXPECT_EQ(draggedOut, QStringList{"b"});
    EXPECT_EQ(dragOutStart, QPointF(300, 400)) << "the start is where the drag began";
    EXPECT_TRUE(model.handedOffToSystem());
    EXPECT_EQ(model.outgoingDragID(), b);
    EXPECT_FALSE(model.draggingID());
    EXPECT_TRUE(screen->rows()->data(screen->rows()->index(0), QueueListModel::IsDraggedOutRole).toBool())
        << "the row swapped to the top before leaving and is drawn dimmed there";

    // Further movement no longer moves rows.
    model.dragChanged(b, 100, {300, 500});
    EXPECT_EQ(queuedTexts(), (QStringList{"b", "a"}));

    finishDragOut(true);
    EXPECT_EQ(queuedTexts(), QStringList{"a"});
    EXPECT_FALSE(model.outgoingDragID());
    EXPECT_EQ(drainedByDrop, 0);
}

TEST_F(QueueScreenModelTest, ARefusedDragPutsTheEntryBackWhereTheDragBeganWhateverTheSwaps) {
    addTexts({"a", "b", "c"});
    auto& model = makeScreen();
    const QUuid c = idAt(2);
    model.dragChanged(c, -41, {});
    EXPECT_EQ(queuedTexts(), (QStringList{"a", "c", "b"}));
    pointerOverPopup = false;
    model.dragChanged(c, -45, {});
    ASSERT_TRUE(finishDragOut);
    model.dragEnded();
    finishDragOut(false);
    EXPECT_EQ(queuedTexts(), (QStringList{"a", "b", "c"}));
    EXPECT_FALSE(model.handedOffToSystem());
}

TEST_F(QueueScreenModelTest, DroppingTheLastEntryEmptiesTheQueueAndSaysSoOnce) {
    addTexts({"only"});
    auto& model = makeScreen();
    pointerOverPopup = false;
    model.dragChanged(idAt(0), 30, {});
    ASSERT_TRUE(finishDragOut);
    finishDragOut(true);
    EXPECT_TRUE(queue->queue().isEmpty());
    EXPECT_EQ(drainedByDrop, 1);
}

TEST_F(QueueScreenModelTest, NoHandOffWhileTheDragIsRefusedOrCannotStartAndItIsTriedAgain) {
    addTexts({"a", "b"});
    auto& model = makeScreen();
    pointerOverPopup = false;
    dragAllowed = false;
    model.dragChanged(idAt(0), 5, {});
    EXPECT_TRUE(draggedOut.isEmpty());

    dragAllowed = true;
    dragOutStarts = false;
    model.dragChanged(idAt(0), 6, {});
    EXPECT_EQ(draggedOut.size(), 1);
    EXPECT_FALSE(model.handedOffToSystem());
    EXPECT_EQ(model.draggingID(), idAt(0)) << "the row keeps following the pointer";

    dragOutStarts = true;
    model.dragChanged(idAt(0), 7, {});
    EXPECT_EQ(draggedOut.size(), 2);
    EXPECT_TRUE(model.handedOffToSystem());
}

TEST_F(QueueScreenModelTest, ControlsFollowTheQueue) {
    auto& model = makeScreen();
    EXPECT_FALSE(model.showsList());
    EXPECT_FALSE(model.canPaste());
    EXPECT_FALSE(model.showsCombineButton());
    model.paste();
    EXPECT_EQ(pastes, 0) << "Paste is disabled on an empty queue";
    EXPECT_EQ(model.collectText(), "Start");

    addImage();
    EXPECT_TRUE(model.showsList());
    EXPECT_TRUE(model.canPaste());
    EXPECT_FALSE(model.showsCombineButton()) << "one entry has nothing to combine";
    EXPECT_EQ(model.collectText(), "Stop");
    addImage();
    EXPECT_TRUE(model.showsCombineButton()) << "shown for any two entries, images too";
    model.showCombine();
    EXPECT_TRUE(model.showingCombine());
    model.hideCombine();
    EXPECT_FALSE(model.showingCombine());

    model.paste();
    EXPECT_EQ(pastes, 1);
    model.clear();
    EXPECT_TRUE(queue->queue().isEmpty());
}

TEST_F(QueueScreenModelTest, TheListIsAsHighAsTheOpeningEstimateOrTheCurrentOneWhicheverIsMore) {
    addTexts({"a", "b", "c"});
    addImage();
    addFile(QStringLiteral("notes.txt"));
    EXPECT_DOUBLE_EQ(QueueScreenModel::estimatedListHeight(queue->queue()), 3 * 32 + 2 * 38);
    EXPECT_DOUBLE_EQ(QueueScreenModel::estimatedListHeight({}), 0);

    queue->clear();
    addTexts({"1", "2", "3", "4", "5", "6"});
    EXPECT_DOUBLE_EQ(QueueScreenModel::estimatedListHeight(queue->queue()), 192);
    addTexts({"7", "8"});
    EXPECT_DOUBLE_EQ(QueueScreenModel::estimatedListHeight(queue->queue()), 230);

    queue->clear();
    addTexts({"x"});
    auto& model = makeScreen(102);
    EXPECT_DOUBLE_EQ(model.listHeight(), 102);
    addTexts({"y", "z", "w"});
    EXPECT_DOUBLE_EQ(model.listHeight(), 128);
}

TEST_F(QueueScreenModelTest, TheDeleteButtonActsOnlyUnderThePointerOrForAScreenReader) {
    addTexts({"a", "b"});
    auto& model = makeScreen();
    EXPECT_FALSE(model.isDeleteButtonShown(false));
    model.deleteEntry(uuidString(idAt(0)), false);
    EXPECT_EQ(queue->queue().size(), 2);
    EXPECT_TRUE(model.isDeleteButtonShown(true));
    model.deleteEntry(uuidString(idAt(0)), true);
    EXPECT_EQ(queuedTexts(), QStringList{"b"});
}

TEST_F(QueueScreenModelTest, HeightsOfEntriesThatLeftAreForgotten) {
    addTexts({"a", "b", "c"});
    auto& model = makeScreen();
    measureAll(30);
    const QUuid removed = idAt(1);
    queue->remove(removed);
    EXPECT_EQ(model.rowHeights().size(), 2);
    EXPECT_FALSE(model.rowHeights().contains(removed));
    queue->clear();
    EXPECT_TRUE(model.rowHeights().isEmpty());
}

TEST_F(QueueScreenModelTest, AppearingReadsAgainWhatTheSessionAllows) {
    auto& model = makeScreen();
    output->inputAccess = false;
    model.appeared();
    EXPECT_FALSE(model.hasInputAccess());
    output->inputAccess = true;
    model.appeared();
    EXPECT_TRUE(model.hasInputAccess());
}

TEST_F(QueueScreenModelTest, TheKeyboardSelectsMovesAndDeletesEntriesAndTheMovedRowSaysItsNewPlace) {
    addTexts({"a", "b", "c", "d"});
    auto& model = makeScreen();
    QueueListModel& rows = *model.rows();
    QueueSelection& selection = *model.selection();
    const auto selectedRows = [&] {
        QList<int> selected;
        for (int row = 0; row < rows.rowCount(); ++row) {
            if (rows.data(rows.index(row), QueueListModel::IsSelectedRole).toBool()) {
                selected.append(row);
            }
        }
        return selected;
    };
    EXPECT_EQ(selection.selectedIndex(), -1) << "nothing is selected before the list has the keyboard";
    selection.ensureSelection();
    EXPECT_EQ(selection.selectedIndex(), 0);
    EXPECT_EQ(selectedRows(), QList<int>{0});

    // The arrows stop at the ends; Home and End jump there.
    selection.moveSelection(-1);
    EXPECT_EQ(selection.selectedIndex(), 0);
    selection.selectEdge(true);
    selection.moveSelection(1);
    EXPECT_EQ(selection.selectedIndex(), 3);
    selection.selectEdge(false);
    selection.moveSelection(1);
    EXPECT_EQ(selection.selectedIndex(), 1);

    // Ctrl+Down moves "b" below "c"; the selection stays on "b", whose row says where it went.
    selection.moveSelectedEntry(1);
    EXPECT_EQ(queuedTexts(), (QStringList{"a", "c", "b", "d"}));
    EXPECT_EQ(selection.selectedIndex(), 2);
    EXPECT_EQ(selectedRows(), QList<int>{2});
    EXPECT_EQ(rows.data(rows.index(2), QueueListModel::AnnouncementRole).toString(), "Moved to position 3 of 4");
    EXPECT_EQ(rows.data(rows.index(2), QueueListModel::AccessibleNameRole).toString(), "Item 3: text, b");
    selection.moveSelectedEntry(-1);
    selection.moveSelectedEntry(-1);
    selection.moveSelectedEntry(-1);
    EXPECT_EQ(queuedTexts(), (QStringList{"b", "a", "c", "d"})) << "the head moves no further up";
    EXPECT_EQ(rows.data(rows.index(0), QueueListModel::AnnouncementRole).toString(), "Moved to position 1 of 4");
    selection.moveSelection(1);
    EXPECT_EQ(rows.data(rows.index(0), QueueListModel::AnnouncementRole).toString(), "")
        << "the place is said only until the selection goes on";

    // Delete removes the selected entry and selects the one that takes its place, or the new last one.
    selection.deleteSelected();
    EXPECT_EQ(queuedTexts(), (QStringList{"b", "c", "d"}));
    EXPECT_EQ(selection.selectedIndex(), 1);
    selection.selectEdge(true);
    selection.deleteSelected();
    EXPECT_EQ(selection.selectedIndex(), 1);
    queue->clear();
    EXPECT_EQ(selection.selectedIndex(), -1);
    selection.deleteSelected();
    selection.moveSelectedEntry(1);
    EXPECT_EQ(selection.selectedIndex(), -1);
}

} // namespace
} // namespace sorvu
