// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "preferences/TextSeparatorChoice.h"

namespace sorvu {

namespace {

struct ChoiceEntry {
    const char* title;
    // The text put between two entries; the custom choice takes the user's own text instead.
    const char* separator;
};

// By enumerator order, which is the picker's.
constexpr std::array<ChoiceEntry, 6> choiceTable{{
    {QT_TRANSLATE_NOOP("Sorvu", "New line"), "\n"},
    {QT_TRANSLATE_NOOP("Sorvu", "Blank line"), "\n\n"},
    {QT_TRANSLATE_NOOP("Sorvu", "Space"), " "},
    {QT_TRANSLATE_NOOP("Sorvu", "Comma and space"), ", "},
    {QT_TRANSLATE_NOOP("Sorvu", "None"), ""},
    {QT_TRANSLATE_NOOP("Sorvu", "Custom…"), nullptr},
}};

const ChoiceEntry& entryOf(TextSeparatorChoice choice) {
    return choiceTable.at(static_cast<size_t>(choice));
}

} // namespace

const std::array<TextSeparatorChoice, 6>& allTextSeparatorChoices() {
    static const std::array<TextSeparatorChoice, 6> choices = {
        TextSeparatorChoice::newline,    TextSeparatorChoice::blankLine, TextSeparatorChoice::space,
        TextSeparatorChoice::commaSpace, TextSeparatorChoice::none,      TextSeparatorChoice::custom,
    };
    return choices;
}

QString localizedTitle(TextSeparatorChoice choice, const TranslationCatalog& catalog, const QLocale& locale) {
    return localizedString(QString::fromUtf8(entryOf(choice).title), catalog, locale);
}

std::optional<QString> fixedSeparator(TextSeparatorChoice choice) {
    const char* separator = entryOf(choice).separator;
    if (separator == nullptr) {
        return std::nullopt;
    }
    return QString::fromLatin1(separator);
}

} // namespace sorvu
