// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/EnumNames.h"
#include "preferences/Localization.h"

#include <QObject>
#include <QString>

#include <array>
#include <optional>

namespace sorvu {

class TextSeparatorChoiceMeta {
    Q_GADGET

public:
    // What goes between two texts of a combined paste, in the order the separator picker lists them. The
    // stored form is the case name (caseName), e.g. "blankLine".
    enum class TextSeparatorChoice { newline, blankLine, space, commaSpace, none, custom };
    Q_ENUM(TextSeparatorChoice)
};
using TextSeparatorChoice = TextSeparatorChoiceMeta::TextSeparatorChoice;

const std::array<TextSeparatorChoice, 6>& allTextSeparatorChoices();
// The picker title in the chosen language.
QString localizedTitle(TextSeparatorChoice choice, const TranslationCatalog& catalog, const QLocale& locale);
// The text the choice stands for; the custom choice stands for the user's own text, which only the
// preference knows, so it gives nothing here.
std::optional<QString> fixedSeparator(TextSeparatorChoice choice);

} // namespace sorvu
