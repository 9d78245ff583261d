// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/PackageManagerUpdater.h"

#include "engine/Log.h"

namespace sorvu {

PackageManagerUpdater::PackageManagerUpdater(const UpdateFeedConfiguration& configuration)
    : m_configuration(configuration) {
    qCInfo(lcUi).noquote() << QStringLiteral("updater started: updates come from the package manager feed=%1")
                                  .arg(m_configuration.feedURL.toString());
}

} // namespace sorvu
