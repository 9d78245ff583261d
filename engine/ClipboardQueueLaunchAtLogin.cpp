// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/ClipboardQueue.h"

#include "engine/Log.h"

namespace sorvu {

void ClipboardQueue::refreshLaunchAtLoginStatus() {
    const LaunchAtLoginStatus status =
        launchAtLoginStatusFromSystemValue(m_dependencies.launchAtLogin->systemStatusValue());
    const bool userIntended = m_dependencies.settings->value(userEnabledLaunchAtLoginKey, false).toBool();
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
    const std::optional<SystemError> failure = newIntention ? m_dependencies.launchAtLogin->registerLoginItem()
                                                            : m_dependencies.launchAtLogin->unregisterLoginItem();
    if (failure) {
        qCDebug(lcQueue).noquote()
            << QStringLiteral("toggleLaunchAtLogin failed domain=%1 code=%2").arg(failure->domain).arg(failure->code);
    } else {
        m_dependencies.settings->setValue(userEnabledLaunchAtLoginKey, newIntention);
    }
    refreshLaunchAtLoginStatus();
}

} // namespace sorvu
