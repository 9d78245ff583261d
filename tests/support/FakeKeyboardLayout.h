// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "shortcuts/KeyboardLayoutFunctions.h"

#include <QMap>
#include <QString>

#include <initializer_list>
#include <utility>

namespace sorvu::test {

// What each X11 keycode types, unshifted, in one keyboard layout. Keys missing from the map type nothing
// (function keys, dead keys, modifiers).
class FakeKeyboardLayout {
public:
    QMap<quint16, QString> keys;

    // Every printable key of a US keyboard; the other layouts are written as changes to it.
    static FakeKeyboardLayout usQwerty() {
        FakeKeyboardLayout layout;
        layout.set(10, "1234567890-=");
        layout.set(24, "qwertyuiop[]");
        layout.set(38, "asdfghjkl;'`");
        layout.set(51, "\\zxcvbnm,./");
        layout.keys.insert(65, QStringLiteral(" "));
        layout.keys.insert(36, QStringLiteral("\r"));
        layout.keys.insert(23, QStringLiteral("\t"));
        return layout;
    }

    static FakeKeyboardLayout germanQwertz() {
        FakeKeyboardLayout layout = usQwerty();
        layout.set(20, "\u00df");
        layout.keys.remove(21);
        layout.set(29, "z");
        layout.set(34, "\u00fc+");
        layout.set(47, "\u00f6\u00e4");
        layout.keys.remove(49);
        layout.set(51, "#y");
        layout.set(61, "-");
        layout.keys.insert(94, QStringLiteral("<"));
        return layout;
    }

    static FakeKeyboardLayout frenchAzerty() {
        FakeKeyboardLayout layout = usQwerty();
        layout.set(10, "&\u00e9\"'(-\u00e8_\u00e7\u00e0)=");
        layout.set(24, "az");
        layout.keys.remove(34);
        layout.set(35, "$");
        layout.set(38, "q");
        layout.set(47, "m\u00f9\u00b2");
        layout.set(51, "*w");
        layout.set(58, ",;:!");
        layout.keys.insert(94, QStringLiteral("<"));
        return layout;
    }

    static FakeKeyboardLayout russian() {
        FakeKeyboardLayout layout = usQwerty();
        layout.set(24, "\u0439\u0446\u0443\u043a\u0435\u043d\u0433\u0448\u0449\u0437\u0445\u044a");
        layout.set(38, "\u0444\u044b\u0432\u0430\u043f\u0440\u043e\u043b\u0434\u0436\u044d\u0451");
        layout.set(52, "\u044f\u0447\u0441\u043c\u0438\u0442\u044c\u0431\u044e.");
        return layout;
    }

    // Dvorak puts c on the key that types i on a US keyboard.
    static FakeKeyboardLayout usDvorak() {
        FakeKeyboardLayout layout = usQwerty();
        layout.set(20, "[]");
        layout.set(24, "',.pyfgcrl/=");
        layout.set(38, "aoeuidhtns-");
        layout.set(52, ";qjkxbmwvz");
        return layout;
    }

    // A layout in which the key of c types \u00e7 and no key types c.
    static FakeKeyboardLayout withoutC() {
        FakeKeyboardLayout layout = usQwerty();
        layout.set(54, "\u00e7");
        return layout;
    }

    // The layout used for shortcuts: the active group when it types Latin letters, else the first group that
    // does, the way a Russian+US pair resolves to US.
    static FakeKeyboardLayout asciiCapable(const std::initializer_list<FakeKeyboardLayout>& groups, int active) {
        const FakeKeyboardLayout& activeGroup = *(groups.begin() + active);
        if (activeGroup.typesLatinLetters()) {
            return activeGroup;
        }
        for (const FakeKeyboardLayout& group : groups) {
            if (group.typesLatinLetters()) {
                return group;
            }
        }
        return {};
    }

    CharacterForKeyCode characterForKeyCode() const {
        return [keys = keys](quint16 keyCode) -> std::optional<QString> {
            const auto found = keys.constFind(keyCode);
            if (found == keys.constEnd()) {
                return std::nullopt;
            }
            return *found;
        };
    }

    KeyCodeForCharacter keyCodeForCharacter() const {
        return [keys = keys](const QString& text) -> std::optional<quint16> {
            for (auto it = keys.constBegin(); it != keys.constEnd(); ++it) {
                if (it.value().toLower() == text.toLower()) {
                    return it.key();
                }
            }
            return std::nullopt;
        };
    }

private:
    // Consecutive keycodes from the first one type the characters of the text in turn.
    void set(quint16 firstKeyCode, const char* characters) {
        const QString text = QString::fromUtf8(characters);
        for (qsizetype index = 0; index < text.size(); ++index) {
            keys.insert(static_cast<quint16>(firstKeyCode + index), text.mid(index, 1));
        }
    }

    bool typesLatinLetters() const {
        for (const QString& text : keys) {
            if (text.size() == 1 && text.at(0) >= QLatin1Char('a') && text.at(0) <= QLatin1Char('z')) {
                return true;
            }
        }
        return false;
    }
};

} // namespace sorvu::test
