// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/PointerProbe.h"

#include <QCursor>
#include <QPointer>
#include <QQuickWindow>
#include <QTimer>

namespace sorvu {

PointerProbe::PointerProbe(QQuickItem* parent) : QQuickItem(parent) {
    setAcceptedMouseButtons(Qt::NoButton);
    setAcceptHoverEvents(false);
}

void PointerProbe::setIndex(int index) {
    if (m_index != index) {
        m_index = index;
        emit indexChanged();
        scheduleCheck();
    }
}

void PointerProbe::setRefresh(int refresh) {
    if (m_refresh != refresh) {
        m_refresh = refresh;
        emit refreshChanged();
        scheduleCheck();
    }
}

void PointerProbe::componentComplete() {
    QQuickItem::componentComplete();
    scheduleCheck();
}

void PointerProbe::scheduleCheck() {
    if (!isComponentComplete() || (m_lastIndex == m_index && m_lastRefresh == m_refresh)) {
        return;
    }
    scheduleCheckNow();
}

void PointerProbe::recheck() {
    if (isComponentComplete() && !m_isCheckPending) {
        scheduleCheckNow();
    }
}

void PointerProbe::scheduleCheckNow() {
    m_lastIndex = m_index;
    m_lastRefresh = m_refresh;
    m_isCheckPending = true;
    // Layout settles within the current update; the pointer is looked at after it.
    QTimer::singleShot(0, this, [self = QPointer<PointerProbe>(this), index = m_index, refresh = m_refresh] {
        if (self) {
            self->check(index, refresh);
        }
    });
}

void PointerProbe::check(int index, int refresh) {
    // Only the newest check counts.
    if (m_lastIndex != index || m_lastRefresh != refresh) {
        return;
    }
    m_isCheckPending = false;
    if (!window()) {
        return;
    }
    emit checked(contains(mapFromGlobal(QCursor::pos(window()->screen()))));
}

} // namespace sorvu
