// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/integration/support/DesktopSession.h"
#include "tests/support/TestSupport.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace sorvu::test {

namespace {

DesktopSession* currentSession = nullptr;
const QByteArray socketName = QByteArrayLiteral("wayland-sorvu");
const QString harnessConnection = QStringLiteral("sorvu-desktop-session");
// A session bus that starts no service by itself, or only those whose files are in the given folder.
QByteArray busConfiguration(const QByteArray& serviceDirectory) {
    QByteArray configuration =
        QByteArrayLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                          " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                          "<busconfig>\n"
                          "  <type>session</type>\n"
                          "  <listen>unix:tmpdir=/tmp</listen>\n"
                          "  <auth>EXTERNAL</auth>\n");
    if (!serviceDirectory.isEmpty()) {
        configuration += "  <servicedir>" + serviceDirectory + "</servicedir>\n";
    }
    configuration += QByteArrayLiteral("  <policy context=\"default\">\n"
                                       "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                                       "    <allow eavesdrop=\"true\"/>\n"
                                       "    <allow own=\"*\"/>\n"
                                       "  </policy>\n"
                                       "</busconfig>\n");
    return configuration;
}

} // namespace

DesktopSession::~DesktopSession() {
    stop();
}

DesktopSession* DesktopSession::current() {
    return currentSession;
}

void DesktopSession::runAsUnprivilegedUser(char** argv) {
    if (geteuid() != 0) {
        return;
    }
    std::vector<char*> command{const_cast<char*>("setpriv"), const_cast<char*>("--reuid=nobody"),
                               const_cast<char*>("--regid=nogroup"), const_cast<char*>("--clear-groups")};
    for (char** argument = argv; *argument != nullptr; ++argument) {
        command.push_back(*argument);
    }
    command.push_back(nullptr);
    // The user's own home and runtime directory, if any, are root's: the session makes its own.
    ::execvp("setpriv", command.data());
    std::perror("DesktopSession: setpriv");
    std::exit(1);
}

bool DesktopSession::prepare(Desktop desktop) {
    m_desktop = desktop;
    QByteArray base = QByteArrayLiteral("/tmp/sorvu-desktop-XXXXXX");
    if (::mkdtemp(base.data()) == nullptr) {
        std::fprintf(stderr, "DesktopSession: no temporary directory\n");
        return false;
    }
    m_baseDirectory = base;
    m_runtimeDirectory = base + "/runtime";
    m_homeDirectory = base + "/home";
    for (const QByteArray& directory : {m_runtimeDirectory, m_homeDirectory}) {
        if (::mkdir(directory.constData(), 0700) != 0) {
            std::fprintf(stderr, "DesktopSession: cannot make %s\n", directory.constData());
            return false;
        }
    }
    qputenv("XDG_RUNTIME_DIR", m_runtimeDirectory);
    qputenv("HOME", m_homeDirectory);
    qputenv("XDG_CONFIG_HOME", m_homeDirectory + "/.config");
    qputenv("XDG_CACHE_HOME", m_homeDirectory + "/.cache");
    qputenv("XDG_DATA_HOME", m_homeDirectory + "/.local/share");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + m_runtimeDirectory + "/bus");
    qputenv("XDG_SESSION_TYPE", "wayland");
    qputenv("WAYLAND_DISPLAY", socketName);
    qputenv("XDG_CURRENT_DESKTOP", desktop == Desktop::mutter ? "GNOME" : "KDE");
    qputenv("LC_ALL", "C.UTF-8");
    qputenv("GDK_BACKEND", "wayland");
    // No accessibility bus in this session: GTK would wait for one.
    qputenv("NO_AT_BRIDGE", "1");
    qunsetenv("DISPLAY");
    qunsetenv("XAUTHORITY");
    return true;
}

bool DesktopSession::hasBusName(const QString& name) const {
    QDBusConnection bus = QDBusConnection::connectToBus(
        QString::fromLocal8Bit("unix:path=" + m_runtimeDirectory + "/bus"), harnessConnection);
    if (!bus.isConnected()) {
        // Qt keeps a failed connection under its name: the next try must make a new one.
        QDBusConnection::disconnectFromBus(harnessConnection);
        return false;
    }
    return bus.interface()->isServiceRegistered(name).value();
}

bool DesktopSession::waitForBusName(const QString& name, const QDeadlineTimer& deadline) const {
    return pollUntil(deadline, [&] { return hasBusName(name); });
}

