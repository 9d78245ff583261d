#include "app/AppUpdateController.h"

namespace sorvu {

AppUpdateController::AppUpdateController(const std::optional<QVariantMap>& bundleInformation) {
    const auto configuration =
        SparkleUpdateConfiguration::fromBundleInformation(bundleInformation.value_or(QVariantMap()));
    if (!configuration) {
        return;
    }
    m_updaterController = std::make_unique<PackageManagerUpdater>(*configuration);
}

} // namespace sorvu
