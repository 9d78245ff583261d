// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11KeyGrabs.h"

#include "platform/x11/X11Access.h"

#include <X11/XKBlib.h>
#include <X11/Xlib-xcb.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <xcb/xcb.h>

#include <bitset>

namespace sorvu {

namespace {

constexpr int keyCount = 256;

// The core modifier that stands for each of the four: Alt is Mod1 and Super Mod4 in every common keymap.
struct ModifierMask {
    KeyModifier modifier;
    unsigned int mask;
};
constexpr ModifierMask modifierMasks[] = {
    {KeyModifier::Shift, ShiftMask},
    {KeyModifier::Ctrl, ControlMask},
    {KeyModifier::Alt, Mod1Mask},
    {KeyModifier::Super, Mod4Mask},
};

unsigned int maskOf(KeyModifiers modifiers) {
    unsigned int mask = 0;
    for (const ModifierMask& each : modifierMasks) {
        if (modifiers.testFlag(each.modifier)) {
            mask |= each.mask;
        }
    }
    return mask;
}

// The modifier bound to Num Lock, which moves with the keymap; none when no key is Num Lock.
unsigned int numLockMask(Display* display) {
    const KeyCode numLock = XKeysymToKeycode(display, XK_Num_Lock);
    if (numLock == 0) {
        return 0;
    }
    XModifierKeymap* mapping = XGetModifierMapping(display);
    if (mapping == nullptr) {
        return 0;
    }
    unsigned int mask = 0;
    for (int modifier = 0; modifier < 8; ++modifier) {
        for (int slot = 0; slot < mapping->max_keypermod; ++slot) {
            if (mapping->modifiermap[modifier * mapping->max_keypermod + slot] == numLock) {
                mask = 1u << modifier;
            }
        }
    }
    XFreeModifiermap(mapping);
    return mask;
}

} // namespace

struct X11KeyGrabs::State {
    Display* display = nullptr;
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = 0;
    int minKeyCode = 8;
    int maxKeyCode = 255;
    int xkbEventBase = -1;
    unsigned int numLock = 0;
    std::vector<Grab> grabbed;
    // Keys pressed while a grab delivered them to us; a press of a key already down is a repeat.
    std::bitset<keyCount> down;

    ~State() {
        // Closing the connection releases every grab.
        if (display != nullptr) {
            XCloseDisplay(display);
        }
    }

    std::vector<unsigned int> lockCombinations() const {
        std::vector<unsigned int> combinations{0, LockMask};
        if (numLock != 0 && numLock != LockMask) {
            combinations.push_back(numLock);
            combinations.push_back(numLock | LockMask);
        }
        return combinations;
    }

