// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "preferences/SettingsTextJoinPreferenceStore.h"

namespace sorvu {

namespace {

std::optional<QString> storedString(const QSettings& settings, const QString& key) {
    const QVariant stored = settings.value(key);
    if (!stored.isValid() || stored.typeId() != QMetaType::QString) {
        return std::nullopt;
    }
    return stored.toString();
}

} // namespace

SettingsTextJoinPreferenceStore::SettingsTextJoinPreferenceStore(std::shared_ptr<QSettings> settings)
    : m_settings(std::move(settings)) {}

TextJoinPreference SettingsTextJoinPreferenceStore::load() const {
    TextJoinPreference preference;
    if (const auto storedChoice = storedString(*m_settings, choiceKey)) {
        preference.choice = fromCaseName<TextSeparatorChoice>(*storedChoice).value_or(TextSeparatorChoice::newline);
    }
    preference.customSeparator = storedString(*m_settings, customSeparatorKey).value_or(QString());
    return preference;
}

void SettingsTextJoinPreferenceStore::save(const TextJoinPreference& preference) {
    m_settings->setValue(choiceKey, caseName(preference.choice));
    m_settings->setValue(customSeparatorKey, preference.customSeparator);
}

} // namespace sorvu
