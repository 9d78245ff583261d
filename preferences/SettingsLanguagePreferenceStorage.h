// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "preferences/LanguagePreferenceStorage.h"

#include <QSettings>

#include <memory>

namespace sorvu {

// Keeps the code as a string under "preferredLanguageCode".
class SettingsLanguagePreferenceStorage : public LanguagePreferenceStorage {
public:
    static inline const QString preferredLanguageCodeKey = QStringLiteral("preferredLanguageCode");

    explicit SettingsLanguagePreferenceStorage(std::shared_ptr<QSettings> settings);

    std::optional<QString> load() const override;
    void save(const std::optional<QString>& languageCode) override;

private:
    std::shared_ptr<QSettings> m_settings;
};

} // namespace sorvu
