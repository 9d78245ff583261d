// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <array>
#include <optional>

namespace sorvu {

// The interface languages offered besides the system's, in the order the language picker lists them (the
// order of the enumerators).
enum class SupportedLanguage { en, ru, zhHans, es, ja, de, ptBR };

const std::array<SupportedLanguage, 7>& allSupportedLanguages();

// The stored code, e.g. "zh-Hans".
QString languageCode(SupportedLanguage language);
// The language's own name, shown untranslated.
QString displayName(SupportedLanguage language);
// Only the seven codes, exactly as written (case-sensitive).
std::optional<SupportedLanguage> supportedLanguageFromCode(const QString& code);

} // namespace sorvu
