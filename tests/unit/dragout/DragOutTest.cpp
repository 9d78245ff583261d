// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dragout/DragOut.h"

#include "dragout/DragCard.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QPointer>
#include <QTemporaryDir>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace sorvu {
namespace {

using test::runEventLoopFor;
using test::waitUntil;

// A window that takes every drop offered to it, as another program's text field would.
class AcceptingWindow : public QWindow {
public:
    int dropsSeen = 0;

protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::Drop) {
            ++dropsSeen;
            static_cast<QDropEvent*>(event)->acceptProposedAction();
            return true;
        }
        return QWindow::event(event);
    }
};

// What the window made of a drop sent to it while some drag runs.
bool windowAcceptsDrop(QWindow& window) {
    QMimeData data;
    data.setText("x");
    QDropEvent drop(QPointF(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);
    return drop.isAccepted();
}

// The drag with the system's drag replaced: the test decides what the target does, and looks around while
// the drag "runs".
class DragOutTest : public ::testing::Test {
protected:
    DragOutTest() { makeDragOut(true); }

    void makeDragOut(bool cardFollowsPointer) {
        DragOut::Dependencies dependencies;
        dependencies.cardFollowsPointer = cardFollowsPointer;
        dependencies.dropData = [this](const ClipboardItem& item) {
            ++dropDataMade;
            auto* data = new QMimeData;
            data->setText(item.isFile() ? item.fileUrl().toString() : item.text());
            return data;
        };
        dependencies.runDrag = [this](QMimeData* data, Qt::DropActions actions) {
            offered.reset(data);
            offeredActions = actions;
            ++dragsRun;
            activeDuringDrag = DragOut::isDragOutActive();
            if (whileDragging) {
                whileDragging();
            }
            return targetAction;
        };
        dependencies.pointer = [this] { return pointer; };
        dragOut = std::make_unique<DragOut>(std::move(dependencies));
    }

    bool begin(const ClipboardItem& item, QPointF start = {500, 300}) {
        return dragOut->begin(item, start, [this](bool dropped) { finished.append(dropped); });
    }

    test::LogCapture log;
    QPoint pointer{700, 360};
    Qt::DropAction targetAction = Qt::CopyAction;
    std::function<void()> whileDragging;
    std::unique_ptr<DragOut> dragOut;
    int dropDataMade = 0;
    int dragsRun = 0;
    std::unique_ptr<QMimeData> offered;
    Qt::DropActions offeredActions;
    bool activeDuringDrag = false;
    QList<bool> finished;
};

TEST_F(DragOutTest, TheDragRunsAfterBeginReturnedAndAnAcceptedDropIsReportedOnceAndFadesTheCard) {
    const QString longText = QString(30, 'a') + QString(30, 'b');
    ASSERT_TRUE(begin(ClipboardItem::makeText(longText)));
    // The caller settles the row first: nothing has run yet, but the drag counts as active.
    EXPECT_EQ(dragsRun, 0);
    EXPECT_TRUE(DragOut::isDragOutActive());
    ASSERT_NE(dragOut->card(), nullptr);
    EXPECT_TRUE(dragOut->card()->isVisible());
    EXPECT_EQ(dragOut->card()->position(), dragOut->spring().start.toPoint());
    EXPECT_EQ(dragOut->spring().start + QPointF(dragOut->card()->width(), dragOut->card()->height()) / 2,
              QPointF(500, 300))
        << "centred where the row drag began";
    EXPECT_FALSE(begin(ClipboardItem::makeText("second"))) << "one drag at a time";

    ASSERT_TRUE(waitUntil([&] { return !finished.isEmpty(); }));
    EXPECT_EQ(dragsRun, 1);
    EXPECT_TRUE(activeDuringDrag);
    EXPECT_EQ(offered->text(), longText) << "the whole text travels; only the card is cut";
    EXPECT_EQ(offeredActions, Qt::CopyAction | Qt::MoveAction);
    EXPECT_EQ(finished, QList<bool>{true});
    EXPECT_FALSE(DragOut::isDragOutActive());
    EXPECT_EQ(dragOut->card(), nullptr) << "the card fades at once";
    EXPECT_EQ(log.messagesStartingWith("drag ended"), QStringList{"drag ended operation=1"});
    EXPECT_TRUE(log.messagesStartingWith("file URL drag begin").isEmpty());

    // A move is an accepted drop too, logged with the move's number.
    targetAction = Qt::MoveAction;
    ASSERT_TRUE(begin(ClipboardItem::makeText("moved")));
    ASSERT_TRUE(waitUntil([&] { return finished.size() == 2; }));
    EXPECT_EQ(finished.last(), true);
    EXPECT_EQ(log.messagesStartingWith("drag ended").last(), "drag ended operation=16");
    runEventLoopFor(50);
    EXPECT_EQ(finished.size(), 2) << "called once per drag";
}

TEST_F(DragOutTest, WhereWindowsCannotBePlacedTheCardTravelsAsTheDragsPicture) {
    makeDragOut(false);
    const ClipboardItem item = ClipboardItem::makeText(QStringLiteral("carried along"));
    ASSERT_TRUE(begin(item));
    EXPECT_EQ(dragOut->card(), nullptr) << "no window of its own";
    const QImage card = DragCard::pictureOf(item);
    EXPECT_EQ(dragOut->dragPicture().toImage(), card);
    // The pointer holds the card by the point from which the window would have hung.
    EXPECT_EQ(dragOut->dragHotSpot(), QPoint(-14, qRound(card.deviceIndependentSize().height()) - 6));
    ASSERT_TRUE(waitUntil([&] { return !finished.isEmpty(); }));
    EXPECT_EQ(finished, QList<bool>{true});
    EXPECT_EQ(offered->text(), "carried along");
}

TEST_F(DragOutTest, ARefusedDragReportsNothingDroppedAndSpringsTheCardBackBeforeItGoes) {
    targetAction = Qt::IgnoreAction;
    ASSERT_TRUE(begin(ClipboardItem::makeText("refused")));
    ASSERT_TRUE(waitUntil([&] { return !finished.isEmpty(); }));
    EXPECT_EQ(finished, QList<bool>{false});
    EXPECT_FALSE(DragOut::isDragOutActive());
    EXPECT_EQ(log.messagesStartingWith("drag ended"), QStringList{"drag ended operation=0"});
    ASSERT_NE(dragOut->card(), nullptr) << "the card stays to spring back";
    EXPECT_TRUE(dragOut->spring().returning);
    // 0.35 s later it is dismissed.
    runEventLoopFor(200);
    EXPECT_NE(dragOut->card(), nullptr);
    EXPECT_TRUE(waitUntil([&] { return dragOut->card() == nullptr; }, 2000));

    // A new drag while a card is still returning replaces it at once.
    ASSERT_TRUE(begin(ClipboardItem::makeText("again")));
    ASSERT_TRUE(waitUntil([&] { return finished.size() == 2; }));
    const QPointer<const DragCard> returning = dragOut->card();
    ASSERT_FALSE(returning.isNull());
    ASSERT_TRUE(begin(ClipboardItem::makeText("third")));
    EXPECT_TRUE(returning.isNull() || !returning->isVisible()) << "removed without a fade";
    EXPECT_NE(dragOut->card(), nullptr);
    ASSERT_TRUE(waitUntil([&] { return finished.size() == 3; }));
}

TEST_F(DragOutTest, TheCardFollowsThePointerWhileTheDragRuns) {
    whileDragging = [&] {
        pointer = QPoint(900, 200);
        const QPointF target = CardSpring::targetFor(pointer, dragOut->card()->size());
        EXPECT_TRUE(
            waitUntil([&] { return (QPointF(dragOut->card()->position()) - target).manhattanLength() <= 2; }, 3000))
            << dragOut->card()->position().x() << "," << dragOut->card()->position().y();
    };
    ASSERT_TRUE(begin(ClipboardItem::makeText("follow")));
    ASSERT_TRUE(waitUntil([&] { return !finished.isEmpty(); }, 5000));
}

TEST_F(DragOutTest, AFileOffersOnlyACopyOfItsStoredFileAndOneWhoseCopyIsGoneCannotBeDragged) {
    QTemporaryDir storage;
    const QString path = storage.filePath("report.pdf");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const ClipboardItem item = ClipboardItem::makeFile(QUrl::fromLocalFile(path), "report.pdf");

    ASSERT_TRUE(begin(item));
    ASSERT_TRUE(waitUntil([&] { return !finished.isEmpty(); }));
    EXPECT_EQ(offeredActions, Qt::DropActions(Qt::CopyAction));
    EXPECT_EQ(offered->text(), QUrl::fromLocalFile(path).toString());
    EXPECT_EQ(log.messagesStartingWith("file URL drag begin"), QStringList{"file URL drag begin types=text/plain"});

    // Gone from storage: nothing starts and nothing changes.
    ASSERT_TRUE(QFile::remove(path));
    log.clear();
    const int made = dropDataMade;
    EXPECT_FALSE(begin(item));
    EXPECT_FALSE(begin(ClipboardItem::makeFile(QUrl("https://example.org/report.pdf"), "report.pdf")));
    EXPECT_FALSE(DragOut::isDragOutActive());
    EXPECT_EQ(dragOut->card(), nullptr);
    runEventLoopFor(50);
    EXPECT_EQ(dragsRun, 1);
    EXPECT_EQ(dropDataMade, made);
    EXPECT_EQ(finished.size(), 1);
    EXPECT_TRUE(log.messages().isEmpty());
}

TEST_F(DragOutTest, SorvusOwnWindowsRefuseDropsOnlyWhileTheDragRuns) {
    AcceptingWindow window;
    std::optional<bool> acceptedDuringDrag;
    whileDragging = [&] { acceptedDuringDrag = windowAcceptsDrop(window); };
    ASSERT_TRUE(begin(ClipboardItem::makeText("nowhere")));
    ASSERT_TRUE(waitUntil([&] { return !finished.isEmpty(); }));
    ASSERT_TRUE(acceptedDuringDrag.has_value());
    EXPECT_FALSE(*acceptedDuringDrag);
    EXPECT_EQ(window.dropsSeen, 0);
    EXPECT_TRUE(windowAcceptsDrop(window)) << "the refusal ends with the drag";
}

TEST_F(DragOutTest, ADragOutThatGoesAwayMidDragLeavesNoActiveFlagBehind) {
    whileDragging = [&] { dragOut.reset(); };
    ASSERT_TRUE(begin(ClipboardItem::makeText("gone")));
    ASSERT_TRUE(waitUntil([&] { return dragsRun == 1; }));
    runEventLoopFor(20);
    EXPECT_FALSE(DragOut::isDragOutActive());
    EXPECT_TRUE(finished.isEmpty()) << "nobody is left to tell";
}

} // namespace
} // namespace sorvu