bool DesktopSession::startService(const QStringList& command, const QString& busName,
                                  const ChildProcess::Options& options, const QDeadlineTimer& deadline) {
    m_services.push_back(ChildProcess::start(command, options));
    ChildProcess* service = m_services.back().get();
    if (service == nullptr || !pollUntil(deadline, [&] { return !service->isRunning() || hasBusName(busName); }) ||
        !service->isRunning()) {
        std::fprintf(stderr, "DesktopSession: %s did not come up: %s\n", qPrintable(command.constFirst()),
                     service != nullptr ? service->standardError().right(3000).constData() : "");
        return false;
    }
    return true;
}

bool DesktopSession::startBus(const QDeadlineTimer& deadline) {
    const QByteArray address = "unix:path=" + m_runtimeDirectory + "/bus";
    QStringList command{QStringLiteral("dbus-daemon"), QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
                        QStringLiteral("--address=") + QString::fromLocal8Bit(address)};
    if (m_desktop == Desktop::kwin) {
        command.append(QStringLiteral("--session"));
    } else {
        // Without the desktop, only the services the tests start may answer: the installed portal must not be
        // started for a name the scripted one does not hold. GNOME 43's portal has none of the interfaces tried
        // there, and an installed one would hand them to KDE's backend: its session starts the settings store
        // alone.
        QByteArray serviceDirectory;
        if (m_desktop == Desktop::mutter) {
            serviceDirectory = m_baseDirectory + "/services";
            const QString dconf = QStringLiteral("/ca.desrt.dconf.service");
            if (!QDir().mkpath(QString::fromLocal8Bit(serviceDirectory)) ||
                !QFile::copy(QStringLiteral("/usr/share/dbus-1/services") + dconf,
                             QString::fromLocal8Bit(serviceDirectory) + dconf)) {
                std::fprintf(stderr, "DesktopSession: dconf's service is not installed\n");
                return false;
            }
        }
        const QByteArray configuration = busConfiguration(serviceDirectory);
        const QString config = QString::fromLocal8Bit(m_baseDirectory + "/bus.conf");
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly) || file.write(configuration) != configuration.size()) {
            return false;
        }
        // The address given on the command line replaces the one the file must name.
        command.append(QStringLiteral("--config-file=") + config);
    }
    m_services.push_back(ChildProcess::start(command));
    ChildProcess* bus = m_services.back().get();
    if (bus == nullptr ||
        !pollUntil(deadline, [&] { return !bus->isRunning() || hasBusName("org.freedesktop.DBus"); }) ||
        !bus->isRunning()) {
        std::fprintf(stderr, "DesktopSession: the session bus did not come up\n");
        return false;
    }
    return true;
}

