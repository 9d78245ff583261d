#include "preferences/TextSeparatorChoice.h"

namespace sorvu {

const std::array<TextSeparatorChoice, 6>& allTextSeparatorChoices() {
    static const std::array<TextSeparatorChoice, 6> choices = {
        TextSeparatorChoice::newline,    TextSeparatorChoice::blankLine, TextSeparatorChoice::space,
        TextSeparatorChoice::commaSpace, TextSeparatorChoice::none,      TextSeparatorChoice::custom,
    };
    return choices;
}

QString localizedTitle(TextSeparatorChoice choice, const TranslationCatalog& catalog, const QLocale& locale) {
    switch (choice) {
    case TextSeparatorChoice::newline:
        return localizedString(QT_TRANSLATE_NOOP("Sorvu", "New line"), catalog, locale);
    case TextSeparatorChoice::blankLine:
        return localizedString(QT_TRANSLATE_NOOP("Sorvu", "Blank line"), catalog, locale);
    case TextSeparatorChoice::space:
        return localizedString(QT_TRANSLATE_NOOP("Sorvu", "Space"), catalog, locale);
    case TextSeparatorChoice::commaSpace:
        return localizedString(QT_TRANSLATE_NOOP("Sorvu", "Comma and space"), catalog, locale);
    case TextSeparatorChoice::none:
        return localizedString(QT_TRANSLATE_NOOP("Sorvu", "None"), catalog, locale);
    case TextSeparatorChoice::custom:
        return localizedString(QT_TRANSLATE_NOOP("Sorvu", "Custom…"), catalog, locale);
    }
    return {};
}

std::optional<QString> fixedSeparator(TextSeparatorChoice choice) {
    switch (choice) {
    case TextSeparatorChoice::newline:
        return QStringLiteral("\n");
    case TextSeparatorChoice::blankLine:
        return QStringLiteral("\n\n");
    case TextSeparatorChoice::space:
        return QStringLiteral(" ");
    case TextSeparatorChoice::commaSpace:
        return QStringLiteral(", ");
    case TextSeparatorChoice::none:
        return QString();
    case TextSeparatorChoice::custom:
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace sorvu
