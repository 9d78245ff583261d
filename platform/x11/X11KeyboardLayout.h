// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>

namespace sorvu {

// What the keys type in the current ASCII-capable layout of the X server's keyboard, read with xkbcommon.
// Keys are translated in the active group when it is Latin (most letters it types without modifiers are
// Latin ones, even if it lacks a few, as Azerbaijani lacks w), else in the first Latin group (a Russian plus
// US setup resolves to US). The key for a character comes from the active group when that types it, else
// from the first group that does. Keys translate without modifiers, at the group's first level. When no group
// is Latin (Russian alone), each key stands for what the US layout types at its place on the keyboard, and
// the first time a character's key is found that way it is logged.
// Changes of the keymap (setxkbmap) and of the active group are picked up at the next call.
class X11KeyboardLayout {
public:
    // Connects to the given display; an empty name means the one the Qt application uses.
    explicit X11KeyboardLayout(const QByteArray& displayName = {});
    ~X11KeyboardLayout();
    X11KeyboardLayout(const X11KeyboardLayout&) = delete;
    X11KeyboardLayout& operator=(const X11KeyboardLayout&) = delete;

    // The instance the program shares, created on first use.
    static X11KeyboardLayout& shared();

    // False when there is no display or the server has no XKB; every answer is then nothing.
    bool isAvailable() const;

    // The text the key types, as typed (not case-converted); nothing for a key that types no printable
    // text or a dead key.
    std::optional<QString> characterForKeyCode(quint16 keyCode);
    // The first key code from 8 to 255 whose text equals the given text, both lower-cased, in the first
    // group that types the text, the active group first.
    std::optional<quint16> keyCodeForCharacter(const QString& text);
    // The key for the paste keystroke: the one typing "v" here, else the key of the v keysym in the core
    // keyboard mapping, else 55 (where V sits on a PC keyboard).
    quint16 keyCodeTypingV();

    // The index of the group keys are translated with, or nothing when none is Latin (the US places serve).
    std::optional<quint32> asciiCapableGroup();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace sorvu
