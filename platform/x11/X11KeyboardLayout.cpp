// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11KeyboardLayout.h"

#include "engine/Log.h"
#include "platform/x11/X11DisplayName.h"

#include <X11/XKBlib.h>
#include <X11/Xlib-xcb.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

#include <QChar>
#include <QSet>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace sorvu {

namespace {

constexpr quint16 firstKeyCode = 8;
constexpr quint16 lastKeyCode = 255;
constexpr quint16 fallbackKeyCodeOfV = 55;
// Stands for a group: the US layout's letters at the same places on the keyboard.
constexpr xkb_layout_index_t usPositions = XKB_LAYOUT_INVALID;

struct KeymapDeleter {
    void operator()(xkb_keymap* keymap) const { xkb_keymap_unref(keymap); }
};
struct ContextDeleter {
    void operator()(xkb_context* context) const { xkb_context_unref(context); }
};

bool isDeadKey(xkb_keysym_t keysym) {
    return keysym >= XKB_KEY_dead_grave && keysym <= XKB_KEY_dead_greek;
}

// The symbol the key yields in the group without modifiers; groups beyond the key's own count wrap the
// way the server does for keys with fewer groups.
std::optional<xkb_keysym_t> plainKeysym(xkb_keymap* keymap, xkb_keycode_t keyCode, xkb_layout_index_t group) {
    const xkb_layout_index_t groupsOfKey = xkb_keymap_num_layouts_for_key(keymap, keyCode);
    if (groupsOfKey == 0) {
        return std::nullopt;
    }
    const xkb_keysym_t* symbols = nullptr;
    if (xkb_keymap_key_get_syms_by_level(keymap, keyCode, group % groupsOfKey, 0, &symbols) != 1) {
        return std::nullopt;
    }
    return symbols[0];
}

} // namespace

struct X11KeyboardLayout::State {
    Display* display = nullptr;
    int xkbEventBase = -1;
    std::int32_t deviceId = -1;
    std::unique_ptr<xkb_context, ContextDeleter> context;
    std::unique_ptr<xkb_keymap, KeymapDeleter> keymap;
    std::vector<bool> latinGroups;
    bool keymapStale = true;
    // While no group types Latin letters: the US keymap, and for each key the US key of the same name (its
    // place on the keyboard), 0 where the US keymap has none.
    std::unique_ptr<xkb_keymap, KeymapDeleter> usKeymap;
    std::vector<xkb_keycode_t> usKeyAt;
    // The characters whose US key was logged since the keymap last changed.
    QSet<QString> announcedUsKeys;

    ~State() {
        keymap.reset();
        context.reset();
        if (display != nullptr) {
            XCloseDisplay(display);
        }
    }

    void open(const QByteArray& displayName) {
        display = XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData());
        if (display == nullptr) {
            return;
        }
        int opcode = 0;
        int errorBase = 0;
        int major = XkbMajorVersion;
        int minor = XkbMinorVersion;
        if (!XkbQueryExtension(display, &opcode, &xkbEventBase, &errorBase, &major, &minor)) {
            xkbEventBase = -1;
            return;
        }
        xcb_connection_t* connection = XGetXCBConnection(display);
        std::uint16_t xkbMajor = 0;
        std::uint16_t xkbMinor = 0;
        std::uint8_t xkbEvent = 0;
        std::uint8_t xkbError = 0;
        if (!xkb_x11_setup_xkb_extension(connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                                         XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, &xkbMajor, &xkbMinor, &xkbEvent,
                                         &xkbError)) {
            xkbEventBase = -1;
            return;
        }
        deviceId = xkb_x11_get_core_keyboard_device_id(connection);
        context.reset(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
        // Told of every keymap replacement, so that the next answer reads the new one.
        const unsigned long changes = XkbNewKeyboardNotifyMask | XkbMapNotifyMask;
        XkbSelectEvents(display, XkbUseCoreKbd, changes, changes);
    }

    bool usable() const { return display != nullptr && xkbEventBase >= 0 && deviceId >= 0 && context; }

