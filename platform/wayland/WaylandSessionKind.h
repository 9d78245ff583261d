// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/SessionKind.h"

namespace sorvu {

// A Wayland session whose compositor lets a program watch and write the clipboard (data-control): the
// wlroots desktops (sway, Hyprland, niri, river, labwc, Wayfire) and KDE Plasma. GNOME's mutter offers no
// data-control; there Sorvu runs on the X11 side (XWayland).
class WaylandSessionKind : public SessionKind {
public:
    QString name() const override { return QStringLiteral("wayland"); }
    bool isNamedBy(const SessionEnvironment& environment) const override;
    std::optional<SessionProblem> problem(const SessionEnvironment& environment) const override;
    // The compositor's socket, as a path: $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY unless that is a path already.
    QString sessionKey(const SessionEnvironment& environment) const override;
    void prepareQt() const override;
    std::unique_ptr<Platform> createPlatform(const SessionEnvironment& environment) const override;
};

} // namespace sorvu
