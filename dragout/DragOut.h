// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "dragout/CardSpring.h"
#include "engine/ClipboardItem.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QPointF>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

class QMimeData;

namespace sorvu {

class DragCard;

// Drags one queue entry out of the popup into another program: a real drag carrying the entry's content,
// with a card of the entry that peels off the row and follows the pointer on a spring instead of a drag
// image. An accepted drop lets the card fade; a refused or cancelled one springs it back to where it came
// from first. Sorvu's own windows accept no drop while the drag runs.
class DragOut : public QObject {
    Q_OBJECT

public:
    using Finished = std::function<void(bool dropped)>;

    struct Dependencies {
        // What another program receives when the entry is dropped on it; owned by the caller.
        std::function<QMimeData*(const ClipboardItem& item)> dropData;
        // Runs the drag to its end and answers what the target did with it; by default a QDrag from the
        // pointer button that is still held.
        std::function<Qt::DropAction(QMimeData* data, Qt::DropActions actions)> runDrag;
        // Where the pointer is on the screen; by default the cursor's position.
        std::function<QPoint()> pointer;
        // False where the desktop places every window itself (Wayland): the card then travels as the drag's
        // picture rather than as a window of its own that follows the pointer.
        bool cardFollowsPointer = true;
    };

    static constexpr double returnSeconds = 0.35;
    static constexpr double fadeSeconds = 0.12;
    static constexpr int ticksPerSecond = 120;

    explicit DragOut(Dependencies dependencies, QObject* parent = nullptr);
    ~DragOut() override;

    // Starts dragging the entry from the point where the row drag began. The drag itself runs once the
    // caller has returned (it runs a nested event loop); `finished` is called exactly once at its end, with
    // whether a program accepted the drop. False when nothing started: a file whose stored copy is gone, no
    // content to offer, or a drag already running; `finished` is then never called.
    bool begin(const ClipboardItem& item, QPointF startScreenPoint, Finished finished);

    // From a begin that returned true to the end of that drag, in the whole program.
    static bool isDragOutActive();

    // The card on screen and its motion; none once it has gone or begun fading.
    const DragCard* card() const { return m_card.get(); }
    const CardSpring& spring() const { return m_spring; }
    // The drag's picture: the card where it cannot follow the pointer as a window, else nothing to see.
    const QPixmap& dragPicture() const { return m_dragPicture; }
    const QPoint& dragHotSpot() const { return m_dragHotSpot; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void runDrag();
    void dragEnded(Qt::DropAction action);
    void showCard(const ClipboardItem& item, QPointF startScreenPoint);
    void cardTick();
    void finishCard(bool dropped);
    void dismissCard(bool animated);

    Dependencies m_dependencies;
    std::unique_ptr<QMimeData> m_pendingData;
    Finished m_onFinished;
    bool m_draggingFile = false;
    bool m_ownsActiveDrag = false;

    QPixmap m_dragPicture;
    QPoint m_dragHotSpot;
    std::unique_ptr<DragCard> m_card;
    std::vector<std::unique_ptr<DragCard>> m_fadingCards;
    QTimer m_animationTimer;
    CardSpring m_spring;
    QElapsedTimer m_peelStartedAt;
    qint64 m_lastTickNanoseconds = 0;
};

} // namespace sorvu