    void rebuildKeymap() {
        keymap.reset(xkb_x11_keymap_new_from_device(context.get(), XGetXCBConnection(display), deviceId,
                                                    XKB_KEYMAP_COMPILE_NO_FLAGS));
        latinGroups.clear();
        keymapStale = false;
        if (!keymap) {
            return;
        }
        // Many Latin layouts lack a letter or more (az has no w, tm no c); a non-Latin one may still type a
        // stray Latin letter. What counts is which script most of the group's letters belong to.
        const xkb_layout_index_t groups = xkb_keymap_num_layouts(keymap.get());
        for (xkb_layout_index_t group = 0; group < groups; ++group) {
            int letters = 0;
            int latinLetters = 0;
            for (xkb_keycode_t keyCode = firstKeyCode; keyCode <= lastKeyCode; ++keyCode) {
                const auto keysym = plainKeysym(keymap.get(), keyCode, group);
                const char32_t character = keysym ? xkb_keysym_to_utf32(*keysym) : 0;
                if (character != 0 && QChar::isLetter(character)) {
                    ++letters;
                    latinLetters += QChar::script(character) == QChar::Script_Latin ? 1 : 0;
                }
            }
            latinGroups.push_back(latinLetters * 2 > letters);
        }
        announcedUsKeys.clear();
        usKeyAt.clear();
        if (std::find(latinGroups.begin(), latinGroups.end(), true) == latinGroups.end()) {
            mapUsPositions();
        }
    }

    // A shortcut's letter must still have a key when no layout types Latin letters (Russian alone, say): the
    // one where the US layout has it, as a Latin label on a Cyrillic keyboard shows.
    void mapUsPositions() {
        if (!usKeymap) {
            const xkb_rule_names us{"evdev", "pc105", "us", "", ""};
            usKeymap.reset(xkb_keymap_new_from_names(context.get(), &us, XKB_KEYMAP_COMPILE_NO_FLAGS));
            if (!usKeymap) {
                qCWarning(lcUi).noquote() << QStringLiteral("keyboard layout us unavailable");
                return;
            }
        }
        usKeyAt.assign(lastKeyCode + 1, 0);
        for (xkb_keycode_t keyCode = firstKeyCode; keyCode <= lastKeyCode; ++keyCode) {
            if (const char* name = xkb_keymap_key_get_name(keymap.get(), keyCode)) {
                const xkb_keycode_t usKey = xkb_keymap_key_by_name(usKeymap.get(), name);
                usKeyAt[keyCode] = usKey == XKB_KEYCODE_INVALID ? 0 : usKey;
            }
        }
    }

    // The active group, after catching up with the server. Reading the group is a round trip, which also
    // brings in every keymap notification sent before it.
    std::optional<xkb_layout_index_t> activeGroup() {
        if (!usable()) {
            return std::nullopt;
        }
        XkbStateRec serverState{};
        if (XkbGetState(display, XkbUseCoreKbd, &serverState) != Success) {
            return std::nullopt;
        }
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == xkbEventBase) {
                const auto& xkbEvent = reinterpret_cast<const XkbEvent&>(event);
                if (xkbEvent.any.xkb_type == XkbNewKeyboardNotify || xkbEvent.any.xkb_type == XkbMapNotify) {
                    keymapStale = true;
                }
            }
        }
        if (keymapStale) {
            rebuildKeymap();
        }
        if (!keymap || latinGroups.empty()) {
            return std::nullopt;
        }
        return xkb_layout_index_t(serverState.group) % xkb_layout_index_t(latinGroups.size());
    }

    // The group keys are translated with: the active one when it is Latin, else the first Latin one, else
    // the US layout's places.
    std::optional<xkb_layout_index_t> translationGroup() {
        const auto active = activeGroup();
        if (!active || latinGroups[*active]) {
            return active;
        }
        for (xkb_layout_index_t group = 0; group < latinGroups.size(); ++group) {
            if (latinGroups[group]) {
                return group;
            }
        }
        return usKeyAt.empty() ? std::nullopt : std::optional<xkb_layout_index_t>(usPositions);
    }

    // The first key whose text in the group equals the wanted text, lower-cased.
    std::optional<quint16> keyTyping(const QString& wanted, xkb_layout_index_t group) const {
        for (quint16 keyCode = firstKeyCode; keyCode <= lastKeyCode; ++keyCode) {
            const auto typed = translate(keyCode, group);
            if (typed && typed->toLower() == wanted) {
                return keyCode;
            }
        }
        return std::nullopt;
    }

    std::optional<QString> translate(quint16 keyCode, xkb_layout_index_t group) const {
        if (keyCode < firstKeyCode || keyCode > lastKeyCode) {
            return std::nullopt;
        }
        const bool atUsPosition = group == usPositions;
        const xkb_keycode_t translated = atUsPosition ? usKeyAt[keyCode] : keyCode;
        const auto keysym =
            plainKeysym(atUsPosition ? usKeymap.get() : keymap.get(), translated, atUsPosition ? 0 : group);
        if (!keysym || isDeadKey(*keysym)) {
            return std::nullopt;
        }
        const char32_t character = xkb_keysym_to_utf32(*keysym);
        // Control characters (Return, Tab, Escape…) are no text a shortcut could be shown or matched by.
        if (character < 0x20 || character == 0x7f) {
            return std::nullopt;
        }
        return QString::fromUcs4(&character, 1);
    }
};

