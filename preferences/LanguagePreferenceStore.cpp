// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "preferences/LanguagePreferenceStore.h"

namespace sorvu {

LanguagePreferenceStore::LanguagePreferenceStore(std::shared_ptr<LanguagePreferenceStorage> store, QObject* parent)
    : QObject(parent), m_store(std::move(store)) {
    m_preferredLanguageCode = m_store->load();
}

void LanguagePreferenceStore::choose(const std::optional<QString>& languageCode) {
    const bool changed = m_preferredLanguageCode != languageCode;
    m_preferredLanguageCode = languageCode;
    m_store->save(languageCode);
    if (changed) {
        emit preferredLanguageCodeChanged();
    }
}

} // namespace sorvu
