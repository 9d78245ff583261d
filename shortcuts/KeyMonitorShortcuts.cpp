#include "shortcuts/KeyMonitorShortcuts.h"

#include "shortcuts/ShortcutManager.h"

#include <QPointer>

namespace sorvu {

KeyMonitorShortcuts::KeyMonitorShortcuts(std::shared_ptr<KeyMonitor> monitor, ShortcutManager& manager, QObject* parent)
    : GlobalShortcuts(parent), m_monitor(std::move(monitor)), m_manager(manager) {}

void KeyMonitorShortcuts::start() {
    // A second handler would fire every shortcut twice.
    if (m_started || !m_monitor) {
        return;
    }
    m_started = true;
    m_monitor->installKeyDownMonitor([self = QPointer<KeyMonitorShortcuts>(this)](const KeyDownEvent& event) {
        if (!self) {
            return;
        }
        if (const std::optional<ShortcutAction> action = self->m_manager.matchedAction(event)) {
            emit self->activated(*action);
        }
    });
}

} // namespace sorvu
