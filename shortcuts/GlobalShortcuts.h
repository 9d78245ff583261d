#pragma once

#include "shortcuts/ShortcutAction.h"

#include <QObject>

namespace sorvu {

// Where the shell learns that an action's global shortcut was pressed, whatever the session does to find
// out: matching the keys it watches on X11, or the desktop telling it elsewhere.
class GlobalShortcuts : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // From now on, until the object goes, reports every activation. Starting twice changes nothing.
    virtual void start() = 0;

signals:
    void activated(sorvu::ShortcutAction action);
};

} // namespace sorvu
