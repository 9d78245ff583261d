#pragma once

#include <QString>

namespace sorvu {

// Why the popup closes; nothing else closes it.
enum class PopupCloseReason { statusItem, outsideClick, escape, queueDrained };

inline QString caseName(PopupCloseReason reason) {
    switch (reason) {
    case PopupCloseReason::statusItem:
        return QStringLiteral("statusItem");
    case PopupCloseReason::outsideClick:
        return QStringLiteral("outsideClick");
    case PopupCloseReason::escape:
        return QStringLiteral("escape");
    case PopupCloseReason::queueDrained:
        return QStringLiteral("queueDrained");
    }
    return {};
}

} // namespace sorvu
