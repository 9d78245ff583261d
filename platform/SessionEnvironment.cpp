// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/SessionEnvironment.h"

#include <QtGlobal>

namespace sorvu {

SessionEnvironment SessionEnvironment::ofThisProcess() {
    return {qEnvironmentVariable("DISPLAY"), qEnvironmentVariable("WAYLAND_DISPLAY"),
            qEnvironmentVariable("XDG_RUNTIME_DIR"), qEnvironmentVariable("SORVU_PLATFORM"),
            qEnvironmentVariable("QT_QPA_PLATFORM")};
}

} // namespace sorvu
