// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/QueueArrivals.h"

#include <algorithm>

namespace sorvu {

bool QueueArrivals::isCopying() const {
    return std::any_of(m_arrivals.cbegin(), m_arrivals.cend(),
                       [](const Arrival& arrival) { return arrival.copyingChange.has_value(); });
}

bool QueueArrivals::isCopying(qint64 changeCount) const {
    return std::any_of(m_arrivals.cbegin(), m_arrivals.cend(),
                       [&](const Arrival& arrival) { return arrival.copyingChange == changeCount; });
}

qsizetype QueueArrivals::count() const {
    qsizetype count = 0;
    for (const Arrival& arrival : m_arrivals) {
        count += arrival.entries.count() + (arrival.copyingChange ? arrival.places : 0);
    }
    return count;
}

QueueArrivals::Cancellation QueueArrivals::holdPlaces(qint64 changeCount, qsizetype places) {
    auto cancellation = std::make_shared<std::atomic_bool>(false);
    m_arrivals.append(Arrival{changeCount, places, {}, cancellation});
    return cancellation;
}

bool QueueArrivals::waitBehindCopies(const QList<QueuedClipboardItem>& entries) {
    if (m_arrivals.isEmpty()) {
        return false;
    }
    if (!m_arrivals.last().copyingChange) {
        m_arrivals.last().entries += entries;
    } else {
        m_arrivals.append(Arrival{std::nullopt, 0, entries, nullptr});
    }
    return true;
}

QList<QueuedClipboardItem> QueueArrivals::settle(qint64 changeCount, const QList<QueuedClipboardItem>& entries) {
    for (Arrival& arrival : m_arrivals) {
        if (arrival.copyingChange == changeCount) {
            arrival.copyingChange.reset();
            arrival.entries = entries;
            break;
        }
    }
    QList<QueuedClipboardItem> arrived;
    while (!m_arrivals.isEmpty() && !m_arrivals.first().copyingChange) {
        arrived += m_arrivals.takeFirst().entries;
    }
    return arrived;
}

QueueArrivals::Cancelled QueueArrivals::cancelAll() {
    Cancelled cancelled;
    cancelled.count = count();
    for (const Arrival& arrival : std::as_const(m_arrivals)) {
        if (arrival.copyingChange) {
            arrival.cancellation->store(true);
            cancelled.latestChange =
                std::max(cancelled.latestChange.value_or(*arrival.copyingChange), *arrival.copyingChange);
        }
    }
    m_arrivals.clear();
    return cancelled;
}

} // namespace sorvu
