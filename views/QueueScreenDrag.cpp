// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/QueueScreenModel.h"

#include "engine/ClipboardQueue.h"

#include <QLineF>
#include <QPointer>

namespace sorvu {

void QueueScreenModel::rowMeasured(const QString& id, double height) {
    m_rowHeights.insert(QUuid::fromString(id), height);
}

void QueueScreenModel::pointerMoved(const QString& id, QPointF pressInList, QPointF pointerInList,
                                    QPointF pointerOnScreen) {
    const QUuid uuid = QUuid::fromString(id);
    if (!m_press || m_press->id != uuid) {
        m_press = Press{uuid};
    }
    if (!m_press->isDrag) {
        if (QLineF(pressInList, pointerInList).length() < dragStartDistance) {
            return;
        }
        m_press->isDrag = true;
    }
    dragChanged(uuid, pointerInList.y() - pressInList.y(), pointerOnScreen);
}

void QueueScreenModel::pointerReleased(const QString& id) {
    const bool wasDrag = m_press && m_press->id == QUuid::fromString(id) && m_press->isDrag;
    m_press.reset();
    if (wasDrag) {
        dragEnded();
    }
}

void QueueScreenModel::dragChanged(const QUuid& id, double translation, QPointF pointerOnScreen) {
    if (m_draggingID != id) {
        // The first movement of a drag, or the first after a hand-off: the drag starts here.
        m_draggingID = id;
        m_swapCompensation = 0;
        m_dragStartScreenPoint = pointerOnScreen;
        m_dragStartIndex = indexOf(id);
    }
    if (m_handedOffToSystem) {
        return;
    }
    m_rawTranslation = translation;
    swapWhileOffsetPasses(id);
    handOffIfOutside(id, pointerOnScreen);
    showDrag();
}

void QueueScreenModel::dragEnded() {
    m_handedOffToSystem = false;
    resetDrag();
}

void QueueScreenModel::swapWhileOffsetPasses(const QUuid& id) {
    while (true) {
        const std::optional<int> found = indexOf(id);
        if (!found) {
            return;
        }
        const int index = *found;
        const qsizetype count = m_queue.queue().size();
        // Half the row's own height plus the spacing: the distance from its centre to a neighbour's edge.
        const double own = heightOr(id, assumedRowHeight) * 0.5 + rowSpacing;
        const double offset = m_rawTranslation - m_swapCompensation;
        if (offset > 0 && index < count - 1) {
            const double below = heightOr(m_queue.queue().at(index + 1).id, assumedRowHeight);
            if (own + below * 0.5 < offset) {
                m_queue.move(QSet<int>{index}, index + 2);
                m_swapCompensation += below + rowSpacing;
                continue;
            }
        } else if (offset < 0 && index > 0) {
            const double above = heightOr(m_queue.queue().at(index - 1).id, assumedRowHeight);
            if (own + above * 0.5 < -offset) {
                m_queue.move(QSet<int>{index}, index - 1);
                m_swapCompensation -= above + rowSpacing;
                continue;
            }
        }
        return;
    }
}

void QueueScreenModel::handOffIfOutside(const QUuid& id, QPointF pointerOnScreen) {
    if (!m_actions.beginDragOut || !m_actions.isOverPopup || m_actions.isOverPopup(pointerOnScreen)) {
        return;
    }
    if (m_actions.canBeginDrag && !m_actions.canBeginDrag()) {
        return;
    }
    const std::optional<int> index = indexOf(id);
    if (!index) {
        return;
    }
    const std::optional<int> startIndex = m_dragStartIndex;
    const bool started =
        m_actions.beginDragOut(m_queue.queue().at(*index).content, m_dragStartScreenPoint,
                               [self = QPointer<QueueScreenModel>(this), id, startIndex](bool dropped) {
                                   if (self) {
                                       self->dragOutFinished(id, startIndex, dropped);
                                   }
                               });
    if (!started) {
        return;
    }
    m_handedOffToSystem = true;
    m_outgoingDragID = id;
    m_rows.setDraggedOut(id);
    resetDrag();
}

void QueueScreenModel::dragOutFinished(const QUuid& id, std::optional<int> startIndex, bool dropped) {
    m_handedOffToSystem = false;
    m_outgoingDragID.reset();
    m_rows.setDraggedOut(std::nullopt);
    if (dropped) {
        m_queue.consumeDropped(id);
        if (m_queue.queue().isEmpty() && m_actions.queueDrainedByDrop) {
            m_actions.queueDrainedByDrop();
        }
    } else if (startIndex) {
        m_queue.move(id, *startIndex);
    }
}

void QueueScreenModel::resetDrag() {
    m_rawTranslation = 0;
    m_swapCompensation = 0;
    m_draggingID.reset();
    showDrag();
}

void QueueScreenModel::showDrag() {
    m_rows.setDrag(m_draggingID, m_rawTranslation - m_swapCompensation);
}

std::optional<int> QueueScreenModel::indexOf(const QUuid& id) const {
    const auto& queue = m_queue.queue();
    for (int index = 0; index < queue.size(); ++index) {
        if (queue.at(index).id == id) {
            return index;
        }
    }
    return std::nullopt;
}

double QueueScreenModel::heightOr(const QUuid& id, double fallback) const {
    return m_rowHeights.value(id, fallback);
}

} // namespace sorvu
