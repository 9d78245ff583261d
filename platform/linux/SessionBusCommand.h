// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

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

    // Sends the command and waits for the answer (a few seconds at most). Status prints "collecting=…" and
    // "queueCount=…" lines to `output`; a failure prints one line to `errors`. Needs a Qt application.
    Outcome send(std::FILE* output = stdout, std::FILE* errors = stderr) const;
};

} // namespace sorvu
