#pragma once

#include <QString>

namespace sorvu {

// Why the popup closes; nothing else closes it.
enum class PopoverCloseReason { statusItem, outsideClick, escape, queueDrained };

inline QString caseName(PopoverCloseReason reason) {
    switch (reason) {
    case PopoverCloseReason::statusItem:
        return QStringLiteral("statusItem");
    case PopoverCloseReason::outsideClick:
        return QStringLiteral("outsideClick");
    case PopoverCloseReason::escape:
        return QStringLiteral("escape");
    case PopoverCloseReason::queueDrained:
        return QStringLiteral("queueDrained");
    }
    return {};
}

} // namespace sorvu