X11KeyboardLayout::X11KeyboardLayout(const QByteArray& displayName) : m_state(std::make_unique<State>()) {
    const QByteArray name = displayName.isEmpty() ? x11DisplayName() : displayName;
    m_state->open(name);
    if (!m_state->usable()) {
        qCCritical(lcUi).noquote() << QStringLiteral("keyboard layout unavailable display=%1 reason=%2")
                                          .arg(QString::fromLocal8Bit(name), m_state->display == nullptr
                                                                                 ? QStringLiteral("noDisplay")
                                                                                 : QStringLiteral("noXkb"));
    }
}

X11KeyboardLayout::~X11KeyboardLayout() = default;

X11KeyboardLayout& X11KeyboardLayout::shared() {
    // Never destroyed: closing a display at exit, after the server may be gone, would end in Xlib's
    // fatal I/O error handler.
    static auto* instance = new X11KeyboardLayout;
    return *instance;
}

bool X11KeyboardLayout::isAvailable() const {
    return m_state->usable();
}

std::optional<quint32> X11KeyboardLayout::asciiCapableGroup() {
    const auto group = m_state->translationGroup();
    return group && *group != usPositions ? std::optional<quint32>(*group) : std::nullopt;
}

std::optional<QString> X11KeyboardLayout::characterForKeyCode(quint16 keyCode) {
    const auto group = m_state->translationGroup();
    if (!group) {
        return std::nullopt;
    }
    return m_state->translate(keyCode, *group);
}

std::optional<quint16> X11KeyboardLayout::keyCodeForCharacter(const QString& text) {
    const auto active = m_state->activeGroup();
    if (!active || text.isEmpty()) {
        return std::nullopt;
    }
    const QString wanted = text.toLower();
    if (const auto keyCode = m_state->keyTyping(wanted, *active)) {
        return keyCode;
    }
    for (xkb_layout_index_t group = 0; group < m_state->latinGroups.size(); ++group) {
        if (group == *active) {
            continue;
        }
        if (const auto keyCode = m_state->keyTyping(wanted, group)) {
            return keyCode;
        }
    }
    if (m_state->usKeyAt.empty()) {
        return std::nullopt;
    }
    const auto keyCode = m_state->keyTyping(wanted, usPositions);
    if (keyCode && !m_state->announcedUsKeys.contains(wanted)) {
        m_state->announcedUsKeys.insert(wanted);
        const char* name = xkb_keymap_key_get_name(m_state->keymap.get(), *keyCode);
        qCInfo(lcUi).noquote() << QStringLiteral("no layout types Latin letters, using the US layout's key "
                                                 "character=%1 keyCode=%2 keyName=%3")
                                      .arg(wanted)
                                      .arg(*keyCode)
                                      .arg(QString::fromLatin1(name != nullptr ? name : ""));
    }
    return keyCode;
}

quint16 X11KeyboardLayout::keyCodeTypingV() {
    if (const auto keyCode = keyCodeForCharacter(QStringLiteral("v"))) {
        return *keyCode;
    }
    if (m_state->display != nullptr) {
        if (const KeyCode keyCode = XKeysymToKeycode(m_state->display, XK_v); keyCode != 0) {
            return keyCode;
        }
    }
    return fallbackKeyCodeOfV;
}

} // namespace sorvu
