// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/ViewLanguage.h"

#include "preferences/LanguagePreferenceStore.h"
#include "preferences/Localization.h"

namespace sorvu {

ViewLanguage::ViewLanguage(LanguagePreferenceStore& store, QObject* parent) : QObject(parent), m_store(store) {
    follow();
    connect(&m_store, &LanguagePreferenceStore::preferredLanguageCodeChanged, this, [this] {
        follow();
        emit changed();
    });
}

void ViewLanguage::follow() {
    m_catalog = catalogForLanguage(m_store.preferredLanguageCode());
    m_locale = localeForLanguage(m_store.preferredLanguageCode());
}

QString ViewLanguage::text(const char* englishKey, const QVariantList& arguments) const {
    return localizedString(QString::fromUtf8(englishKey), m_catalog, m_locale, arguments);
}

TranslationCatalog ViewLanguage::catalog() const {
    return m_catalog;
}

QLocale ViewLanguage::locale() const {
    return m_locale;
}

} // namespace sorvu
