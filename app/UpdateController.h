#pragma once

#include "app/PackageManagerUpdater.h"

#include <QVariantMap>

#include <memory>
#include <optional>

namespace sorvu {

// Holds the updater for the whole run, created at construction only when the catalog information names an
// "https" feed and a well-formed public key; otherwise updates stay off without a word.
class UpdateController {
public:
    // Nothing stands for a catalog without information.
    explicit UpdateController(const std::optional<QVariantMap>& buildInfo);
    UpdateController(const UpdateController&) = delete;
    UpdateController& operator=(const UpdateController&) = delete;

    const PackageManagerUpdater* updaterController() const { return m_updaterController.get(); }

private:
    std::unique_ptr<PackageManagerUpdater> m_updaterController;
};

} // namespace sorvu
