// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "preferences/SupportedLanguage.h"

namespace sorvu {

namespace {

struct LanguageEntry {
    SupportedLanguage language;
    const char* code;
    // The language's own name, shown untranslated.
    const char* endonym;
};

constexpr std::array<LanguageEntry, 7> languageTable{{
    {SupportedLanguage::en, "en", "English"},
    {SupportedLanguage::ru, "ru", "Русский"},
    {SupportedLanguage::zhHans, "zh-Hans", "简体中文"},
    {SupportedLanguage::es, "es", "Español"},
    {SupportedLanguage::ja, "ja", "日本語"},
    {SupportedLanguage::de, "de", "Deutsch"},
    {SupportedLanguage::ptBR, "pt-BR", "Português (Brasil)"},
}};

const LanguageEntry& entryOf(SupportedLanguage language) {
    return languageTable.at(static_cast<size_t>(language));
}

} // namespace

const std::array<SupportedLanguage, 7>& allSupportedLanguages() {
    static const std::array<SupportedLanguage, 7> languages = [] {
        std::array<SupportedLanguage, 7> result{};
        for (size_t index = 0; index < languageTable.size(); ++index) {
            result[index] = languageTable[index].language;
        }
        return result;
    }();
    return languages;
}

QString languageCode(SupportedLanguage language) {
    return QString::fromUtf8(entryOf(language).code);
}

QString displayName(SupportedLanguage language) {
    return QString::fromUtf8(entryOf(language).endonym);
}

std::optional<SupportedLanguage> supportedLanguageFromCode(const QString& code) {
    for (const LanguageEntry& entry : languageTable) {
        if (code == QLatin1String(entry.code)) {
            return entry.language;
        }
    }
    return std::nullopt;
}

} // namespace sorvu
