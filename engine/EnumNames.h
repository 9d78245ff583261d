// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMetaEnum>
#include <QString>

#include <optional>

namespace sorvu {

// The name of an enumerator registered with Q_ENUM, as written in the code: what logs and stored values
// show.
template <typename Enum> QString caseName(Enum value) {
    return QString::fromLatin1(QMetaEnum::fromType<Enum>().valueToKey(static_cast<int>(value)));
}

// The enumerator with exactly this name (case-sensitive, unqualified); nothing for any other text.
template <typename Enum> std::optional<Enum> fromCaseName(const QString& name) {
    bool found = false;
    const int value = QMetaEnum::fromType<Enum>().keyToValue(name.toLatin1().constData(), &found);
    // The reverse look-up also takes qualified names ("Scope::name"), which no stored value uses.
    if (!found || caseName(static_cast<Enum>(value)) != name) {
        return std::nullopt;
    }
    return static_cast<Enum>(value);
}

} // namespace sorvu
