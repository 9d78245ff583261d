// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDeadlineTimer>

#include "tests/integration/support/ChildProcess.h"

#include <QByteArray>

#include <memory>

namespace sorvu::test {

// A private X session for one test program: Xvfb on a free display, the openbox window manager (EWMH)
// and, on request, the tint2 panel as a tray host. `start` exports DISPLAY for the program and its
// children; `stop` (also run by the destructor) ends every child the tests started, then the session.
class X11Session {
public:
    struct Options {
        bool trayHost = false;
        int startTimeoutMilliseconds = 30000;
    };

    X11Session() = default;
    ~X11Session();
    X11Session(const X11Session&) = delete;
    X11Session& operator=(const X11Session&) = delete;

    // False (with the reason on stderr) when the server or the window manager did not come up in time.
    bool start(const Options& options);
    bool start() { return start(Options{}); }
    void stop();

    // ":N"; empty before start.
    const QByteArray& display() const { return m_display; }

    // The session the test program's main() started, or null.
    static X11Session* current();

private:
    bool startServer(const QDeadlineTimer& deadline);
    bool startWindowManager(const QDeadlineTimer& deadline);
    bool waitForWindowManager(int timeoutMilliseconds);
    bool waitForTrayHost(int timeoutMilliseconds);

    QByteArray m_display;
    std::unique_ptr<ChildProcess> m_server;
    std::unique_ptr<ChildProcess> m_windowManager;
    std::unique_ptr<ChildProcess> m_trayHost;
};

} // namespace sorvu::test
