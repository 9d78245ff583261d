// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/LaunchAtLoginStatus.h"

namespace sorvu {

LaunchAtLoginStatus launchAtLoginStatusFromSystemValue(int systemValue) {
    switch (systemValue) {
    case 1:
        return LaunchAtLoginStatus::enabled;
    case 3:
        return LaunchAtLoginStatus::notFound;
    default:
        return LaunchAtLoginStatus::notRegistered;
    }
}

} // namespace sorvu
