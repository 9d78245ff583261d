#pragma once

#include "engine/EnumNames.h"

#include <QObject>

namespace sorvu {

class PopupCloseReasonMeta {
    Q_GADGET

public:
    // Why the popup closes; nothing else closes it. The log shows the case name.
    enum class PopupCloseReason { statusItem, outsideClick, escape, queueDrained };
    Q_ENUM(PopupCloseReason)
};
using PopupCloseReason = PopupCloseReasonMeta::PopupCloseReason;

} // namespace sorvu
