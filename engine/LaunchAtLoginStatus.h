#pragma once

#include "engine/EnumNames.h"

#include <QObject>

namespace sorvu {

class LaunchAtLoginStatusMeta {
    Q_GADGET

public:
    // The program's view of its login item.
    enum class LaunchAtLoginStatus { enabled, requiresApproval, notRegistered, notFound };
    Q_ENUM(LaunchAtLoginStatus)
};
using LaunchAtLoginStatus = LaunchAtLoginStatusMeta::LaunchAtLoginStatus;

// The system's raw status codes: 0 not registered, 1 enabled, 2 requires approval, 3 not found;
// anything else reads as not registered.
LaunchAtLoginStatus launchAtLoginStatusFromSystemValue(int systemValue);

} // namespace sorvu
