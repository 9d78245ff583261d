// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <chrono>
#include <cstdio>

namespace sorvu {

// One request to the Sorvu that runs in this session, sent over the session bus.
struct SessionBusCommand {
    // The interface's method name ("PasteNext"), or "Status" to read the state.
    QString method;
    // The method's one argument, when it takes one.
    QString argument;

    // How a command can end, as the process's exit code.
    enum Outcome { done = 0, notRunning = 3, failed = 4 };

    // The longest a command takes, from the start of sending to its answer; past it, the command fails.
    static constexpr std::chrono::milliseconds deadline{3000};
    // A paste goes with the time it was sent, and a Sorvu that takes it up later than this drops it: one
    // stopped or frozen until after the deadline would otherwise paste into whatever is in front by then,
    // although the command had failed. Shorter than the deadline, so that the answer still arrives in time.
    static constexpr std::chrono::milliseconds pasteLifetime{2000};

    // The clock pastes are dated with: every process of the machine reads the same one, and it runs on
    // while the machine sleeps, so a paste sent before a suspend is old after it. In microseconds.
    static quint64 bootTimeMicroseconds();
    // Whether a paste sent at `sentAt` comes too late at `now`; one from the future comes from another clock.
    static bool isTooLate(quint64 sentAt, quint64 now);

    // Sends the command to the Sorvu of the session with this key and waits for the answer until the
    // deadline. Status prints "collecting=…" and "queueCount=…" lines to `output`; a failure prints one line
    // to `errors`; either may be null to print nothing. Needs a Qt application.
    Outcome send(const QString& sessionKey, std::FILE* output = stdout, std::FILE* errors = stderr) const;
};

} // namespace sorvu
