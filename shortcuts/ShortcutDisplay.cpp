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
    QString prefix;
    if (modifiersRawValue & HotkeySpec::controlFlag) {
        prefix += QStringLiteral("Ctrl+");
    }
    if (modifiersRawValue & HotkeySpec::optionFlag) {
        prefix += QStringLiteral("Alt+");
    }
    if (modifiersRawValue & HotkeySpec::shiftFlag) {
        prefix += QStringLiteral("Shift+");
    }
    if (modifiersRawValue & HotkeySpec::commandFlag) {
        prefix += QStringLiteral("Super+");
    }
    return prefix;
}

QString displayString(quint16 keyCode, quint64 modifiersRawValue, const CharacterForKeyCode& characterForKeyCode,
                      const LanguageBundle& bundle, const QLocale& locale) {
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
    return prefix + localizedString(QStringLiteral("Key %lld"), bundle, locale, {static_cast<qlonglong>(keyCode)});
}

QString displayString(const HotkeySpec& spec, const CharacterForKeyCode& characterForKeyCode,
                      const LanguageBundle& bundle, const QLocale& locale) {
    return displayString(spec.keyCode, spec.modifiersRawValue, characterForKeyCode, bundle, locale);
}

QString defaultShortcutTextWithoutKey(ShortcutAction action) {
    return modifierPrefix(HotkeySpec::controlCommandFlags) + defaultCharacter(action).toUpper();
}

} // namespace sorvu
