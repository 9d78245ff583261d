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
    qCDebug(lcQueue).noquote() << QStringLiteral("refreshLaunchAtLoginStatus status=%1 userIntended=%2 desynced=%3")
                                      .arg(caseName(status), boolText(userIntended), boolText(desynced));
}

void ClipboardQueue::toggleLaunchAtLogin() {
    const bool newIntention = !m_launchAtLoginEnabled;
    const std::optional<SystemError> failure =
        newIntention ? m_launchAtLogin->registerLoginItem() : m_launchAtLogin->unregisterLoginItem();
    if (failure) {
        qCDebug(lcQueue).noquote()
            << QStringLiteral("toggleLaunchAtLogin failed domain=%1 code=%2").arg(failure->domain).arg(failure->code);
    } else {
        m_settings->setValue(userEnabledLaunchAtLoginKey, newIntention);
    }
    refreshLaunchAtLoginStatus();
}

} // namespace sorvu
