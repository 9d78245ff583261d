// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/PasteRequest.h"
#include "app/PasteRequestHandler.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <functional>
#include <optional>

namespace sorvu {

class Platform;

// Holds paste requests back until they can work, and lets them through strictly in arrival order.
// A shortcut fires while its keys are still down, and a target that sees Ctrl+Super+V pastes nothing, so a
// request from the keyboard waits until the keys that were down at that moment are up (at most 1 s).
// A target fetches the clipboard a few milliseconds after it gets Ctrl+V; replacing the clipboard before that
// would paste the next entry twice, so each request also waits until the previous paste was fetched, at
// most until 0.3 s after it was posted. Waiting is polled on a timer: the event loop never stops.
class PasteRequestGate : public QObject {
    Q_OBJECT

public:
    using Clock = std::function<qint64()>; // milliseconds

    static constexpr qint64 keyReleaseTimeoutMilliseconds = 1000;
    static constexpr qint64 fetchTimeoutMilliseconds = 300;
    static constexpr int pollIntervalMilliseconds = 10;

    // The platform tells which keys are down and when a target fetched a paste; the handler pastes.
    PasteRequestGate(Platform& platform, PasteRequestHandler& handler, Clock clock = monotonicClock(),
                     QObject* parent = nullptr);

    static Clock monotonicClock();

    void submit(const PasteRequestKind& kind, PasteRequestSource source, PasteCompletion completion = {});
    qsizetype pendingCount() const { return m_pending.count(); }
    // Lets through every request whose waits are over; the poll timer calls it.
    void releaseReadyRequests();

private:
    struct Pending {
        PasteRequestKind kind;
        PasteRequestSource source;
        PasteCompletion completion;
        QSet<quint16> keysToRelease;
        qint64 arrivedAt = 0;
    };

    bool keysReleased(const Pending& request, qint64 now) const;
    bool previousPasteFetched() const;
    void pastePosted();

    Platform& m_platform;
    PasteRequestHandler& m_handler;
    Clock m_clock;
    QList<Pending> m_pending;
    // When the last paste let through was posted: the fetch wait is counted from there.
    std::optional<qint64> m_previousPastePostedAt;
    // The clipboard change of the last paste, until a target has fetched it.
    std::optional<qint64> m_unfetchedPasteChange;
    QTimer m_pollTimer;
};

} // namespace sorvu
