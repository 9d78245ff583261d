// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/PasteRequestGate.h"

#include "platform/Platform.h"

#include <QElapsedTimer>
#include <QPointer>

#include <memory>

namespace sorvu {

PasteRequestGate::PasteRequestGate(Platform& platform, PasteRequestHandler& handler, Clock clock, QObject* parent)
    : QObject(parent), m_platform(platform), m_handler(handler), m_clock(std::move(clock)) {
    m_pollTimer.setInterval(pollIntervalMilliseconds);
    m_pollTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_pollTimer, &QTimer::timeout, this, &PasteRequestGate::releaseReadyRequests);
    connect(&m_platform, &Platform::clipboardContentFetched, this, [this](qint64 change) {
        if (m_unfetchedPasteChange == change) {
            m_unfetchedPasteChange.reset();
        }
    });
}

PasteRequestGate::Clock PasteRequestGate::monotonicClock() {
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer] { return timer->elapsed(); };
}

void PasteRequestGate::submit(const PasteRequestKind& kind, PasteRequestSource source, PasteCompletion completion) {
    Pending request{kind, source, std::move(completion), {}, m_clock()};
    // Keys of a shortcut, Sorvu's own or the desktop's that ran a command, are still held; a session that
    // does not tell which keys are down has nothing to wait for.
    if (source != PasteRequestSource::button) {
        request.keysToRelease = m_platform.keysDown().value_or(QSet<quint16>());
    }
    m_pending.append(std::move(request));
    releaseReadyRequests();
}

bool PasteRequestGate::keysReleased(const Pending& request, qint64 now) const {
    if (request.keysToRelease.isEmpty() || now - request.arrivedAt >= keyReleaseTimeoutMilliseconds) {
        return true;
    }
    return !m_platform.keysDown().value_or(QSet<quint16>()).intersects(request.keysToRelease);
}

bool PasteRequestGate::previousPasteFetched() const {
    // Content that another copy replaced will never be fetched: nothing to wait for then.
    return !m_unfetchedPasteChange || m_platform.clipboard()->changeCount() != *m_unfetchedPasteChange;
}

void PasteRequestGate::pastePosted() {
    m_previousPastePostedAt = m_clock();
    m_unfetchedPasteChange = m_platform.clipboard()->changeCount();
}

void PasteRequestGate::releaseReadyRequests() {
    while (!m_pending.isEmpty()) {
        const qint64 now = m_clock();
        if (!keysReleased(m_pending.first(), now)) {
            break;
        }
        if (m_previousPastePostedAt && now - *m_previousPastePostedAt < fetchTimeoutMilliseconds &&
            !previousPasteFetched()) {
            break;
        }
        Pending request = m_pending.takeFirst();
        // A paste is posted when its completion says so, which may come later (after the recipient came back).
        m_handler.handlePasteRequest(request.kind, request.source,
                                     [gate = QPointer<PasteRequestGate>(this),
                                      completion = std::move(request.completion)](PasteAttemptResult result) {
                                         if (gate && result == PasteAttemptResult::commandPosted) {
                                             gate->pastePosted();
                                         }
                                         if (completion) {
                                             completion(result);
                                         }
                                     });
    }
    if (m_pending.isEmpty()) {
        m_pollTimer.stop();
    } else if (!m_pollTimer.isActive()) {
        m_pollTimer.start();
    }
}

} // namespace sorvu
