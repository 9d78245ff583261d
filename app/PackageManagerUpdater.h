// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/UpdateFeedConfiguration.h"

namespace sorvu {

// The updater of a Linux desktop: the distribution's package manager installs new versions, so Sorvu
// itself neither checks a feed nor downloads anything; it only says so in the log when updates are on.
class PackageManagerUpdater {
public:
    explicit PackageManagerUpdater(const UpdateFeedConfiguration& configuration);
    PackageManagerUpdater(const PackageManagerUpdater&) = delete;
    PackageManagerUpdater& operator=(const PackageManagerUpdater&) = delete;

    const UpdateFeedConfiguration& configuration() const { return m_configuration; }

private:
    UpdateFeedConfiguration m_configuration;
};

} // namespace sorvu
