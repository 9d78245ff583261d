// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "preferences/SupportedLanguage.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <memory>
#include <optional>

class QTranslator;

namespace sorvu {

// The translations of one language, looked up by their English text. A catalog without translations
// answers every key with the key itself.
class TranslationCatalog {
public:
    TranslationCatalog() = default;
    TranslationCatalog(std::shared_ptr<QTranslator> translator, QString languageCode);

    // The translation of the English text, or the text itself when there is none.
    QString translate(const QString& englishKey) const;
    // The same, taking the plural form the count needs in this language where the translation has several.
    QString translate(const QString& englishKey, qint64 count) const;
    bool hasTranslations() const { return m_translator != nullptr; }
    // The code whose translations this holds; nothing for the English keys.
    std::optional<QString> languageCode() const;
    // The translations as Qt loads them; empty for the English keys.
    const std::shared_ptr<QTranslator>& translator() const { return m_translator; }

private:
    std::shared_ptr<QTranslator> m_translator;
    QString m_languageCode;
};

// The translations embedded for the code, else the English keys. Without a code, the translations of the
// first of the system's interface languages that Sorvu offers.
TranslationCatalog catalogForLanguage(const std::optional<QString>& languageCode);
// The first of the given interface languages (most preferred first, e.g. "de-DE") that Sorvu offers.
std::optional<SupportedLanguage> supportedLanguageForUiLanguages(const QStringList& uiLanguages);
// The locale named by the code, else the system's.
QLocale localeForLanguage(const std::optional<QString>& languageCode);

// Every text built in code goes through here: the English key is looked up in the catalog, then each
// "%lld" is filled with the next argument as an integer formatted for the locale and each "%@" with the
// next argument as a string, in order. Keys are marked at the call with QT_TRANSLATE_NOOP("Sorvu", …), or
// QT_TRANSLATE_N_NOOP for texts with plural forms, so that lupdate finds them.
QString localizedString(const QString& englishKey, const TranslationCatalog& catalog, const QLocale& locale,
                        const QVariantList& arguments = {});

// Makes the catalog's translations the application's own (QCoreApplication::translate, qsTr in the views)
// in place of those installed before. Qt then sends a LanguageChange event, on which whatever shows text
// retranslates itself.
void installApplicationTranslations(const TranslationCatalog& catalog);

} // namespace sorvu
