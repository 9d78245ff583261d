// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/LaunchAtLoginSetting.h"

#include "engine/LaunchAtLoginStatus.h"
#include "engine/Log.h"

namespace sorvu {

LaunchAtLoginSetting::LaunchAtLoginSetting(std::shared_ptr<LaunchAtLogin> launchAtLogin,
                                           std::shared_ptr<QSettings> settings, QObject* parent)
    : QObject(parent), m_launchAtLogin(std::move(launchAtLogin)), m_settings(std::move(settings)) {
    refreshStatus();
}

void LaunchAtLoginSetting::refreshStatus() {
    const LaunchAtLoginStatus status = launchAtLoginStatusFromSystemValue(m_launchAtLogin->systemStatusValue());
    const bool userIntended = m_settings->value(userEnabledLaunchAtLoginKey, false).toBool();
    m_enabled = status == LaunchAtLoginStatus::enabled;
    emit enabledChanged();
    m_desynced =
        userIntended && (status == LaunchAtLoginStatus::notRegistered || status == LaunchAtLoginStatus::notFound);
    emit desyncedChanged();
    qCDebug(lcQueue).noquote() << QStringLiteral("refreshLaunchAtLoginStatus status=%1 userIntended=%2 desynced=%3")
                                      .arg(caseName(status), boolText(userIntended), boolText(m_desynced));
}

void LaunchAtLoginSetting::toggle() {
    const bool newIntention = !m_enabled;
    const std::optional<SystemError> failure =
        newIntention ? m_launchAtLogin->registerLoginItem() : m_launchAtLogin->unregisterLoginItem();
    if (failure) {
        qCDebug(lcQueue).noquote()
            << QStringLiteral("toggleLaunchAtLogin failed domain=%1 code=%2").arg(failure->domain).arg(failure->code);
    } else {
        m_settings->setValue(userEnabledLaunchAtLoginKey, newIntention);
    }
    refreshStatus();
}

} // namespace sorvu
