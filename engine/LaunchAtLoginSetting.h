// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/LaunchAtLogin.h"

#include <QObject>
#include <QSettings>
#include <QString>

#include <memory>

namespace sorvu {

// Whether Sorvu starts at login: the system's record of it, and whether that still matches what the user
// chose (the desktop's startup settings may have switched it off behind Sorvu's back).
class LaunchAtLoginSetting : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool enabled READ enabled NOTIFY enabledChanged)
    Q_PROPERTY(bool desynced READ desynced NOTIFY desyncedChanged)

public:
    // Holds the user's intention.
    static inline const QString userEnabledLaunchAtLoginKey = QStringLiteral("userEnabledLaunchAtLogin");

    LaunchAtLoginSetting(std::shared_ptr<LaunchAtLogin> launchAtLogin, std::shared_ptr<QSettings> settings,
                         QObject* parent = nullptr);

    bool enabled() const { return m_enabled; }
    // The user chose to start at login, and the system does not.
    bool desynced() const { return m_desynced; }

    void refreshStatus();
    void toggle();

signals:
    void enabledChanged();
    void desyncedChanged();

private:
    std::shared_ptr<LaunchAtLogin> m_launchAtLogin;
    std::shared_ptr<QSettings> m_settings;
    bool m_enabled = false;
    bool m_desynced = false;
};

} // namespace sorvu
