// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "shortcuts/ShortcutAction.h"

#include <QList>
#include <QObject>

namespace sorvu {

// Where the shell learns that an action's global shortcut was pressed, whatever the session does to find
// out: grabbing the keys on X11, or the desktop telling it elsewhere.
class GlobalShortcuts : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // From now on, until the object goes, reports every activation. Starting twice changes nothing.
    virtual void start() = 0;

    // The actions whose shortcut another program holds, so that pressing it never reaches Sorvu; in action
    // order, for the settings to show beside the shortcut.
    virtual QList<ShortcutAction> takenActions() const = 0;

    // Tries again to take the shortcuts another program held, which it may have let go of since; nothing when
    // none is taken, or where the session has no such notion.
    virtual void retryTaken() {}

signals:
    void activated(sorvu::ShortcutAction action);
    void takenActionsChanged();
};

} // namespace sorvu
