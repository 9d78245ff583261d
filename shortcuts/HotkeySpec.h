#pragma once

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
struct HotkeySpec {
    static constexpr quint64 shiftFlag = 0x20000;
    static constexpr quint64 controlFlag = 0x40000;
    static constexpr quint64 optionFlag = 0x80000;
    static constexpr quint64 commandFlag = 0x100000;
    // Only these four modifiers take part; Caps Lock, Num Lock and all other bits never do.
    static constexpr quint64 relevantModifierMask = shiftFlag | controlFlag | optionFlag | commandFlag;
    // The modifiers of every default shortcut: Ctrl+Super.
    static constexpr quint64 controlCommandFlags = controlFlag | commandFlag;

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
    static std::variant<HotkeySpec, CodingError> decode(const QByteArray& json);
    static std::optional<HotkeySpec> fromJson(const QByteArray& json);
    // Compact UTF-8 JSON of the two members. Fails only for modifier values beyond the signed 64-bit
    // range, which JSON numbers do not carry exactly.
    std::variant<QByteArray, CodingError> encode() const;

    // Ctrl+Super plus the key that types the action's default character; nothing when no key types it.
    static std::optional<HotkeySpec> defaultShortcut(ShortcutAction action,
                                                     const KeyCodeForCharacter& keyCodeForCharacter);

    quint16 keyCode = 0;
    quint64 modifiersRawValue = 0;

    friend bool operator==(const HotkeySpec&, const HotkeySpec&) = default;
};

size_t qHash(const HotkeySpec& spec, size_t seed = 0) noexcept;

} // namespace sorvu

Q_DECLARE_METATYPE(sorvu::HotkeySpec)
