#pragma once

#include <QLocale>
#include <QString>
#include <QVariantList>

#include <memory>
#include <optional>

class QTranslator;

namespace sorvu {

// The translations of one language, looked up by their English text. A bundle without translations
// answers every key with the key itself.
class LanguageBundle {
public:
    LanguageBundle() = default;
    LanguageBundle(std::shared_ptr<const QTranslator> translator, QString languageCode);

    // The translation of the English text, or the text itself when there is none.
    QString translate(const QString& englishKey) const;
    bool hasTranslations() const { return m_translator != nullptr; }
    // The code whose translations this holds; nothing for the English keys.
    std::optional<QString> languageCode() const;

private:
    std::shared_ptr<const QTranslator> m_translator;
    QString m_languageCode;
};

// The translations embedded for the code, else the English keys.
LanguageBundle bundleForLanguage(const std::optional<QString>& languageCode);
// The locale named by the code, else the system's.
QLocale localeForLanguage(const std::optional<QString>& languageCode);

// Every text built in code goes through here: the English key is looked up in the bundle, then each
// "%lld" is filled with the next argument as an integer formatted for the locale and each "%@" with the
// next argument as a string, in order. Keys are written as literals at the call so that the test of the
// translation files can find them.
QString localizedString(const QString& englishKey, const LanguageBundle& bundle, const QLocale& locale,
                        const QVariantList& arguments = {});

} // namespace sorvu