bool DesktopSession::startKWin(const QDeadlineTimer& deadline) {
    // The installed binary carries a file capability that an unprivileged start is refused: a copy has none.
    const QString kwin = QString::fromLocal8Bit(m_baseDirectory + "/kwin_wayland");
    if (!QFile::copy(QStringLiteral("/usr/bin/kwin_wayland"), kwin)) {
        std::fprintf(stderr, "DesktopSession: kwin_wayland is not installed\n");
        return false;
    }
    QFile::setPermissions(kwin, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ChildProcess::Options compositor;
    compositor.environment.insert("WAYLAND_DISPLAY", QByteArray());
    compositor.environment.insert("QT_QPA_PLATFORM", QByteArray());
    if (!startService({kwin, QStringLiteral("--virtual"), QStringLiteral("--no-lockscreen"), QStringLiteral("--width"),
                       QStringLiteral("1280"), QStringLiteral("--height"), QStringLiteral("800"),
                       QStringLiteral("--socket"), QString::fromLocal8Bit(socketName)},
                      QStringLiteral("org.kde.kglobalaccel"), compositor, deadline) ||
        !pollUntil(deadline,
                   [&] { return QFile::exists(QString::fromLocal8Bit(m_runtimeDirectory + '/' + socketName)); })) {
        return false;
    }
    // The portal's KDE backend is a Qt program on the compositor; the portal picks its backends once, at start.
    ChildProcess::Options backend;
    backend.environment.insert("QT_QPA_PLATFORM", "wayland");
    return startService({QStringLiteral("/usr/lib/x86_64-linux-gnu/libexec/xdg-desktop-portal-kde")},
                        QStringLiteral("org.freedesktop.impl.portal.desktop.kde"), backend, deadline) &&
           startService({QStringLiteral("/usr/libexec/xdg-desktop-portal"), QStringLiteral("--replace")},
                        QStringLiteral("org.freedesktop.portal.Desktop"), {}, deadline);
}

bool DesktopSession::startMutter(const QDeadlineTimer& deadline) {
    ChildProcess::Options compositor;
    compositor.environment.insert("WAYLAND_DISPLAY", QByteArray());
    if (!startService({QStringLiteral("mutter"), QStringLiteral("--headless"), QStringLiteral("--wayland"),
                       QStringLiteral("--virtual-monitor"), QStringLiteral("1280x800"),
                       QStringLiteral("--wayland-display=") + QString::fromLocal8Bit(socketName)},
                      QStringLiteral("org.gnome.Mutter.RemoteDesktop"), compositor, deadline)) {
        return false;
    }
    // mutter names the X display it chose for XWayland in its log, and keeps the authority in the runtime directory.
    ChildProcess* mutter = m_services.back().get();
    const QRegularExpression displayLine(QStringLiteral("Using public X11 display (:\\d+)"));
    const bool found = pollUntil(deadline, [&] {
        const QRegularExpressionMatch match = displayLine.match(QString::fromLocal8Bit(mutter->standardError()));
        const QStringList authorities =
            QDir(QString::fromLocal8Bit(m_runtimeDirectory))
                .entryList({QStringLiteral(".mutter-Xwaylandauth*")}, QDir::Files | QDir::Hidden);
        if (!match.hasMatch() || authorities.isEmpty()) {
            return false;
        }
        m_xDisplay = match.captured(1).toLocal8Bit();
        m_xAuthority = m_runtimeDirectory + '/' + authorities.constFirst().toLocal8Bit();
        return true;
    });
    if (!found) {
        std::fprintf(stderr, "DesktopSession: mutter named no X display: %s\n", mutter->standardError().constData());
    }
    return found;
}

bool DesktopSession::start(int timeoutMilliseconds) {
    const QDeadlineTimer deadline(timeoutMilliseconds);
    bool started = startBus(deadline);
    if (started && m_desktop == Desktop::kwin) {
        started = startKWin(deadline);
    } else if (started && m_desktop == Desktop::mutter) {
        started = startMutter(deadline);
    }
    if (!started) {
        stop();
        return false;
    }
    currentSession = this;
    return true;
}

ChildProcess::Options DesktopSession::x11Client() const {
    ChildProcess::Options options;
    options.environment.insert("DISPLAY", m_xDisplay);
    options.environment.insert("XAUTHORITY", m_xAuthority);
    return options;
}

void DesktopSession::removeStaleXWaylandFiles() {
    // mutter's XWayland holds its display and the next one; killed with mutter, it leaves their lock files and
    // sockets behind, which other X servers of the machine would have to get past.
    bool valid = false;
    const int first = m_xDisplay.mid(1).toInt(&valid);
    for (int display = first; valid && display <= first + 1; ++display) {
        const QString lock = QStringLiteral("/tmp/.X%1-lock").arg(display);
        QFile file(lock);
        if (!file.open(QIODevice::ReadOnly)) {
            continue;
        }
        const pid_t owner = pid_t(file.readAll().trimmed().toInt());
        file.close();
        if (owner > 0 && ::kill(owner, 0) != 0 && errno == ESRCH) {
            QFile::remove(lock);
            QFile::remove(QStringLiteral("/tmp/.X11-unix/X%1").arg(display));
        }
    }
    m_xDisplay.clear();
}

void DesktopSession::stop() {
    if (currentSession == this) {
        currentSession = nullptr;
    }
    QDBusConnection::disconnectFromBus(harnessConnection);
    // Every child the tests started, then the session's services from the last one started to the bus.
    ChildProcess::stopAll();
    while (!m_services.empty()) {
        m_services.pop_back();
    }
    removeStaleXWaylandFiles();
    if (!m_baseDirectory.isEmpty()) {
        QDir(QString::fromLocal8Bit(m_baseDirectory)).removeRecursively();
        m_baseDirectory.clear();
    }
}

QString DesktopSession::invokeKdeShortcut(const QString& id) {
    QDBusMessage invoke = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.kglobalaccel"), QStringLiteral("/component/sorvu"),
        QStringLiteral("org.kde.kglobalaccel.Component"), QStringLiteral("invokeShortcut"));
    invoke << id;
    const QDBusMessage reply = QDBusConnection::sessionBus().call(invoke, QDBus::Block, 3000);
    return reply.type() == QDBusMessage::ErrorMessage ? reply.errorMessage() : QString();
}

} // namespace sorvu::test
