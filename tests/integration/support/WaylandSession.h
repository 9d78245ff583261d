// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "tests/integration/support/ChildProcess.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>
#include <QStringList>

#include <memory>

namespace sorvu::test {

// A private Wayland session for one test program: a headless sway (no screen, no input devices, software
// rendering) with a session bus of its own. sway refuses to run as root, and so, for the same reasons,
// should the programs in it: as root, the compositor, the bus and every peer program run as the user
// "nobody", in a runtime directory (mode 0700) and a home of theirs. The test program itself may stay root
// and connect to the compositor's socket by its path. `stop` (also run by the destructor) ends every child
// the tests started, then the session, and removes its directories.
class WaylandSession {
public:
    struct Options {
        int startTimeoutMilliseconds = 30000;
    };

    WaylandSession() = default;
    ~WaylandSession();
    WaylandSession(const WaylandSession&) = delete;
    WaylandSession& operator=(const WaylandSession&) = delete;

    // False (with the reason on stderr) when the compositor or the bus did not come up in time.
    bool start(const Options& options);
    bool start() { return start(Options{}); }
    void stop();

    // The compositor's socket as an absolute path, which a connection takes as the display's name.
    QByteArray socketPath() const { return m_runtimeDirectory + '/' + m_socketName; }
    // A directory the session's user may write, for files the peers make.
    const QByteArray& homeDirectory() const { return m_homeDirectory; }

    // Runs a command in the session as its user, with its environment (WAYLAND_DISPLAY, the bus, a UTF-8
    // locale, no DISPLAY), until it exits or the time is up.
    ChildProcess::Result run(const QStringList& command, int timeoutMilliseconds = 5000,
                             const ChildProcess::Options& options = {}) const;
    // Starts a long-lived program in the session as its user.
    std::unique_ptr<ChildProcess> start(const QStringList& command, const ChildProcess::Options& options = {}) const;
    // sway's answer to an IPC message (swaymsg's arguments), as JSON; empty when it did not answer.
    QByteArray swaymsg(const QStringList& arguments) const;

    // The session the test program's main() started, or null.
    static WaylandSession* current();

private:
    QStringList asUser(const QStringList& command) const;
    ChildProcess::Options inSession(ChildProcess::Options options) const;
    bool prepareDirectories();
    bool startBus(const QDeadlineTimer& deadline);
    bool startCompositor(const QDeadlineTimer& deadline);

    bool m_asNobody = false;
    QByteArray m_baseDirectory;
    QByteArray m_runtimeDirectory;
    QByteArray m_homeDirectory;
    QByteArray m_socketName;
    QByteArray m_ipcSocket;
    std::unique_ptr<ChildProcess> m_bus;
    std::unique_ptr<ChildProcess> m_compositor;
};

} // namespace sorvu::test
