#pragma once

#include "shortcuts/GlobalShortcuts.h"
#include "shortcuts/KeyMonitor.h"

#include <memory>

namespace sorvu {

class ShortcutManager;

// Shortcut activations found by watching every key press of the session and matching it against the
// manager's shortcuts, for sessions that let a program watch keys.
class KeyMonitorShortcuts : public GlobalShortcuts {
    Q_OBJECT

public:
    KeyMonitorShortcuts(std::shared_ptr<KeyMonitor> monitor, ShortcutManager& manager, QObject* parent = nullptr);

    void start() override;

private:
    std::shared_ptr<KeyMonitor> m_monitor;
    ShortcutManager& m_manager;
    bool m_started = false;
};

} // namespace sorvu
