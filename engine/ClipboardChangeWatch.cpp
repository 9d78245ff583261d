// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/ClipboardChangeWatch.h"

#include "engine/Clipboard.h"
#include "engine/Log.h"

namespace sorvu {

ClipboardChangeWatch::ClipboardChangeWatch(Clipboard& clipboard, std::function<void()> look)
    : m_clipboard(clipboard), m_look(std::move(look)), m_lastChangeCount(clipboard.changeCount()) {}

void ClipboardChangeWatch::observe(std::function<void()> changed) {
    m_observed = m_clipboard.observeChanges(std::move(changed));
}

void ClipboardChangeWatch::start() {
    m_lastChangeCount = m_clipboard.changeCount();
    m_pollTimer.reset();
    auto timer = std::make_unique<QTimer>();
    timer->setInterval(pollIntervalMilliseconds);
    // A coarse timer may fire up to 5 % (5 ms) late, within the 10 ms the poll tolerates.
    timer->setTimerType(Qt::CoarseTimer);
    // A clipboard that tells of its changes is checked when it does; the timer then only retries an
    // unreadable change, once per interval.
    timer->setSingleShot(m_observed);
    QObject::connect(timer.get(), &QTimer::timeout, timer.get(), [look = m_look] { look(); });
    if (!m_observed) {
        timer->start();
    }
    m_pollTimer = std::move(timer);
}

void ClipboardChangeWatch::stop() {
    m_pollTimer.reset();
}

void ClipboardChangeWatch::skipCurrent() {
    m_lastChangeCount = m_clipboard.changeCount();
}

void ClipboardChangeWatch::consume(qint64 changeCount) {
    m_lastChangeCount = changeCount;
    m_unreadableChangeCount.reset();
    m_unreadableReadAttempts = 0;
    if (m_observed && m_pollTimer) {
        m_pollTimer->stop();
    }
}

void ClipboardChangeWatch::catchUp(qint64 changeCount) {
    if (m_lastChangeCount < changeCount) {
        consume(changeCount);
    }
}

void ClipboardChangeWatch::recordUnreadable(qint64 changeCount) {
    if (!m_unreadableChangeCount || *m_unreadableChangeCount != changeCount) {
        m_unreadableChangeCount = changeCount;
        m_unreadableReadAttempts = 0;
    }
    ++m_unreadableReadAttempts;
    const std::optional<QStringList> types = m_clipboard.offeredTypes();
    qCInfo(lcQueue).noquote() << QStringLiteral("pasteboard unreadable changeCount=%1 attempt=%2 types=%3")
                                     .arg(changeCount)
                                     .arg(m_unreadableReadAttempts)
                                     .arg(types ? types->join(QLatin1Char(',')) : QStringLiteral("mock"));
    if (m_unreadableReadAttempts >= unreadableRetryLimit) {
        consume(changeCount);
    } else {
        scheduleRetry();
    }
}

void ClipboardChangeWatch::scheduleRetry() {
    if (m_observed && m_pollTimer && !m_pollTimer->isActive()) {
        m_pollTimer->start();
    }
}

} // namespace sorvu
