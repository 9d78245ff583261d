// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "preferences/Localization.h"

#include <QCoreApplication>
#include <QHash>
#include <QTranslator>

#include <algorithm>
#include <limits>

namespace sorvu {

namespace {

// Every message of the translation files lives in this one context.
constexpr const char* translationContext = "Sorvu";

const QString integerPlaceholder = QStringLiteral("%lld");
const QString stringPlaceholder = QStringLiteral("%@");

// Loaded once per code and kept for the run; a code without translations is remembered as such.
std::shared_ptr<QTranslator> translatorForCode(const QString& code) {
    static QHash<QString, std::shared_ptr<QTranslator>> loaded;
    const auto found = loaded.constFind(code);
    if (found != loaded.constEnd()) {
        return found.value();
    }
    auto translator = std::make_shared<QTranslator>();
    std::shared_ptr<QTranslator> result;
    if (translator->load(QStringLiteral(":/i18n/sorvu_%1.qm").arg(code)) && !translator->isEmpty()) {
        result = std::move(translator);
    }
    loaded.insert(code, result);
    return result;
}

// English's own plural forms ("1 item in queue"): the keys are written in the plural, and the English texts
// have no catalogue of their own.
const QTranslator* englishPluralForms() {
    static const std::unique_ptr<QTranslator> forms = [] {
        auto translator = std::make_unique<QTranslator>();
        return translator->load(QStringLiteral(":/i18n/english-plurals.qm")) ? std::move(translator) : nullptr;
    }();
    return forms.get();
}

TranslationCatalog catalogForCode(const QString& code) {
    auto translator = translatorForCode(code);
    if (!translator) {
        return {};
    }
    return TranslationCatalog(std::move(translator), code);
}

// "%lld" and "%@" in the order they appear; anything else is text.
enum class Placeholder { integer, string };

QList<Placeholder> placeholdersOf(const QString& format) {
    QList<Placeholder> result;
    for (qsizetype index = 0; index < format.size(); ++index) {
        if (QStringView(format).sliced(index).startsWith(integerPlaceholder)) {
            result.append(Placeholder::integer);
            index += integerPlaceholder.size() - 1;
        } else if (QStringView(format).sliced(index).startsWith(stringPlaceholder)) {
            result.append(Placeholder::string);
            index += stringPlaceholder.size() - 1;
        }
    }
    return result;
}

} // namespace

TranslationCatalog::TranslationCatalog(std::shared_ptr<QTranslator> translator, QString languageCode)
    : m_translator(std::move(translator)), m_languageCode(std::move(languageCode)) {}

QString TranslationCatalog::translate(const QString& englishKey) const {
    if (!m_translator) {
        return englishKey;
    }
    const QString translation = m_translator->translate(translationContext, englishKey.toUtf8().constData());
    return translation.isEmpty() ? englishKey : translation;
}

QString TranslationCatalog::translate(const QString& englishKey, qint64 count) const {
    const QTranslator* translator = m_translator ? m_translator.get() : englishPluralForms();
    if (!translator) {
        return englishKey;
    }
    const QByteArray key = englishKey.toUtf8();
    // Qt picks the form by the language's plural rules; the form of a plain message exists only at index 0,
    // so a count that needs another form finds nothing there and the plain lookup answers.
    const int clampedCount = static_cast<int>(std::min<qint64>(count, std::numeric_limits<int>::max()));
    if (count >= 0) {
        const QString plural = translator->translate(translationContext, key.constData(), nullptr, clampedCount);
        if (!plural.isEmpty()) {
            return plural;
        }
    }
    return translate(englishKey);
}

std::optional<QString> TranslationCatalog::languageCode() const {
    if (!m_translator) {
        return std::nullopt;
    }
    return m_languageCode;
}

std::optional<SupportedLanguage> supportedLanguageForUiLanguages(const QStringList& uiLanguages) {
    for (const QString& name : uiLanguages) {
        const QLocale wanted(QString(name).replace(QLatin1Char('-'), QLatin1Char('_')));
        if (wanted.language() == QLocale::C || wanted.language() == QLocale::AnyLanguage) {
            continue;
        }
        for (const SupportedLanguage language : allSupportedLanguages()) {
            const QLocale offered = localeForLanguage(languageCode(language));
            // Traditional Chinese readers are not served by the simplified translation.
            if (offered.language() == wanted.language() && offered.script() == wanted.script()) {
                return language;
            }
        }
    }
    return std::nullopt;
}

TranslationCatalog catalogForLanguage(const std::optional<QString>& languageCode) {
    if (languageCode) {
        return catalogForCode(*languageCode);
    }
    const auto systemLanguage = supportedLanguageForUiLanguages(QLocale::system().uiLanguages());
    if (!systemLanguage) {
        return {};
    }
    return catalogForCode(sorvu::languageCode(*systemLanguage));
}

QLocale localeForLanguage(const std::optional<QString>& languageCode) {
    if (!languageCode) {
        return QLocale::system();
    }
    // Codes are written the way the stored preference has them ("zh-Hans", "pt-BR"); QLocale wants "_".
    return QLocale(QString(*languageCode).replace(QLatin1Char('-'), QLatin1Char('_')));
}

QString localizedString(const QString& englishKey, const TranslationCatalog& catalog, const QLocale& locale,
                        const QVariantList& arguments) {
    const QList<Placeholder> keyPlaceholders = placeholdersOf(englishKey);
    const qsizetype countIndex = keyPlaceholders.indexOf(Placeholder::integer);
    const QString format = countIndex >= 0 && countIndex < arguments.size()
                               ? catalog.translate(englishKey, arguments.at(countIndex).toLongLong())
                               : catalog.translate(englishKey);

    QLocale numberLocale = locale;
    numberLocale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);

    QString result;
    result.reserve(format.size());
    qsizetype nextArgument = 0;
    for (qsizetype index = 0; index < format.size(); ++index) {
        const QStringView rest = QStringView(format).sliced(index);
        const bool isInteger = rest.startsWith(integerPlaceholder);
        const bool isString = !isInteger && rest.startsWith(stringPlaceholder);
        if ((isInteger || isString) && nextArgument < arguments.size()) {
            const QVariant& argument = arguments.at(nextArgument++);
            result += isInteger ? numberLocale.toString(argument.toLongLong()) : argument.toString();
            index += (isInteger ? integerPlaceholder.size() : stringPlaceholder.size()) - 1;
        } else {
            result += format.at(index);
        }
    }
    return result;
}

void installApplicationTranslations(const TranslationCatalog& catalog) {
    // Kept while installed: the application only borrows it.
    static std::shared_ptr<QTranslator> installed;
    if (installed == catalog.translator()) {
        return;
    }
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
    }
    installed = catalog.translator();
    if (installed) {
        QCoreApplication::installTranslator(installed.get());
    }
}

} // namespace sorvu
