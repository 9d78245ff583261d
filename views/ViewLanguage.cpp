// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/ViewLanguage.h"

#include "preferences/LanguagePreferenceStore.h"
#include "preferences/Localization.h"

namespace sorvu {

ViewLanguage::ViewLanguage(LanguagePreferenceStore& store, QObject* parent) : QObject(parent), m_store(store) {
    connect(&m_store, &LanguagePreferenceStore::preferredLanguageCodeChanged, this, &ViewLanguage::changed);
}

QString ViewLanguage::text(const char* englishKey, const QVariantList& arguments) const {
    const auto& code = m_store.preferredLanguageCode();
    return localizedString(QString::fromUtf8(englishKey), catalogForLanguage(code), localeForLanguage(code), arguments);
}

TranslationCatalog ViewLanguage::catalog() const {
    return catalogForLanguage(m_store.preferredLanguageCode());
}

QLocale ViewLanguage::locale() const {
    return localeForLanguage(m_store.preferredLanguageCode());
}

} // namespace sorvu
