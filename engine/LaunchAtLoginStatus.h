#pragma once

#include <QString>

namespace sorvu {

// The program's view of its login item.
enum class LaunchAtLoginStatus { enabled, requiresApproval, notRegistered, notFound };

// The system's raw status codes: 0 not registered, 1 enabled, 2 requires approval, 3 not found;
// anything else reads as not registered.
LaunchAtLoginStatus launchAtLoginStatusFromSystemValue(int systemValue);
QString caseName(LaunchAtLoginStatus status);

} // namespace sorvu
