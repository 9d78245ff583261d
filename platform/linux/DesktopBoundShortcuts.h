// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "shortcuts/GlobalShortcuts.h"

namespace sorvu {

// Shortcuts where the session lets no program take keys: the desktop binds its own keys to Sorvu's command
// line (`sorvu --paste-next`, `sorvu --toggle-collecting`), whose commands reach the shell over the session bus
// rather than through here. Nothing is ever taken from another program.
class DesktopBoundShortcuts : public GlobalShortcuts {
    Q_OBJECT

public:
    using GlobalShortcuts::GlobalShortcuts;

    void start() override;
    QList<ShortcutAction> takenActions() const override { return {}; }

private:
    bool m_started = false;
};

} // namespace sorvu
