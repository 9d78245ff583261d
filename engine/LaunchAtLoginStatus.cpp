#include "engine/LaunchAtLoginStatus.h"

namespace sorvu {

LaunchAtLoginStatus launchAtLoginStatusFromSystemValue(int systemValue) {
    switch (systemValue) {
    case 1:
        return LaunchAtLoginStatus::enabled;
    case 2:
        return LaunchAtLoginStatus::requiresApproval;
    case 3:
        return LaunchAtLoginStatus::notFound;
    default:
        return LaunchAtLoginStatus::notRegistered;
    }
}

QString caseName(LaunchAtLoginStatus status) {
    switch (status) {
    case LaunchAtLoginStatus::enabled:
        return QStringLiteral("enabled");
    case LaunchAtLoginStatus::requiresApproval:
        return QStringLiteral("requiresApproval");
    case LaunchAtLoginStatus::notRegistered:
        return QStringLiteral("notRegistered");
    case LaunchAtLoginStatus::notFound:
        return QStringLiteral("notFound");
    }
    return {};
}

} // namespace sorvu
