// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shortcuts/KeyCombination.h"

#include <QHashFunctions>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QVariant>

#include <cmath>
#include <limits>

namespace sorvu {

namespace {

// Qt keeps a JSON number as a 64-bit integer when it is whole and fits, else as a double.
std::variant<quint64, KeyCombination::Problem> readUnsigned(const QJsonObject& object, const QString& member,
                                                            quint64 maximum) {
    const auto found = object.constFind(member);
    if (found == object.constEnd()) {
        return KeyCombination::Problem::missingMember;
    }
    const QJsonValue value = *found;
    if (!value.isDouble()) {
        return KeyCombination::Problem::notAnInteger;
    }
    const QVariant number = value.toVariant();
    if (number.typeId() == QMetaType::LongLong) {
        const qint64 integer = number.toLongLong();
        if (integer < 0 || static_cast<quint64>(integer) > maximum) {
            return KeyCombination::Problem::outOfRange;
        }
        return static_cast<quint64>(integer);
    }
    const double real = value.toDouble();
    if (!std::isfinite(real) || std::trunc(real) != real) {
        return KeyCombination::Problem::notAnInteger;
    }
    constexpr double unsignedLimit = 0x1p64;
    if (real < 0 || real >= unsignedLimit || static_cast<quint64>(real) > maximum) {
        return KeyCombination::Problem::outOfRange;
    }
    return static_cast<quint64>(real);
}

} // namespace

KeyCombination::CodingError KeyCombination::CodingError::problem(Problem problem) {
    return CodingError{QStringLiteral("HotkeySpec"), static_cast<qint64>(problem)};
}

std::variant<KeyCombination, KeyCombination::CodingError> KeyCombination::decode(const QByteArray& json) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        return CodingError{QStringLiteral("QJsonParseError"), static_cast<qint64>(parseError.error)};
    }
    if (!document.isObject()) {
        return CodingError::problem(Problem::notAnObject);
    }
    const QJsonObject object = document.object();
    const auto keyCode = readUnsigned(object, keyCodeMember, maximumKeyCode);
    if (const auto* problem = std::get_if<Problem>(&keyCode)) {
        return CodingError::problem(*problem);
    }
    const auto modifiers = readUnsigned(object, modifiersMember, std::numeric_limits<quint64>::max());
    if (const auto* problem = std::get_if<Problem>(&modifiers)) {
        return CodingError::problem(*problem);
    }
    return KeyCombination{static_cast<quint16>(std::get<quint64>(keyCode)), std::get<quint64>(modifiers)};
}

std::optional<KeyCombination> KeyCombination::fromJson(const QByteArray& json) {
    const auto decoded = decode(json);
    if (const auto* spec = std::get_if<KeyCombination>(&decoded)) {
        return *spec;
    }
    return std::nullopt;
}

std::variant<QByteArray, KeyCombination::CodingError> KeyCombination::encode() const {
    if (modifiersRawValue > static_cast<quint64>(std::numeric_limits<qint64>::max())) {
        return CodingError::problem(Problem::notRepresentable);
    }
    QJsonObject object;
    object.insert(keyCodeMember, static_cast<qint64>(keyCode));
    object.insert(modifiersMember, static_cast<qint64>(modifiersRawValue));
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<KeyCombination> KeyCombination::defaultShortcut(ShortcutAction action,
                                                              const KeyCodeForCharacter& keyCodeForCharacter) {
    if (!keyCodeForCharacter) {
        return std::nullopt;
    }
    const std::optional<quint16> keyCode = keyCodeForCharacter(defaultCharacter(action));
    if (!keyCode) {
        return std::nullopt;
    }
    return KeyCombination{*keyCode, defaultModifiers.toInt()};
}

size_t qHash(const KeyCombination& spec, size_t seed) noexcept {
    return qHashMulti(seed, spec.keyCode, spec.modifiersRawValue);
}

} // namespace sorvu
