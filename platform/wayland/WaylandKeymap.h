// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/PasteKeys.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <optional>
#include <utility>

struct xkb_keymap;

namespace sorvu {

// A keyboard layout as xkbcommon compiles it, and where the keys of each paste keystroke are in it. Key
// codes are evdev codes, what Wayland's keyboards send (the X11 key code less 8).
class WaylandKeymap {
public:
    enum class Origin { seat, defaultLayout };

    // The keys of one keystroke: the modifiers, pressed in order, then the key; `layout` is the layout
    // (group) in which the key types what it must.
    struct Keystroke {
        QList<quint32> modifiers;
        quint32 key = 0;
        quint32 layout = 0;

        friend bool operator==(const Keystroke&, const Keystroke&) = default;
    };

    // The state of the modifiers as a keyboard reports it to the compositor.
    struct ModifierState {
        quint32 depressed = 0;
        quint32 latched = 0;
        quint32 locked = 0;
        quint32 layout = 0;

        friend bool operator==(const ModifierState&, const ModifierState&) = default;
    };

    // The seat's own keymap when there is one that compiles, so that key codes mean to every program what
    // its keyboard means; else xkbcommon's default layout (XKB_DEFAULT_LAYOUT and its kin, or US).
    static std::shared_ptr<const WaylandKeymap> choose(const std::optional<QByteArray>& seatKeymap);
    // The keymap a keymap text describes; null when it does not compile.
    static std::shared_ptr<const WaylandKeymap> fromText(const QByteArray& text, Origin origin = Origin::seat);
    // The keymap of named layouts ("us", "de", "ru,us"; variants such as "dvorak"); null when unknown.
    static std::shared_ptr<const WaylandKeymap> fromNames(const QByteArray& layouts, const QByteArray& variants = {});

    ~WaylandKeymap();
    WaylandKeymap(const WaylandKeymap&) = delete;
    WaylandKeymap& operator=(const WaylandKeymap&) = delete;

    Origin origin() const { return m_origin; }
    // The keymap as text, the form a virtual keyboard is given.
    const QByteArray& text() const { return m_text; }

    // Where the keys are. The V is the key that types "v" in the first layout that has it (Russian and US:
    // the US one), else the V of a PC keyboard. Nothing when the keymap lacks a modifier or Insert.
    std::optional<Keystroke> keystroke(PasteKeys keys) const;
    // The modifier state with the given keys held down, in the given layout.
    ModifierState modifiersWithKeysDown(const QList<quint32>& keys, quint32 layout) const;

    // What a key (an XKB key code) types without modifiers in the layout shortcuts are read in: the first that
    // types Latin letters, else the US layout's key at the same place. Nothing for a key that types nothing,
    // such as a dead key or a function key.
    std::optional<QString> characterForKeyCode(quint16 keyCode) const;
    // The first key, in ascending key code order, whose text equals the given text when both are lower-cased.
    std::optional<quint16> keyCodeForCharacter(const QString& text) const;

private:
    WaylandKeymap(xkb_keymap* keymap, Origin origin);

    // The first key that types the symbol without modifiers, in the first layout that has one.
    struct Found {
        quint32 key = 0;
        quint32 layout = 0;
    };
    std::optional<Found> find(quint32 symbol) const;
    // The keymap and layout in which shortcut keys are read.
    std::pair<xkb_keymap*, quint32> shortcutLayout() const;

    xkb_keymap* m_keymap;
    Origin m_origin;
    QByteArray m_text;
};

} // namespace sorvu
