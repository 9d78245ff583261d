// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shortcuts/ShortcutDisplay.h"

#include <QHash>
#include <QVariantList>

namespace sorvu {

std::optional<QString> functionKeyName(quint16 keyCode) {
    static const QHash<quint16, QString> names = [] {
        QHash<quint16, QString> table;
        for (quint16 number = 1; number <= 10; ++number) {
            table.insert(static_cast<quint16>(66 + number), QStringLiteral("F%1").arg(number));
        }
        table.insert(95, QStringLiteral("F11"));
        table.insert(96, QStringLiteral("F12"));
        for (quint16 number = 13; number <= 20; ++number) {
            table.insert(static_cast<quint16>(178 + number), QStringLiteral("F%1").arg(number));
        }
        return table;
    }();
    const auto found = names.constFind(keyCode);
    if (found == names.constEnd()) {
        return std::nullopt;
    }
    return *found;
}

QString modifierPrefix(quint64 modifiersRawValue) {
    const KeyModifiers modifiers = keyModifiersOf(modifiersRawValue);
    QString prefix;
    if (modifiers.testFlag(KeyModifier::Ctrl)) {
        prefix += QStringLiteral("Ctrl+");
    }
    if (modifiers.testFlag(KeyModifier::Alt)) {
        prefix += QStringLiteral("Alt+");
    }
    if (modifiers.testFlag(KeyModifier::Shift)) {
        prefix += QStringLiteral("Shift+");
    }
    if (modifiers.testFlag(KeyModifier::Super)) {
        prefix += QStringLiteral("Super+");
    }
    return prefix;
}

QString displayString(quint16 keyCode, quint64 modifiersRawValue, const CharacterForKeyCode& characterForKeyCode,
                      const TranslationCatalog& catalog, const QLocale& locale) {
    const QString prefix = modifierPrefix(modifiersRawValue);
    if (const auto name = functionKeyName(keyCode)) {
        return prefix + *name;
    }
    if (characterForKeyCode) {
        const std::optional<QString> typed = characterForKeyCode(keyCode);
        if (typed && !typed->isEmpty()) {
            return prefix + typed->toUpper();
        }
    }
    return prefix +
           localizedString(QT_TRANSLATE_NOOP("Sorvu", "Key %lld"), catalog, locale, {static_cast<qlonglong>(keyCode)});
}

QString displayString(const KeyCombination& spec, const CharacterForKeyCode& characterForKeyCode,
                      const TranslationCatalog& catalog, const QLocale& locale) {
    return displayString(spec.keyCode, spec.modifiersRawValue, characterForKeyCode, catalog, locale);
}

QString defaultShortcutTextWithoutKey(ShortcutAction action) {
    return modifierPrefix(KeyCombination::defaultModifiers.toInt()) + defaultCharacter(action).toUpper();
}

} // namespace sorvu
