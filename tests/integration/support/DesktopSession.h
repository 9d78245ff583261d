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

// A private desktop session for one test program, with the desktop's own services on a session bus of its own:
// a headless KWin with the desktop portal and its KDE backend, a headless mutter with XWayland, or the bus alone
// for a portal the tests script themselves. Like the compositors, which refuse root, the whole test program runs
// as an unprivileged user: `runAsUnprivilegedUser` starts it again as "nobody" when it was started as root.
// `prepare` makes the session's directories and points this process's environment at them (the bus, the
// runtime directory, a home), so that everything started later, Qt's own bus connection included, is in the
// session; `start` then brings the desktop up. `stop` (also run by the destructor) ends every child, by pid,
// and removes the directories.
class DesktopSession {
public:
    enum class Desktop { busOnly, kwin, mutter };

    DesktopSession() = default;
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    // As root, replaces this process by the same program run as "nobody" and does not return; otherwise returns.
    static void runAsUnprivilegedUser(char** argv);

    bool prepare(Desktop desktop);
    // False (with the reason on stderr) when a service of the session did not come up in time.
    bool start(int timeoutMilliseconds = 40000);
    void stop();

    Desktop desktop() const { return m_desktop; }
    const QByteArray& homeDirectory() const { return m_homeDirectory; }
    // mutter's XWayland display (":N") and its authority file; empty for the other desktops.
    const QByteArray& xDisplay() const { return m_xDisplay; }
    const QByteArray& xAuthority() const { return m_xAuthority; }
    // What a program needs to be an X11 client of the session's XWayland.
    ChildProcess::Options x11Client() const;

    // Whether a name has an owner on the session's bus, asked without starting anything for it.
    bool hasBusName(const QString& name) const;
    bool waitForBusName(const QString& name, const QDeadlineTimer& deadline) const;
    // Has KWin's shortcut service fire one of Sorvu's shortcuts as a press of its keys would; the error, if any.
    static QString invokeKdeShortcut(const QString& id);

    // The session the test program's main() started, or null.
    static DesktopSession* current();

private:
    bool startBus(const QDeadlineTimer& deadline);
    bool startKWin(const QDeadlineTimer& deadline);
    bool startMutter(const QDeadlineTimer& deadline);
    void removeStaleXWaylandFiles();
    bool startService(const QStringList& command, const QString& busName, const ChildProcess::Options& options,
                      const QDeadlineTimer& deadline);

    Desktop m_desktop = Desktop::busOnly;
    QByteArray m_baseDirectory;
    QByteArray m_runtimeDirectory;
    QByteArray m_homeDirectory;
    QByteArray m_xDisplay;
    QByteArray m_xAuthority;
    std::vector<std::unique_ptr<ChildProcess>> m_services;
};

} // namespace sorvu::test
