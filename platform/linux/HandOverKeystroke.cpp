// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/HandOverKeystroke.h"

#include "engine/Log.h"
#include "engine/PasteOutput.h"

namespace sorvu {

HandOverKeystroke::HandOverKeystroke(PasteOutput& keyboard, QObject* parent) : QObject(parent), m_keyboard(keyboard) {
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(deadlineMilliseconds);
    connect(&m_deadline, &QTimer::timeout, this, [this] { release(false); });
}

void HandOverKeystroke::post(PasteKeys keys, qint64 claimChangeCount) {
    if (m_waiting) {
        release(false);
    }
    m_waiting = Waiting{keys, claimChangeCount};
    m_sincePost.start();
    m_deadline.start();
}

bool HandOverKeystroke::contentFetched(qint64 claimChangeCount) {
    if (!m_waiting || m_waiting->claimChangeCount != claimChangeCount) {
        return false;
    }
    release(true);
    return true;
}

void HandOverKeystroke::release(bool takenUp) {
    m_deadline.stop();
    const Waiting waiting = *m_waiting;
    m_waiting.reset();
    qCDebug(lcUi).noquote() << QStringLiteral("paste keystroke after hand-over takenUp=%1 ms=%2")
                                   .arg(takenUp ? QStringLiteral("true") : QStringLiteral("false"))
                                   .arg(m_sincePost.elapsed());
    m_keyboard.post(waiting.keys);
}

} // namespace sorvu
