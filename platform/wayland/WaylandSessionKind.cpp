// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/wayland/WaylandSessionKind.h"

#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandPlatform.h"

#include <QFile>

namespace sorvu {

bool WaylandSessionKind::isNamedBy(const SessionEnvironment& environment) const {
    return !environment.waylandDisplay.isEmpty();
}

std::optional<SessionProblem> WaylandSessionKind::problem(const SessionEnvironment& environment) const {
    if (environment.waylandDisplay.isEmpty()) {
        return SessionProblem{
            SessionProblem::Kind::noSession,
            QStringLiteral("Sorvu needs a Wayland session for this, and WAYLAND_DISPLAY is not set.")};
    }
    const WaylandConnection connection(QFile::encodeName(sessionKey(environment)));
    if (!connection.isConnected()) {
        return SessionProblem{
            SessionProblem::Kind::noSession,
            QStringLiteral("Sorvu cannot reach the Wayland compositor at \"%1\".").arg(environment.waylandDisplay)};
    }
    const WaylandConnection::Offered& offered = connection.offered();
    if (offered.dataControl == WaylandConnection::DataControlFlavour::none || !offered.seat) {
        return SessionProblem{SessionProblem::Kind::unsupported,
                              QStringLiteral("This Wayland desktop does not let programs watch the clipboard "
                                             "(it offers no data-control), so Sorvu cannot collect copies here.")};
    }
    return std::nullopt;
}

QString WaylandSessionKind::sessionKey(const SessionEnvironment& environment) const {
    if (environment.waylandDisplay.startsWith(QLatin1Char('/'))) {
        return environment.waylandDisplay;
    }
    return environment.runtimeDirectory + QLatin1Char('/') + environment.waylandDisplay;
}

void WaylandSessionKind::prepareQt() const {
    // The tray icon and the popup are Qt's own Wayland windows; the clipboard and the keys go over Sorvu's
    // own connection.
    qputenv("QT_QPA_PLATFORM", "wayland");
}

std::unique_ptr<Platform> WaylandSessionKind::createPlatform(const SessionEnvironment& environment) const {
    return std::make_unique<WaylandPlatform>(environment, sessionKey(environment));
}

} // namespace sorvu
