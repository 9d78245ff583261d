// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dragout/DragOut.h"

#include "dragout/DragCard.h"
#include "engine/Log.h"

#include <QCursor>
#include <QDrag>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPixmap>
#include <QPointer>
#include <QPropertyAnimation>

#include <utility>

namespace sorvu {

namespace {

bool s_isDragOutActive = false;

// The operation as the log has always named it, the same on every desktop: copy 1, link 2, move 16.
unsigned long loggedOperation(Qt::DropAction action) {
    switch (action & Qt::ActionMask) {
    case Qt::CopyAction:
        return 1;
    case Qt::LinkAction:
        return 2;
    case Qt::MoveAction:
        return 16;
    default:
        return 0;
    }
}

bool storedCopyExists(const ClipboardItem& item) {
    const QUrl url = item.fileUrl();
    return url.isLocalFile() && QFileInfo::exists(url.toLocalFile());
}

} // namespace

DragOut::DragOut(Dependencies dependencies, QObject* parent)
    : QObject(parent), m_dependencies(std::move(dependencies)) {
    if (!m_dependencies.pointer) {
        m_dependencies.pointer = [] { return QCursor::pos(); };
    }
    if (!m_dependencies.runDrag) {
        m_dependencies.runDrag = [this](QMimeData* data, Qt::DropActions actions) {
            // Released before the drag could start: there is nothing to drop.
            if (!(QGuiApplication::mouseButtons() & Qt::LeftButton)) {
                delete data;
                return Qt::IgnoreAction;
            }
            // Qt deletes the drag once the target has fetched the data, which may be after exec has returned,
            // so it lives on the heap; nor is the drag-out its source, as that may go away first.
            auto* drag = new QDrag(QCoreApplication::instance());
            drag->setMimeData(data);
            // The card is the drag's picture, or follows it as a window; Qt would otherwise draw a default one.
            drag->setPixmap(m_dragPicture);
            drag->setHotSpot(m_dragHotSpot);
            return drag->exec(actions, Qt::CopyAction);
        };
    }
    m_animationTimer.setTimerType(Qt::PreciseTimer);
    m_animationTimer.setInterval(1000 / ticksPerSecond);
    connect(&m_animationTimer, &QTimer::timeout, this, &DragOut::cardTick);
}

DragOut::~DragOut() {
    if (m_ownsActiveDrag) {
        s_isDragOutActive = false;
    }
}

bool DragOut::isDragOutActive() {
    return s_isDragOutActive;
}

bool DragOut::begin(const ClipboardItem& item, QPointF startScreenPoint, Finished finished) {
    if (s_isDragOutActive || (item.isFile() && !storedCopyExists(item))) {
        return false;
    }
    std::unique_ptr<QMimeData> data(m_dependencies.dropData(item));
    if (!data) {
        return false;
    }
    m_onFinished = std::move(finished);
    m_draggingFile = item.isFile();
    s_isDragOutActive = true;
    m_ownsActiveDrag = true;
    if (m_draggingFile) {
        const QStringList types = data->formats();
        qCDebug(lcDragOut).noquote() << QStringLiteral("file URL drag begin types=%1")
                                            .arg(types.isEmpty() ? QStringLiteral("none") : types.join(','));
    }
    m_pendingData = std::move(data);
    showCard(item, startScreenPoint);
    // The caller takes the row out of the list first; the drag's nested event loop starts after that.
    QTimer::singleShot(0, this, &DragOut::runDrag);
    return true;
}

void DragOut::runDrag() {
    const Qt::DropActions actions =
        m_draggingFile ? Qt::DropActions(Qt::CopyAction) : Qt::DropActions(Qt::CopyAction | Qt::MoveAction);
    QCoreApplication::instance()->installEventFilter(this);
    const QPointer<DragOut> self(this);
    const auto run = m_dependencies.runDrag;
    const Qt::DropAction action = run(m_pendingData.release(), actions);
    if (!self) {
        return;
    }
    QCoreApplication::instance()->removeEventFilter(this);
    dragEnded(action);
}

bool DragOut::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        // An entry dropped back into the popup would only leave the queue: Sorvu's windows refuse it.
        event->ignore();
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

void DragOut::dragEnded(Qt::DropAction action) {
    s_isDragOutActive = false;
    m_ownsActiveDrag = false;
    qCDebug(lcDragOut).noquote() << QStringLiteral("drag ended operation=%1").arg(loggedOperation(action));
    const bool dropped = action != Qt::IgnoreAction;
    finishCard(dropped);
    if (Finished finished = std::exchange(m_onFinished, {})) {
        finished(dropped);
    }
    m_draggingFile = false;
}

void DragOut::showCard(const ClipboardItem& item, QPointF startScreenPoint) {
    if (!m_dependencies.cardFollowsPointer) {
        const QImage picture = DragCard::pictureOf(item);
        m_dragPicture = QPixmap::fromImage(picture);
        // Where the card would hang from the pointer: its lower left corner just right of it.
        m_dragHotSpot = (QPointF(0, picture.deviceIndependentSize().height()) - CardSpring::pointerOffset).toPoint();
        return;
    }
    m_dragPicture = QPixmap(1, 1);
    m_dragPicture.fill(Qt::transparent);
    m_dragHotSpot = {};
    if (m_card) {
        dismissCard(false);
    }
    m_card = std::make_unique<DragCard>(item);
    const QSizeF size = m_card->size();
    m_spring = CardSpring::startingAt(startScreenPoint, size);
    m_spring.target = CardSpring::targetFor(m_dependencies.pointer(), size);
    m_peelStartedAt.start();
    m_lastTickNanoseconds = 0;
    m_card->setPosition(m_spring.origin.toPoint());
    m_card->show();
    m_animationTimer.start();
}

void DragOut::cardTick() {
    if (!m_card) {
        return;
    }
    const qint64 now = m_peelStartedAt.nsecsElapsed();
    const double step = double(now - m_lastTickNanoseconds) / 1e9;
    m_lastTickNanoseconds = now;
    if (!m_spring.returning) {
        // The pointer read at each tick stands for the drag's own movement reports.
        m_spring.target = CardSpring::targetFor(m_dependencies.pointer(), m_card->size());
    }
    m_spring = m_spring.advanced(double(now) / 1e9, step);
    m_card->setPosition(m_spring.origin.toPoint());
}

void DragOut::finishCard(bool dropped) {
    if (!m_card) {
        return;
    }
    if (dropped) {
        dismissCard(true);
        return;
    }
    m_spring.returning = true;
    QTimer::singleShot(int(returnSeconds * 1000), this, [this, returning = m_card.get()] {
        // A newer drag may have replaced the card meanwhile.
        if (m_card.get() == returning) {
            dismissCard(true);
        }
    });
}

void DragOut::dismissCard(bool animated) {
    m_animationTimer.stop();
    // Cards whose fade has ended are let go here, so that no fade has to call back.
    std::erase_if(m_fadingCards, [](const auto& card) { return !card->isVisible(); });
    if (!m_card) {
        return;
    }
    DragCard* fading = m_card.get();
    m_fadingCards.push_back(std::move(m_card));
    if (!animated) {
        fading->hide();
        return;
    }
    // Without a compositing manager the opacity has no effect and the card simply goes at the end.
    auto* fade = new QPropertyAnimation(fading, "opacity", fading);
    fade->setDuration(int(fadeSeconds * 1000));
    fade->setEndValue(0.0);
    connect(fade, &QPropertyAnimation::finished, fading, &QWindow::hide);
    fade->start(QAbstractAnimation::DeleteWhenStopped);
}

} // namespace sorvu
