// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/LaunchAtLogin.h"

#include <QString>

namespace sorvu {

// The login item as an XDG autostart entry, $XDG_CONFIG_HOME/autostart/org.sorvu.Sorvu.desktop (default
// ~/.config/autostart), which desktop sessions start at login. Desktop settings switch an entry off with
// Hidden=true or X-GNOME-Autostart-enabled=false; such an entry counts as not registered. Status values:
// 0 not registered, 1 enabled, 3 not found (the entry starts a program that no longer exists).
class XdgAutostart : public LaunchAtLogin {
public:
    // The program the entry starts; empty means the running executable.
    explicit XdgAutostart(QString executablePath = {});

    int systemStatusValue() const override;
    std::optional<SystemError> registerLoginItem() override;
    std::optional<SystemError> unregisterLoginItem() override;

    // Where the entry lives, read from the environment at each call.
    static QString entryPath();

    // Moves an entry that Sorvu wrote under its old name, sorvu.desktop, to entryPath(), switched on or off as
    // it was; failures are logged. For the program's start only: anything else making this service (a test)
    // must not take over the user's entry.
    void moveEntryOfOldName() const;

private:
    QString executablePath() const;

    QString m_executablePath;
};

} // namespace sorvu
