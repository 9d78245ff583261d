// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFlags>
#include <QtGlobal>
#include <qnamespace.h>

namespace sorvu {

// The modifiers a shortcut can hold. The values are those of the stored shortcuts and must not change.
// Caps Lock, Num Lock and every other modifier never take part.
enum class KeyModifier : quint32 {
    Shift = 0x20000,
    Ctrl = 0x40000,
    Alt = 0x80000,
    Super = 0x100000,
};
Q_DECLARE_FLAGS(KeyModifiers, KeyModifier)
Q_DECLARE_OPERATORS_FOR_FLAGS(KeyModifiers)

inline constexpr KeyModifiers allKeyModifiers =
    KeyModifiers(KeyModifier::Shift) | KeyModifier::Ctrl | KeyModifier::Alt | KeyModifier::Super;

// The modifiers among the bits of a stored or reported value; every other bit is dropped.
inline constexpr KeyModifiers keyModifiersOf(quint64 rawValue) {
    return KeyModifiers::fromInt(quint32(rawValue & allKeyModifiers.toInt()));
}

// The modifiers of a key event in one of Sorvu's own windows. Qt reports Super as Meta on X11.
inline KeyModifiers keyModifiersFromQt(Qt::KeyboardModifiers qtModifiers) {
    KeyModifiers modifiers;
    modifiers.setFlag(KeyModifier::Shift, qtModifiers.testFlag(Qt::ShiftModifier));
    modifiers.setFlag(KeyModifier::Ctrl, qtModifiers.testFlag(Qt::ControlModifier));
    modifiers.setFlag(KeyModifier::Alt, qtModifiers.testFlag(Qt::AltModifier));
    modifiers.setFlag(KeyModifier::Super, qtModifiers.testFlag(Qt::MetaModifier));
    return modifiers;
}

} // namespace sorvu
