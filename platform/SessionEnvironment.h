// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace sorvu {

// What the environment says about the desktop session Sorvu was started in.
struct SessionEnvironment {
    // $DISPLAY: the X server, also XWayland's.
    QString display;
    // $WAYLAND_DISPLAY: the compositor's socket, a name in the runtime folder or a path.
    QString waylandDisplay;
    // $XDG_RUNTIME_DIR.
    QString runtimeDirectory;
    // $SORVU_PLATFORM: "x11" or "wayland" forces that platform.
    QString forcedPlatform;
    // $QT_QPA_PLATFORM: the user's choice of Qt's window-system plugin.
    QString qtPlatform;
    // $XDG_CURRENT_DESKTOP: the desktop's names, separated by colons ("KDE", "ubuntu:GNOME").
    QString currentDesktop;

    // Whether the desktop goes by this name (compared without regard to case).
    bool isDesktop(QStringView name) const;

    static SessionEnvironment ofThisProcess();
};

} // namespace sorvu
