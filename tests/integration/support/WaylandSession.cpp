// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/integration/support/WaylandSession.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <wayland-client.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace sorvu::test {

namespace {

WaylandSession* currentSession = nullptr;

// Only what the session needs: no screen of its own, no X server, no input devices beyond those made later.
// swaybar is the session's tray: it hosts StatusNotifierItems.
const QByteArray compositorConfig = QByteArrayLiteral("xwayland disable\n"
                                                      "output HEADLESS-1 resolution 1280x800\n"
                                                      "focus_follows_mouse no\n"
                                                      "bar {\n"
                                                      "    tray_output *\n"
                                                      "}\n");

// The first entry of the directory whose name starts with the prefix and does not end with the suffix to skip.
QByteArray findEntry(const QByteArray& directory, const QString& pattern, const QString& skippedSuffix) {
    for (const QString& name : QDir(QString::fromLocal8Bit(directory)).entryList({pattern}, QDir::System)) {
        if (skippedSuffix.isEmpty() || !name.endsWith(skippedSuffix)) {
            return name.toLocal8Bit();
        }
    }
    return {};
}

} // namespace

WaylandSession::~WaylandSession() {
    stop();
}

WaylandSession* WaylandSession::current() {
    return currentSession;
}

bool WaylandSession::prepareDirectories() {
    m_asNobody = geteuid() == 0;
    QByteArray base = QByteArrayLiteral("/tmp/sorvu-wayland-XXXXXX");
    if (mkdtemp(base.data()) == nullptr) {
        std::fprintf(stderr, "WaylandSession: no temporary directory\n");
        return false;
    }
    m_baseDirectory = base;
    ::chmod(base.constData(), 0755);
    m_runtimeDirectory = base + "/runtime";
    m_homeDirectory = base + "/home";
    uid_t user = geteuid();
    gid_t group = getegid();
    if (m_asNobody) {
        const passwd* nobody = getpwnam("nobody");
        if (nobody == nullptr) {
            std::fprintf(stderr, "WaylandSession: there is no user nobody to run the session as\n");
            return false;
        }
        user = nobody->pw_uid;
        group = nobody->pw_gid;
    }
    for (const QByteArray& directory : {m_runtimeDirectory, m_homeDirectory}) {
        if (::mkdir(directory.constData(), 0700) != 0 || ::chown(directory.constData(), user, group) != 0) {
            std::fprintf(stderr, "WaylandSession: cannot prepare %s\n", directory.constData());
            return false;
        }
    }
    // The compositor reads its configuration as that user.
    QFile config(QString::fromLocal8Bit(base + "/sway.config"));
    if (!config.open(QIODevice::WriteOnly) || config.write(compositorConfig) != compositorConfig.size()) {
        return false;
    }
    config.close();
    ::chmod(QFile::encodeName(config.fileName()).constData(), 0644);
    return true;
}

QStringList WaylandSession::asUser(const QStringList& command) const {
    if (!m_asNobody) {
        return command;
    }
    return QStringList{QStringLiteral("setpriv"), QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                       QStringLiteral("--clear-groups")} +
           command;
}

