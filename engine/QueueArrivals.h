// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/QueuedClipboardItem.h"

#include <QList>

#include <optional>

namespace sorvu {

// What was collected but has not joined the queue yet, in copy order: a running copy of files holds its
// place, and whatever was collected after it waits behind it, so that entries join in the order they were
// copied however long a copy takes.
class QueueArrivals {
public:
    bool isCopying() const;
    bool isCopying(qint64 changeCount) const;
    // The entries waiting, and the places that running copies hold.
    qsizetype count() const;

    // The files of this change are being copied: they hold this many places.
    void holdPlaces(qint64 changeCount, qsizetype places);
    // Entries collected now. True when they wait behind a running copy; false when nothing is in the way and
    // they may join the queue at once.
    bool waitBehindCopies(const QList<QueuedClipboardItem>& entries);
    // The copy of this change ended with these entries. Gives what may join the queue now, in order.
    QList<QueuedClipboardItem> settle(qint64 changeCount, const QList<QueuedClipboardItem>& entries);

private:
    struct Arrival {
        std::optional<qint64> copyingChange;
        qsizetype places = 0;
        QList<QueuedClipboardItem> entries;
    };
    QList<Arrival> m_arrivals;
};

} // namespace sorvu
