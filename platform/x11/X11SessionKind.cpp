// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11SessionKind.h"

#include "platform/linux/SingleInstanceLock.h"
#include "platform/x11/X11DisplayCheck.h"
#include "platform/x11/X11Platform.h"

namespace sorvu {

bool X11SessionKind::isNamedBy(const SessionEnvironment& environment) const {
    return !environment.display.isEmpty();
}

std::optional<SessionProblem> X11SessionKind::problem(const SessionEnvironment& environment) const {
    if (const std::optional<QString> problem = x11SessionProblem(environment.display)) {
        return SessionProblem{SessionProblem::Kind::noSession, *problem};
    }
    return std::nullopt;
}

QString X11SessionKind::sessionKey(const SessionEnvironment& environment) const {
    return SingleInstanceLock::normalizedDisplay(environment.display);
}

void X11SessionKind::prepareQt() const {
    // Qt talks to the same X server as the platform, also where it would prefer the Wayland compositor.
    qputenv("QT_QPA_PLATFORM", "xcb");
}

std::unique_ptr<Platform> X11SessionKind::createPlatform(const SessionEnvironment& environment) const {
    return std::make_unique<X11Platform>(environment, sessionKey(environment));
}

} // namespace sorvu