ChildProcess::Options WaylandSession::inSession(ChildProcess::Options options) const {
    const auto set = [&options](const char* name, const QByteArray& value) {
        if (!options.environment.contains(name)) {
            options.environment.insert(name, value);
        }
    };
    set("XDG_RUNTIME_DIR", m_runtimeDirectory);
    set("WAYLAND_DISPLAY", m_socketName);
    set("HOME", m_homeDirectory);
    set("XDG_CONFIG_HOME", m_homeDirectory + "/.config");
    set("XDG_CACHE_HOME", m_homeDirectory + "/.cache");
    set("XDG_DATA_HOME", m_homeDirectory + "/.local/share");
    set("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + m_runtimeDirectory + "/bus");
    // foot refuses to start in a locale that is not UTF-8.
    set("LC_ALL", "C.UTF-8");
    set("XDG_SESSION_TYPE", "wayland");
    set("GDK_BACKEND", "wayland");
    set("QT_QPA_PLATFORM", "wayland");
    // No accessibility bus in this session: GTK would wait for one.
    set("NO_AT_BRIDGE", "1");
    set("DISPLAY", QByteArray());
    return options;
}

bool WaylandSession::startBus(const QDeadlineTimer& deadline) {
    const QByteArray address = "unix:path=" + m_runtimeDirectory + "/bus";
    m_bus = ChildProcess::start(
        asUser({QStringLiteral("dbus-daemon"), QStringLiteral("--session"), QStringLiteral("--nofork"),
                QStringLiteral("--nopidfile"), QStringLiteral("--address=") + QString::fromLocal8Bit(address)}),
        inSession({}));
    if (!m_bus ||
        !pollUntil(deadline,
                   [this] {
                       return !m_bus->isRunning() || QFile::exists(QString::fromLocal8Bit(m_runtimeDirectory + "/bus"));
                   }) ||
        !m_bus->isRunning()) {
        std::fprintf(stderr, "WaylandSession: the session bus did not come up: %s\n",
                     m_bus ? m_bus->standardError().constData() : "");
        return false;
    }
    return true;
}

bool WaylandSession::startCompositor(const QDeadlineTimer& deadline) {
    ChildProcess::Options options = inSession({});
    options.environment.insert("WLR_BACKENDS", "headless");
    options.environment.insert("WLR_RENDERER", "pixman");
    options.environment.insert("WLR_LIBINPUT_NO_DEVICES", "1");
    options.environment.insert("WAYLAND_DISPLAY", QByteArray());
    m_compositor = ChildProcess::start(asUser({QStringLiteral("sway"), QStringLiteral("-c"),
                                               QString::fromLocal8Bit(m_baseDirectory + "/sway.config")}),
                                       options);
    if (!m_compositor) {
        std::fprintf(stderr, "WaylandSession: could not start sway\n");
        return false;
    }
    const bool listening = pollUntil(deadline, [this] {
        if (!m_compositor->isRunning()) {
            return true;
        }
        m_socketName = findEntry(m_runtimeDirectory, QStringLiteral("wayland-*"), QStringLiteral(".lock"));
        m_ipcSocket = findEntry(m_runtimeDirectory, QStringLiteral("sway-ipc.*.sock"), {});
        if (m_socketName.isEmpty() || m_ipcSocket.isEmpty()) {
            return false;
        }
        wl_display* display = wl_display_connect(socketPath().constData());
        if (display == nullptr) {
            return false;
        }
        wl_display_disconnect(display);
        return true;
    });
    if (!listening || !m_compositor->isRunning()) {
        std::fprintf(stderr, "WaylandSession: sway did not come up: %s\n", m_compositor->standardError().constData());
        return false;
    }
    m_ipcSocket = m_runtimeDirectory + '/' + m_ipcSocket;
    return true;
}

bool WaylandSession::start(const Options& options) {
    const QDeadlineTimer deadline(options.startTimeoutMilliseconds);
    if (!prepareDirectories() || !startBus(deadline) || !startCompositor(deadline)) {
        stop();
        return false;
    }
    currentSession = this;
    return true;
}

ChildProcess::Result WaylandSession::run(const QStringList& command, int timeoutMilliseconds,
                                         const ChildProcess::Options& options) const {
    return ChildProcess::run(asUser(command), timeoutMilliseconds, inSession(options));
}

std::unique_ptr<ChildProcess> WaylandSession::start(const QStringList& command,
                                                    const ChildProcess::Options& options) const {
    return ChildProcess::start(asUser(command), inSession(options));
}

QByteArray WaylandSession::swaymsg(const QStringList& arguments) const {
    const ChildProcess::Result result =
        ChildProcess::run(QStringList{QStringLiteral("swaymsg"), QStringLiteral("-r"), QStringLiteral("-s"),
                                      QString::fromLocal8Bit(m_ipcSocket)} +
                              arguments,
                          5000);
    return result.succeeded() ? result.standardOutput : QByteArray();
}

void WaylandSession::stop() {
    if (currentSession == this) {
        currentSession = nullptr;
    }
    // Every child the tests started, then the session from the top down; all by pid.
    ChildProcess::stopAll();
    m_compositor.reset();
    m_bus.reset();
    if (!m_baseDirectory.isEmpty()) {
        QDir(QString::fromLocal8Bit(m_baseDirectory)).removeRecursively();
        m_baseDirectory.clear();
    }
}

} // namespace sorvu::test
