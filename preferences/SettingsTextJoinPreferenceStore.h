// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "preferences/TextJoinPreferenceStore.h"

#include <QSettings>

#include <memory>

namespace sorvu {

// Keeps the choice's raw value under "textJoinSeparatorChoice" and the custom text under
// "textJoinCustomSeparator", both strings.
class SettingsTextJoinPreferenceStore : public TextJoinPreferenceStore {
public:
    static inline const QString choiceKey = QStringLiteral("textJoinSeparatorChoice");
    static inline const QString customSeparatorKey = QStringLiteral("textJoinCustomSeparator");

    explicit SettingsTextJoinPreferenceStore(std::shared_ptr<QSettings> settings);

    TextJoinPreference load() const override;
    void save(const TextJoinPreference& preference) override;

private:
    std::shared_ptr<QSettings> m_settings;
};

} // namespace sorvu
