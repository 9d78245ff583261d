// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/PackageManagerUpdater.h"

#include <memory>

namespace sorvu {

// Holds the updater for the whole run, created at construction only when the build names an "https" feed
// and a well-formed public key; otherwise updates stay off without a word.
class UpdateController {
public:
    explicit UpdateController(const BuildInfo& buildInfo);
    UpdateController(const UpdateController&) = delete;
    UpdateController& operator=(const UpdateController&) = delete;

    const PackageManagerUpdater* updaterController() const { return m_updaterController.get(); }

private:
    std::unique_ptr<PackageManagerUpdater> m_updaterController;
};

} // namespace sorvu