    // Grabs every combination and answers the actions whose grab another client holds, in action order.
    QList<ShortcutAction> grab(const std::vector<Grab>& grabs) {
        std::vector<std::pair<ShortcutAction, xcb_void_cookie_t>> requests;
        for (const Grab& each : grabs) {
            for (const unsigned int locks : lockCombinations()) {
                requests.emplace_back(each.action,
                                      xcb_grab_key_checked(connection, 0, root, quint16(each.modifiers | locks),
                                                           each.keyCode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
            }
        }
        QList<ShortcutAction> taken;
        for (const auto& [action, cookie] : requests) {
            const x11::Reply<xcb_generic_error_t> error(xcb_request_check(connection, cookie));
            if (error && error->error_code == XCB_ACCESS && !taken.contains(action)) {
                taken.append(action);
            }
        }
        xcb_flush(connection);
        return taken;
    }

    void ungrab(const std::vector<Grab>& grabs) {
        for (const Grab& each : grabs) {
            for (const unsigned int locks : lockCombinations()) {
                xcb_ungrab_key(connection, each.keyCode, root, quint16(each.modifiers | locks));
            }
        }
    }

    KeyDownEvent keyDown(quint16 keyCode, unsigned int state, bool repeat) const {
        KeyDownEvent event{keyCode, {}, repeat, false};
        for (unsigned int bit = 0; bit < 8; ++bit) {
            const unsigned int mask = 1u << bit;
            if ((state & mask) == 0 || mask == LockMask || mask == numLock) {
                continue;
            }
            bool counted = false;
            for (const ModifierMask& each : modifierMasks) {
                if (each.mask == mask) {
                    event.modifiers |= each.modifier;
                    counted = true;
                }
            }
            event.otherModifierHeld |= !counted;
        }
        return event;
    }
};

X11KeyGrabs::X11KeyGrabs() : m_state(std::make_unique<State>()) {}

X11KeyGrabs::~X11KeyGrabs() = default;

bool X11KeyGrabs::open(const QByteArray& displayName) {
    State& state = *m_state;
    state.display = XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData());
    if (state.display == nullptr) {
        return false;
    }
    state.connection = XGetXCBConnection(state.display);
    state.root = DefaultRootWindow(state.display);
    XDisplayKeycodes(state.display, &state.minKeyCode, &state.maxKeyCode);
    int opcode = 0;
    int errorBase = 0;
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    if (XkbQueryExtension(state.display, &opcode, &state.xkbEventBase, &errorBase, &major, &minor)) {
        // A new keymap or another layout group can move the keys of the defaults.
        const unsigned long keymapChanges = XkbNewKeyboardNotifyMask | XkbMapNotifyMask;
        XkbSelectEvents(state.display, XkbUseCoreKbd, keymapChanges, keymapChanges);
        XkbSelectEventDetails(state.display, XkbUseCoreKbd, XkbStateNotify, XkbGroupStateMask, XkbGroupStateMask);
        // A held key then repeats as presses alone, without a release before each.
        XkbSetDetectableAutoRepeat(state.display, True, nullptr);
    } else {
        state.xkbEventBase = -1;
    }
    state.numLock = numLockMask(state.display);
    return true;
}

int X11KeyGrabs::fileDescriptor() const {
    return m_state->display != nullptr ? ConnectionNumber(m_state->display) : -1;
}

std::optional<X11KeyGrabs::Grab> X11KeyGrabs::grabFor(ShortcutAction action, const KeyCombination& combination) const {
    if (keyModifiersOf(combination.modifiersRawValue).toInt() != combination.modifiersRawValue ||
        combination.keyCode < m_state->minKeyCode || combination.keyCode > m_state->maxKeyCode) {
        return std::nullopt;
    }
    return Grab{action, quint8(combination.keyCode), quint16(maskOf(keyModifiersOf(combination.modifiersRawValue)))};
}

const std::vector<X11KeyGrabs::Grab>& X11KeyGrabs::grabbed() const {
    return m_state->grabbed;
}

QList<ShortcutAction> X11KeyGrabs::replace(const std::vector<Grab>& grabs) {
    m_state->ungrab(m_state->grabbed);
    m_state->grabbed = grabs;
    return m_state->grab(grabs);
}

QList<ShortcutAction> X11KeyGrabs::retake(const QList<ShortcutAction>& actions) {
    std::vector<Grab> retaken;
    for (const Grab& each : m_state->grabbed) {
        if (actions.contains(each.action)) {
            retaken.push_back(each);
        }
    }
    return m_state->grab(retaken);
}

void X11KeyGrabs::release() {
    m_state->ungrab(m_state->grabbed);
    xcb_ungrab_keyboard(m_state->connection, XCB_CURRENT_TIME);
    XSync(m_state->display, False);
    m_state->grabbed.clear();
    m_state->down.reset();
}

X11KeyGrabs::Events X11KeyGrabs::readEvents() {
    State& state = *m_state;
    Events events;
    while (XPending(state.display) > 0) {
        XEvent event;
        XNextEvent(state.display, &event);
        if (event.type == KeyPress || event.type == KeyRelease) {
            const unsigned int keyCode = event.xkey.keycode;
            if (keyCode >= keyCount) {
                continue;
            }
            if (event.type == KeyRelease) {
                state.down.reset(keyCode);
                continue;
            }
            const bool repeat = state.down.test(keyCode);
            state.down.set(keyCode);
            events.presses.append(state.keyDown(quint16(keyCode), event.xkey.state, repeat));
        } else if (event.type == MappingNotify) {
            XRefreshKeyboardMapping(&event.xmapping);
            events.keymapChanged = true;
        } else if (state.xkbEventBase >= 0 && event.type == state.xkbEventBase) {
            events.keymapChanged = true;
        }
    }
    if (events.keymapChanged) {
        const unsigned int numLock = numLockMask(state.display);
        if (numLock != state.numLock) {
            state.ungrab(state.grabbed);
            state.grabbed.clear();
            state.numLock = numLock;
        }
    }
    return events;
}

} // namespace sorvu
