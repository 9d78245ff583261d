#include "preferences/SupportedLanguage.h"

namespace sorvu {

const std::array<SupportedLanguage, 7>& allSupportedLanguages() {
    static const std::array<SupportedLanguage, 7> languages = {
        SupportedLanguage::en, SupportedLanguage::ru, SupportedLanguage::zhHans, SupportedLanguage::es,
        SupportedLanguage::ja, SupportedLanguage::de, SupportedLanguage::ptBR,
    };
    return languages;
}

QString languageCode(SupportedLanguage language) {
    switch (language) {
    case SupportedLanguage::en:
        return QStringLiteral("en");
    case SupportedLanguage::ru:
        return QStringLiteral("ru");
    case SupportedLanguage::zhHans:
        return QStringLiteral("zh-Hans");
    case SupportedLanguage::es:
        return QStringLiteral("es");
    case SupportedLanguage::ja:
        return QStringLiteral("ja");
    case SupportedLanguage::de:
        return QStringLiteral("de");
    case SupportedLanguage::ptBR:
        return QStringLiteral("pt-BR");
    }
    return {};
}

QString displayName(SupportedLanguage language) {
    switch (language) {
    case SupportedLanguage::en:
        return QStringLiteral("English");
    case SupportedLanguage::ru:
        return QStringLiteral("Русский");
    case SupportedLanguage::zhHans:
        return QStringLiteral("简体中文");
    case SupportedLanguage::es:
        return QStringLiteral("Español");
    case SupportedLanguage::ja:
        return QStringLiteral("日本語");
    case SupportedLanguage::de:
        return QStringLiteral("Deutsch");
    case SupportedLanguage::ptBR:
        return QStringLiteral("Português (Brasil)");
    }
    return {};
}

std::optional<SupportedLanguage> supportedLanguageFromCode(const QString& code) {
    for (const SupportedLanguage language : allSupportedLanguages()) {
        if (languageCode(language) == code) {
            return language;
        }
    }
    return std::nullopt;
}

} // namespace sorvu
