// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QDeadlineTimer>

namespace sorvu {

// Reads what another program writes into a pipe, until it closes its end, within a deadline and a size:
// the other program may never write, write slowly, or write without end. Nothing is known of the size up
// front, so a transfer over the limit is cut off there. Waits on the pipe alone, so the caller's deadline is
// the longest it takes.
class WaylandPipeReader {
public:
    enum class Outcome { data, timedOut, tooLarge, failed };

    struct Result {
        Outcome outcome = Outcome::failed;
        QByteArray data;
    };

    // The descriptor must be non-blocking; it is left open.
    static Result read(int descriptor, const QDeadlineTimer& deadline, qint64 maximumBytes);
};

} // namespace sorvu
