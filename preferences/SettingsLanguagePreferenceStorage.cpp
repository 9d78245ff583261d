// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "preferences/SettingsLanguagePreferenceStorage.h"

namespace sorvu {

SettingsLanguagePreferenceStorage::SettingsLanguagePreferenceStorage(std::shared_ptr<QSettings> settings)
    : m_settings(std::move(settings)) {}

std::optional<QString> SettingsLanguagePreferenceStorage::load() const {
    const QVariant stored = m_settings->value(preferredLanguageCodeKey);
    if (!stored.isValid() || stored.typeId() != QMetaType::QString) {
        return std::nullopt;
    }
    return stored.toString();
}

void SettingsLanguagePreferenceStorage::save(const std::optional<QString>& languageCode) {
    if (languageCode) {
        m_settings->setValue(preferredLanguageCodeKey, *languageCode);
    } else {
        m_settings->remove(preferredLanguageCodeKey);
    }
}

} // namespace sorvu
