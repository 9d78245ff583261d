// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/LaunchAtLogin.h"

namespace sorvu {

// The system's raw status codes: 0 not registered, 1 enabled, 3 not found; anything else reads as not
// registered.
LaunchAtLoginStatus launchAtLoginStatusFromSystemValue(int systemValue);

} // namespace sorvu
