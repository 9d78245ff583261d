// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/QueuedClipboardItem.h"

#include <QList>

#include <atomic>
#include <memory>
#include <optional>

namespace sorvu {

// What was collected but has not joined the queue yet, in copy order: a copy whose files are being stored or
// whose images are being checked holds its place, and whatever was collected after it waits behind it, so that
// entries join in the order they were copied however long that work takes.
class QueueArrivals {
public:
    // Set, from the main thread, to call off the work of one copy: the worker stops soon after, and what it made
    // never joins the queue.
    using Cancellation = std::shared_ptr<std::atomic_bool>;

    struct Cancelled {
        // The latest copy whose work was called off.
        std::optional<qint64> latestChange;
        // The places and the waiting entries dropped.
        qsizetype count = 0;
    };

    bool isCopying() const;
    bool isCopying(qint64 changeCount) const;
    // The entries waiting, and the places that running work holds.
    qsizetype count() const;

    // The content of this change is on its way (files being stored, images being checked): it holds this many
    // places. The flag calls that work off.
    Cancellation holdPlaces(qint64 changeCount, qsizetype places);
    // Entries collected now. True when they wait behind running work; false when nothing is in the way and
    // they may join the queue at once.
    bool waitBehindCopies(const QList<QueuedClipboardItem>& entries);
    // The work of this change ended with these entries. Gives what may join the queue now, in order.
    QList<QueuedClipboardItem> settle(qint64 changeCount, const QList<QueuedClipboardItem>& entries);
    // Calls off all running work and drops every place and waiting entry.
    Cancelled cancelAll();

private:
    struct Arrival {
        std::optional<qint64> copyingChange;
        qsizetype places = 0;
        QList<QueuedClipboardItem> entries;
        Cancellation cancellation;
    };
    QList<Arrival> m_arrivals;
};

} // namespace sorvu
