#include "engine/ClipboardQueue.h"

#include "engine/Log.h"

namespace sorvu {

void ClipboardQueue::refreshLaunchAtLoginStatus() {
    const LaunchAtLoginStatus status = launchAtLoginStatusFromSystemValue(m_launchAtLogin->systemStatusValue());
    const bool userIntended = m_settings->value(userEnabledLaunchAtLoginKey, false).toBool();
    setLaunchAtLoginEnabled(status == LaunchAtLoginStatus::enabled);
    // Waiting for approval is not a desync: the item exists.
    const bool desynced =
        userIntended && (status == LaunchAtLoginStatus::notRegistered || status == LaunchAtLoginStatus::notFound);
    setLaunchAtLoginDesynced(desynced);
    log::debug(LogCategory::ClipboardQueue,
               QStringLiteral("refreshLaunchAtLoginStatus status=%1 userIntended=%2 desynced=%3")
                   .arg(caseName(status), log::boolText(userIntended), log::boolText(desynced)));
}

void ClipboardQueue::toggleLaunchAtLogin() {
    const bool newIntention = !m_launchAtLoginEnabled;
    const std::optional<SystemError> failure =
        newIntention ? m_launchAtLogin->registerLoginItem() : m_launchAtLogin->unregisterLoginItem();
    if (failure) {
        log::debug(
            LogCategory::ClipboardQueue,
            QStringLiteral("toggleLaunchAtLogin failed domain=%1 code=%2").arg(failure->domain).arg(failure->code));
    } else {
        m_settings->setValue(userEnabledLaunchAtLoginKey, newIntention);
    }
    refreshLaunchAtLoginStatus();
}

} // namespace sorvu
