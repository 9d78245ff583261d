#include "engine/PasteStack.h"

#include "engine/Log.h"

namespace sorvu {

void PasteStack::refreshLaunchAtLoginStatus() {
    const LaunchAtLoginStatus status = launchAtLoginStatusFromSystemValue(m_launchAtLoginService->systemStatusValue());
    const bool userIntended = m_settings->value(userEnabledLaunchAtLoginKey, false).toBool();
    setLaunchAtLoginEnabled(status == LaunchAtLoginStatus::enabled);
    // Waiting for approval is not a desync: the item exists.
    const bool desynced =
        userIntended && (status == LaunchAtLoginStatus::notRegistered || status == LaunchAtLoginStatus::notFound);
    setLaunchAtLoginDesynced(desynced);
    log::debug(LogCategory::PasteStack,
               QStringLiteral("refreshLaunchAtLoginStatus status=%1 userIntended=%2 desynced=%3")
                   .arg(caseName(status), log::boolText(userIntended), log::boolText(desynced)));
}

void PasteStack::toggleLaunchAtLogin() {
    const bool newIntention = !m_launchAtLoginEnabled;
    const std::optional<SystemError> failure =
        newIntention ? m_launchAtLoginService->registerLoginItem() : m_launchAtLoginService->unregisterLoginItem();
    if (failure) {
        log::debug(
            LogCategory::PasteStack,
            QStringLiteral("toggleLaunchAtLogin failed domain=%1 code=%2").arg(failure->domain).arg(failure->code));
    } else {
        m_settings->setValue(userEnabledLaunchAtLoginKey, newIntention);
    }
    refreshLaunchAtLoginStatus();
}

} // namespace sorvu
