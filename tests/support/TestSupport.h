// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "tests/support/LogCapture.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

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

// Asks the condition every 10 ms, without running any event loop, until it holds or the deadline passes;
// answers the condition. For what happens in other processes, before an application exists.
inline bool pollUntil(const QDeadlineTimer& deadline, const std::function<bool()>& condition) {
    while (!deadline.hasExpired()) {
        if (condition()) {
            return true;
        }
        QThread::msleep(10);
    }
    return condition();
}

// Runs the event loop for the given time, timers included.
inline void runEventLoopFor(int milliseconds) {
    waitUntil([] { return false; }, milliseconds);
}

} // namespace sorvu::test
