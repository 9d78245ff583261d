#pragma once

#include "app/PackageManagerUpdater.h"

#include <QVariantMap>

#include <memory>
#include <optional>

namespace sorvu {

// Holds the updater for the whole run, created at construction only when the bundle information names an
// "https" feed and a well-formed public key; otherwise updates stay off without a word.
class AppUpdateController {
public:
    // Nothing stands for a bundle without information.
    explicit AppUpdateController(const std::optional<QVariantMap>& bundleInformation);
    AppUpdateController(const AppUpdateController&) = delete;
    AppUpdateController& operator=(const AppUpdateController&) = delete;

    const PackageManagerUpdater* updaterController() const { return m_updaterController.get(); }

private:
    std::unique_ptr<PackageManagerUpdater> m_updaterController;
};

} // namespace sorvu
