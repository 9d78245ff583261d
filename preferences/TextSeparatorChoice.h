#pragma once

#include "preferences/Localization.h"

#include <QString>

#include <array>
#include <optional>

namespace sorvu {

// What goes between two texts of a combined paste, in the order the separator picker lists them.
enum class TextSeparatorChoice { newline, blankLine, space, commaSpace, none, custom };

const std::array<TextSeparatorChoice, 6>& allTextSeparatorChoices();

// The stored form, e.g. "blankLine".
QString rawValue(TextSeparatorChoice choice);
// Only the six raw values, exactly as written (case-sensitive).
std::optional<TextSeparatorChoice> textSeparatorChoiceFromRawValue(const QString& rawValue);
// The picker title in the chosen language.
QString localizedTitle(TextSeparatorChoice choice, const TranslationCatalog& catalog, const QLocale& locale);
// The text the choice stands for; the custom choice stands for the user's own text, which only the
// preference knows, so it gives nothing here.
std::optional<QString> fixedSeparator(TextSeparatorChoice choice);

} // namespace sorvu
