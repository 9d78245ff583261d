// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/SessionEnvironment.h"
#include "shortcuts/GlobalShortcuts.h"

#include <QDBusConnection>
#include <QPointer>

#include <functional>
#include <memory>

namespace sorvu {

class GnomeCustomShortcuts;
class PortalGlobalShortcuts;

// The two shortcuts in a session where Sorvu cannot take keys itself: on Wayland, and on X11 through XWayland, whose
// grabs see no key pressed in a Wayland window. KDE Plasma and GNOME (48 and later) hold them for Sorvu through
// their GlobalShortcuts portal; elsewhere, and wherever the portal turns out absent or fails, the desktop binds its
// own keys to Sorvu's command line. The wlroots desktops are not asked: their portals hold no shortcuts, and an
// older xdg-desktop-portal would hand the question to whichever desktop's backend is installed.
class DesktopShortcuts {
public:
    DesktopShortcuts(const SessionEnvironment& environment, QDBusConnection bus);
    ~DesktopShortcuts();
    DesktopShortcuts(const DesktopShortcuts&) = delete;
    DesktopShortcuts& operator=(const DesktopShortcuts&) = delete;

    // The portal's shortcuts where the desktop may hold them, else the desktop's bindings; owned by the caller.
    std::unique_ptr<GlobalShortcuts> create();
    // Whether the desktop holds the shortcuts now: its portal is binding them or has bound them.
    bool heldByDesktop() const;

    // The desktop's own settings of its keyboard shortcuts, where Sorvu knows them (KDE Plasma's, GNOME's).
    bool canOpenSettings() const { return m_kde || m_gnome; }
    // Starts them without waiting; false where they did not start.
    bool openSettings() const;
    // GNOME's custom shortcuts, written for the user.
    bool canWriteBindings() const { return m_gnome; }
    void writeBindings(std::function<void(bool written)> done);

private:
    bool m_kde;
    bool m_gnome;
    QDBusConnection m_bus;
    QPointer<PortalGlobalShortcuts> m_portal;
    std::unique_ptr<GnomeCustomShortcuts> m_gnomeShortcuts;
};

} // namespace sorvu
