// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/SessionKind.h"

namespace sorvu {

// An X11 session, or the X server of a Wayland session (XWayland): Sorvu needs an X display it can open.
class X11SessionKind : public SessionKind {
public:
    QString name() const override { return QStringLiteral("x11"); }
    bool isNamedBy(const SessionEnvironment& environment) const override;
    std::optional<SessionProblem> problem(const SessionEnvironment& environment) const override;
    // The display, normalised: ":75", "unix:75" and ":75.0" are one session.
    QString sessionKey(const SessionEnvironment& environment) const override;
    void prepareQt() const override;
    std::unique_ptr<Platform> createPlatform(const SessionEnvironment& environment) const override;
};

} // namespace sorvu
