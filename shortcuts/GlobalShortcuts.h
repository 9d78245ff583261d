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
    // What keeps shortcuts that the desktop holds for Sorvu from firing.
    enum class DesktopProblem {
        none,
        // The desktop offers programs no global shortcuts.
        absent,
        // The user or the desktop said no.
        refused,
        // The desktop withdrew them.
        closed,
        // The desktop's service failed.
        failed,
    };
    Q_ENUM(DesktopProblem)

    using QObject::QObject;

    // From now on, until the object goes, reports every activation. Starting twice changes nothing.
    virtual void start() = 0;

    // The actions whose shortcut another program holds, so that pressing it never reaches Sorvu; in action
    // order, for the settings to show beside the shortcut.
    virtual QList<ShortcutAction> takenActions() const = 0;

    // Tries again to take the shortcuts another program held, which it may have let go of since; nothing when
    // none is taken, or where the session has no such notion.
    virtual void retryTaken() {}

    // Where the desktop holds the shortcuts: the keys that fire the action, in the desktop's own words ("Meta+Ctrl+V");
    // empty where the desktop gave it none or does not say.
    virtual QString triggerDescription(ShortcutAction) const { return {}; }
    virtual DesktopProblem desktopProblem() const { return DesktopProblem::none; }

signals:
    void activated(sorvu::ShortcutAction action);
    void takenActionsChanged();
    void triggersChanged();
    void desktopProblemChanged();
};

} // namespace sorvu
