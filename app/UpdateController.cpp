// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/UpdateController.h"

namespace sorvu {

UpdateController::UpdateController(const BuildInfo& buildInfo) {
    const auto configuration = UpdateFeedConfiguration::fromBuildInfo(buildInfo);
    if (!configuration) {
        return;
    }
    m_updaterController = std::make_unique<PackageManagerUpdater>(*configuration);
}

} // namespace sorvu
