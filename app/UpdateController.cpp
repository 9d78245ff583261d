#include "app/UpdateController.h"

namespace sorvu {

UpdateController::UpdateController(const std::optional<QVariantMap>& buildInfo) {
    const auto configuration = UpdateFeedConfiguration::fromBuildInfo(buildInfo.value_or(QVariantMap()));
    if (!configuration) {
        return;
    }
    m_updaterController = std::make_unique<PackageManagerUpdater>(*configuration);
}

} // namespace sorvu
