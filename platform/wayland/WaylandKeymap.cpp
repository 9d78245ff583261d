// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/wayland/WaylandKeymap.h"

#include <xkbcommon/xkbcommon-keysyms.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdlib>

namespace sorvu {

namespace {

// X11 and xkbcommon key codes are the evdev codes plus 8.
constexpr quint32 evdevOffset = 8;
// The V of a PC keyboard, for a layout without a Latin v.
constexpr quint32 pcKeyV = 47;

xkb_context* context() {
    static xkb_context* shared = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    return shared;
}

} // namespace

WaylandKeymap::WaylandKeymap(xkb_keymap* keymap, Origin origin) : m_keymap(keymap), m_origin(origin) {
    if (char* text = xkb_keymap_get_as_string(m_keymap, XKB_KEYMAP_FORMAT_TEXT_V1)) {
        m_text = QByteArray(text);
        std::free(text);
    }
}

WaylandKeymap::~WaylandKeymap() {
    xkb_keymap_unref(m_keymap);
}

std::shared_ptr<const WaylandKeymap> WaylandKeymap::fromText(const QByteArray& text, Origin origin) {
    if (context() == nullptr || text.isEmpty()) {
        return nullptr;
    }
    // The text may arrive with its terminating zero; xkbcommon wants the string without it.
    const QByteArray string = text.endsWith('\0') ? text.chopped(1) : text;
    xkb_keymap* keymap = xkb_keymap_new_from_string(context(), string.constData(), XKB_KEYMAP_FORMAT_TEXT_V1,
                                                    XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (keymap == nullptr) {
        return nullptr;
    }
    return std::shared_ptr<const WaylandKeymap>(new WaylandKeymap(keymap, origin));
}

std::shared_ptr<const WaylandKeymap> WaylandKeymap::fromNames(const QByteArray& layouts, const QByteArray& variants) {
    if (context() == nullptr) {
        return nullptr;
    }
    xkb_rule_names names{};
    names.layout = layouts.isEmpty() ? nullptr : layouts.constData();
    names.variant = variants.isEmpty() ? nullptr : variants.constData();
    xkb_keymap* keymap = xkb_keymap_new_from_names(context(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (keymap == nullptr) {
        return nullptr;
    }
    return std::shared_ptr<const WaylandKeymap>(new WaylandKeymap(keymap, Origin::defaultLayout));
}

std::shared_ptr<const WaylandKeymap> WaylandKeymap::choose(const std::optional<QByteArray>& seatKeymap) {
    if (seatKeymap) {
        if (auto keymap = fromText(*seatKeymap, Origin::seat)) {
            return keymap;
        }
    }
    return fromNames({});
}

std::optional<WaylandKeymap::Found> WaylandKeymap::find(quint32 symbol) const {
    const xkb_keycode_t first = xkb_keymap_min_keycode(m_keymap);
    const xkb_keycode_t last = xkb_keymap_max_keycode(m_keymap);
    const xkb_layout_index_t layouts = xkb_keymap_num_layouts(m_keymap);
    for (xkb_layout_index_t layout = 0; layout < layouts; ++layout) {
        for (xkb_keycode_t code = first; code <= last; ++code) {
            if (code < evdevOffset || layout >= xkb_keymap_num_layouts_for_key(m_keymap, code)) {
                continue;
            }
            const xkb_keysym_t* symbols = nullptr;
            const int count = xkb_keymap_key_get_syms_by_level(m_keymap, code, layout, 0, &symbols);
            for (int index = 0; index < count; ++index) {
                if (symbols[index] == symbol) {
                    return Found{code - evdevOffset, layout};
                }
            }
        }
    }
    return std::nullopt;
}

std::pair<xkb_keymap*, quint32> WaylandKeymap::shortcutLayout() const {
    const auto typesLatin = [](xkb_keymap* keymap, xkb_layout_index_t layout) {
        for (xkb_keycode_t code = xkb_keymap_min_keycode(keymap); code <= xkb_keymap_max_keycode(keymap); ++code) {
            const xkb_keysym_t* symbols = nullptr;
            if (layout < xkb_keymap_num_layouts_for_key(keymap, code) &&
                xkb_keymap_key_get_syms_by_level(keymap, code, layout, 0, &symbols) == 1 && symbols[0] == XKB_KEY_a) {
                return true;
            }
        }
        return false;
    };
    for (xkb_layout_index_t layout = 0; layout < xkb_keymap_num_layouts(m_keymap); ++layout) {
        if (typesLatin(m_keymap, layout)) {
            return {m_keymap, layout};
        }
    }
    // A layout without Latin letters (Russian alone): keys stand for what the US layout types at their place.
    static const std::shared_ptr<const WaylandKeymap> us = fromNames("us");
    return {us ? us->m_keymap : m_keymap, 0};
}

std::optional<QString> WaylandKeymap::characterForKeyCode(quint16 keyCode) const {
    const auto [keymap, layout] = shortcutLayout();
    if (keyCode < xkb_keymap_min_keycode(keymap) || keyCode > xkb_keymap_max_keycode(keymap) ||
        layout >= xkb_keymap_num_layouts_for_key(keymap, keyCode)) {
        return std::nullopt;
    }
    const xkb_keysym_t* symbols = nullptr;
    if (xkb_keymap_key_get_syms_by_level(keymap, keyCode, layout, 0, &symbols) != 1) {
        return std::nullopt;
    }
    char text[8] = {};
    const int length = xkb_keysym_to_utf8(symbols[0], text, sizeof text);
    // Control characters (Return, Tab, Escape) are keys that type nothing one could show.
    if (length <= 1 || static_cast<unsigned char>(text[0]) < 0x20 || text[0] == 0x7f) {
        return std::nullopt;
    }
    return QString::fromUtf8(text);
}

std::optional<quint16> WaylandKeymap::keyCodeForCharacter(const QString& text) const {
    const auto [keymap, layout] = shortcutLayout();
    const QString wanted = text.toLower();
    for (xkb_keycode_t code = xkb_keymap_min_keycode(keymap); code <= xkb_keymap_max_keycode(keymap); ++code) {
        if (const std::optional<QString> typed = characterForKeyCode(quint16(code));
            typed && typed->toLower() == wanted) {
            return quint16(code);
        }
    }
    return std::nullopt;
}

std::optional<WaylandKeymap::Keystroke> WaylandKeymap::keystroke(PasteKeys keys) const {
    auto either = [this](quint32 left, quint32 right) {
        std::optional<Found> found = find(left);
        return found ? found : find(right);
    };
    const std::optional<Found> control = either(XKB_KEY_Control_L, XKB_KEY_Control_R);
    const std::optional<Found> shift = either(XKB_KEY_Shift_L, XKB_KEY_Shift_R);
    const Found v = find(XKB_KEY_v).value_or(Found{pcKeyV, 0});

    switch (keys) {
    case PasteKeys::controlV:
        if (control) {
            return Keystroke{{control->key}, v.key, v.layout};
        }
        break;
    case PasteKeys::controlShiftV:
        if (control && shift) {
            return Keystroke{{control->key, shift->key}, v.key, v.layout};
        }
        break;
    case PasteKeys::shiftInsert:
        if (const std::optional<Found> insert = find(XKB_KEY_Insert); insert && shift) {
            return Keystroke{{shift->key}, insert->key, insert->layout};
        }
        break;
    }
    return std::nullopt;
}

WaylandKeymap::ModifierState WaylandKeymap::modifiersWithKeysDown(const QList<quint32>& keys, quint32 layout) const {
    xkb_state* state = xkb_state_new(m_keymap);
    if (state == nullptr) {
        return {};
    }
    xkb_state_update_mask(state, 0, 0, 0, 0, 0, layout);
    for (const quint32 key : keys) {
        xkb_state_update_key(state, key + evdevOffset, XKB_KEY_DOWN);
    }
    const ModifierState result{xkb_state_serialize_mods(state, XKB_STATE_MODS_DEPRESSED),
                               xkb_state_serialize_mods(state, XKB_STATE_MODS_LATCHED),
                               xkb_state_serialize_mods(state, XKB_STATE_MODS_LOCKED),
                               xkb_state_serialize_layout(state, XKB_STATE_LAYOUT_EFFECTIVE)};
    xkb_state_unref(state);
    return result;
}

} // namespace sorvu
