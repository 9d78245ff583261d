// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/integration/support/X11Session.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

namespace sorvu::test {

namespace {

X11Session* currentSession = nullptr;

// Polls until the predicate holds on a fresh connection to the display, or the time is up.
template <typename Predicate>
bool pollDisplay(const QByteArray& display, int timeoutMilliseconds, Predicate predicate) {
    QDeadlineTimer deadline(timeoutMilliseconds);
    while (!deadline.hasExpired()) {
        if (Display* connection = XOpenDisplay(display.constData())) {
            const bool holds = predicate(connection);
            XCloseDisplay(connection);
            if (holds) {
                return true;
            }
        }
        QThread::msleep(20);
    }
    return false;
}

std::optional<Window> windowProperty(Display* connection, Window window, const char* name) {
    const Atom property = XInternAtom(connection, name, False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    std::optional<Window> result;
    if (XGetWindowProperty(connection, window, property, 0, 1, False, XA_WINDOW, &type, &format, &count, &remaining,
                           &data) == Success &&
        type == XA_WINDOW && format == 32 && count == 1) {
        result = *reinterpret_cast<Window*>(data);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return result;
}

} // namespace

X11Session::~X11Session() {
    stop();
}

X11Session* X11Session::current() {
    return currentSession;
}

bool X11Session::start(const Options& options) {
    QDeadlineTimer deadline(options.startTimeoutMilliseconds);
    // openbox now and then quits at once right after a server started, and trying it again on the same
    // server fails the same way: each try gets a server of its own.
    constexpr int sessionAttempts = 3;
    bool started = false;
    for (int attempt = 0; attempt < sessionAttempts && !started && !deadline.hasExpired(); ++attempt) {
        started = startServer(deadline) && startWindowManager(deadline);
        if (!started) {
            stop();
            QThread::msleep(200);
        }
    }
    if (!started) {
        return false;
    }
    if (options.trayHost) {
        m_trayHost = ChildProcess::start({QStringLiteral("tint2")});
        if (!m_trayHost || !waitForTrayHost(int(deadline.remainingTime()))) {
            std::fprintf(stderr, "X11Session: tint2 did not come up on %s\n", m_display.constData());
            stop();
            return false;
        }
    }
    currentSession = this;
    return true;
}

bool X11Session::startServer(const QDeadlineTimer& deadline) {
    // -displayfd lets the server pick a free display number itself and tell it once it accepts clients.
    // -noreset: the server otherwise resets when its last client leaves (the probe below), and a reset racing
    // the next connection can leave it answering nobody.
    m_server = ChildProcess::start({QStringLiteral("Xvfb"), QStringLiteral("-displayfd"), QStringLiteral("1"),
                                    QStringLiteral("-noreset"), QStringLiteral("-screen"), QStringLiteral("0"),
                                    QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!m_server) {
        std::fprintf(stderr, "X11Session: could not start Xvfb\n");
        return false;
    }
    while (!m_server->standardOutput().contains('\n')) {
        if (deadline.hasExpired() || !m_server->isRunning()) {
            std::fprintf(stderr, "X11Session: Xvfb did not come up: %s\n", m_server->standardError().constData());
            return false;
        }
        QThread::msleep(10);
    }
    m_display = ':' + m_server->standardOutput().trimmed();
    if (!pollDisplay(m_display, int(deadline.remainingTime()), [](Display*) { return true; })) {
        std::fprintf(stderr, "X11Session: display %s does not answer\n", m_display.constData());
        return false;
    }
    qputenv("DISPLAY", m_display);
    qunsetenv("WAYLAND_DISPLAY");
    return true;
}

bool X11Session::startWindowManager(const QDeadlineTimer& deadline) {
    m_windowManager = ChildProcess::start({QStringLiteral("openbox"), QStringLiteral("--sm-disable")});
    if (m_windowManager && waitForWindowManager(int(deadline.remainingTime()))) {
        return true;
    }
    if (m_windowManager) {
        const std::optional<int> exitCode = m_windowManager->waitForExit(0);
        // openbox writes its complaints to its log file rather than to standard error.
        QFile log(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                  QStringLiteral("/openbox/openbox.log"));
        const QByteArray reason = log.open(QIODevice::ReadOnly) ? log.readAll().trimmed() : QByteArray();
        std::fprintf(stderr, "X11Session: openbox did not come up on %s (exit status %d): %s\n", m_display.constData(),
                     exitCode.value_or(-1), reason.constData());
    }
    m_windowManager.reset();
    return false;
}

bool X11Session::waitForWindowManager(int timeoutMilliseconds) {
    // An EWMH manager names its check window on the root, and the window names itself again.
    return pollDisplay(m_display, timeoutMilliseconds,
                       [this](Display* connection) {
                           if (!m_windowManager->isRunning()) {
                               return true;
                           }
                           const std::optional<Window> check =
                               windowProperty(connection, DefaultRootWindow(connection), "_NET_SUPPORTING_WM_CHECK");
                           return check && windowProperty(connection, *check, "_NET_SUPPORTING_WM_CHECK") == check;
                       }) &&
           m_windowManager->isRunning();
}

bool X11Session::waitForTrayHost(int timeoutMilliseconds) {
    return pollDisplay(m_display, timeoutMilliseconds, [](Display* connection) {
        const QByteArray selection = "_NET_SYSTEM_TRAY_S" + QByteArray::number(DefaultScreen(connection));
        return XGetSelectionOwner(connection, XInternAtom(connection, selection.constData(), False)) != 0;
    });
}

void X11Session::stop() {
    if (currentSession == this) {
        currentSession = nullptr;
    }
    // Every child the tests started, then the session from the top down; all by pid.
    ChildProcess::stopAll();
    m_trayHost.reset();
    m_windowManager.reset();
    m_server.reset();
}

} // namespace sorvu::test
