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

// The enumerator whose case name (as caseName gives it) is exactly this text; nothing for any other text.
template <typename Enum> std::optional<Enum> fromCaseName(const QString& name) {
    const QMetaEnum meta = QMetaEnum::fromType<Enum>();
    for (int index = 0; index < meta.keyCount(); ++index) {
        const auto value = static_cast<Enum>(meta.value(index));
        if (caseName(value) == name) {
            return value;
        }
    }
    return std::nullopt;
}

} // namespace sorvu
