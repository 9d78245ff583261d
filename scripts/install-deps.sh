#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Sorvu developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package that building, running and testing Sorvu needs.
# Idempotent: only packages that are missing are installed. Works as root or through sudo.
set -euo pipefail

packages=(
    # toolchain
    g++ cmake ninja-build pkg-config
    # Qt
    qt6-base-dev qt6-base-dev-tools qt6-base-private-dev qt6-declarative-dev qt6-svg-dev qt6-tools-dev qt6-tools-dev-tools
    qt6-l10n-tools libqt6svg6 qml6-module-qtquick qml6-module-qtquick-controls qml6-module-qtquick-layouts
    qml6-module-qtquick-window qml6-module-qtquick-templates qml6-module-qtqml-workerscript qml6-module-qtqml
    qml6-module-qtqml-models
    # Wayland services: the client library, wayland-scanner for the vendored protocols, Qt's Wayland plugin
    libwayland-dev wayland-protocols qt6-wayland-dev qt6-wayland
    # X11 services
    libx11-dev libx11-xcb-dev libxtst-dev libxi-dev libxfixes-dev libxkbcommon-dev libxkbcommon-x11-dev
    libxcb1-dev libxcb-xkb-dev libxcb-xfixes0-dev
    # system log
    libsystemd-dev
    # tests
    googletest libgtest-dev libgmock-dev
    # the application icon's sizes, and the .deb with its checks
    librsvg2-bin dpkg-dev file lintian desktop-file-utils appstream man-db
    # real peers for the integration tests
    xvfb xauth openbox tint2 xclip xsel xdotool x11-xkb-utils x11-utils xterm xfce4-terminal thunar
    # real peers for the Wayland tests: a headless compositor, the clipboard tools, a terminal and a GTK 3 field
    sway wl-clipboard foot python3-gi gir1.2-gtk-3.0
    # a screen reader's view of the popup: the session and accessibility buses and a client of them
    dbus at-spi2-core python3-pyatspi
    # a dark theme for the popup's screenshots (Adwaita's dark variant through the GTK platform theme)
    qt6-gtk-platformtheme
    # calls and watches on the session bus, as scripts make them
    libglib2.0-bin
    # the desktops without a virtual keyboard for clients: KWin with the desktop portal and its KDE backend (a Qt 5
    # program on Wayland), mutter with XWayland, and the tests' own scripted portal
    kwin-wayland xdg-desktop-portal xdg-desktop-portal-kde qtwayland5 mutter xwayland python3-dbus
    # GNOME's custom shortcuts as Sorvu writes them: their schema and the settings store gsettings writes to
    gnome-settings-daemon-common dconf-gsettings-backend dconf-service
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "install-deps: all ${#packages[@]} packages are present"
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
else
    echo "install-deps: missing packages (${missing[*]}) and neither root nor sudo is available" >&2
    exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! "${as_root[@]}" apt-get update -qq; then
    echo "install-deps: apt-get update failed" >&2
    exit 1
fi
if ! "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; then
    for package in "${missing[@]}"; do
        if ! "${as_root[@]}" apt-get install -y -qq --no-install-recommends "$package" >/dev/null; then
            echo "install-deps: apt-get could not install package '$package'" >&2
        fi
    done
    exit 1
fi
echo "install-deps: done"
