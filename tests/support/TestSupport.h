// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "tests/support/LogCapture.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <functional>

namespace sorvu::test {

// Runs the event loop until the condition holds or the time is up; answers the condition.
inline bool waitUntil(const std::function<bool()>& condition, int timeoutMilliseconds = 5000) {
    QDeadlineTimer deadline(timeoutMilliseconds);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// Runs the event loop for the given time, timers included.
inline void runEventLoopFor(int milliseconds) {
    waitUntil([] { return false; }, milliseconds);
}

} // namespace sorvu::test
