// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "shortcuts/KeyModifiers.h"
#include "shortcuts/KeyboardLayoutFunctions.h"
#include "shortcuts/ShortcutAction.h"

#include <QByteArray>
#include <QMetaType>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <variant>

namespace sorvu {

// A key plus the modifiers that must be held with it. The key code is an X11 keycode; the modifier bits
// keep the values that the stored form has always used.
struct KeyCombination {
    // The modifiers of every default shortcut.
    static constexpr KeyModifiers defaultModifiers = KeyModifiers(KeyModifier::Ctrl) | KeyModifier::Super;

    static constexpr quint16 maximumKeyCode = 65535;

    // Why a value could not be read or written. JSON syntax errors have the domain "QJsonParseError" and
    // its error number as code; a JSON value of the wrong shape has the domain "HotkeySpec" and a Problem.
    enum class Problem : qint64 { notAnObject = 1, missingMember, notAnInteger, outOfRange, notRepresentable };
    struct CodingError {
        QString domain;
        qint64 code = 0;

        static CodingError problem(Problem problem);
        friend bool operator==(const CodingError&, const CodingError&) = default;
    };

    static inline const QString keyCodeMember = QStringLiteral("keyCode");
    static inline const QString modifiersMember = QStringLiteral("modifiersRawValue");

    // The stored form: a JSON object whose "keyCode" is an integer from 0 to 65535 and whose
    // "modifiersRawValue" is a non-negative integer, in any order; other members are ignored. A number
    // written with a fraction or an exponent counts when its value is a whole number.
    static std::variant<KeyCombination, CodingError> decode(const QByteArray& json);
    static std::optional<KeyCombination> fromJson(const QByteArray& json);
    // Compact UTF-8 JSON of the two members. Fails only for modifier values beyond the signed 64-bit
    // range, which JSON numbers do not carry exactly.
    std::variant<QByteArray, CodingError> encode() const;

    // Ctrl+Super plus the key that types the action's default character; nothing when no key types it.
    static std::optional<KeyCombination> defaultShortcut(ShortcutAction action,
                                                         const KeyCodeForCharacter& keyCodeForCharacter);

    // The XKB key code: the key's position, the same on X11 and Wayland.
    quint16 keyCode = 0;
    quint64 modifiersRawValue = 0;

    friend bool operator==(const KeyCombination&, const KeyCombination&) = default;
};

size_t qHash(const KeyCombination& spec, size_t seed = 0) noexcept;

} // namespace sorvu

Q_DECLARE_METATYPE(sorvu::KeyCombination)
