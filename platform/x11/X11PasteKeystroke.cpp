// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11PasteKeystroke.h"

#include "platform/x11/X11Access.h"
#include "platform/x11/X11KeyboardLayout.h"

#include <QList>
#include <QSet>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace sorvu {

namespace {

bool hasXTest(Display* display) {
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    return XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor) == True;
}

bool isLockKey(Display* display, int keyCode) {
    const KeySym symbol = XkbKeycodeToKeysym(display, KeyCode(keyCode), 0, 0);
    return symbol == XK_Caps_Lock || symbol == XK_Num_Lock;
}

QList<int> nonLockKeysDown(Display* display) {
    char keys[32] = {};
    XQueryKeymap(display, keys);
    QList<int> down;
    for (int keyCode = 8; keyCode < 256; ++keyCode) {
        if ((keys[keyCode / 8] & (1 << (keyCode % 8))) != 0 && !isLockKey(display, keyCode)) {
            down.append(keyCode);
        }
    }
    return down;
}

void postKey(Display* display, quint16 keyCode, bool press) {
    XTestFakeKeyEvent(display, keyCode, press ? True : False, CurrentTime);
}

// The key code of a key symbol, or the key of a PC keyboard for a keymap without that symbol.
quint16 keyCodeOf(Display* display, KeySym symbol, quint16 pcKeyCode) {
    const KeyCode code = XKeysymToKeycode(display, symbol);
    return code != 0 ? quint16(code) : pcKeyCode;
}

} // namespace

std::optional<std::function<void()>> makeX11PasteKeystroke(PasteKeys keys) {
    Display* display = x11::qtDisplay();
    if (display == nullptr || !hasXTest(display)) {
        return std::nullopt;
    }
    // Modifiers first, in order, then the key; released in reverse.
    QList<quint16> sequence;
    switch (keys) {
    case PasteKeys::controlV:
        sequence = {keyCodeOf(display, XK_Control_L, 37), X11KeyboardLayout::shared().keyCodeTypingV()};
        break;
    case PasteKeys::controlShiftV:
        sequence = {keyCodeOf(display, XK_Control_L, 37), keyCodeOf(display, XK_Shift_L, 50),
                    X11KeyboardLayout::shared().keyCodeTypingV()};
        break;
    case PasteKeys::shiftInsert:
        sequence = {keyCodeOf(display, XK_Shift_L, 50), keyCodeOf(display, XK_Insert, 118)};
        break;
    }
    return [display, sequence] {
        // The application may have lost its display in between (it is shutting down): post nothing then.
        if (x11::qtDisplay() != display) {
            return;
        }
        for (const int keyCode : nonLockKeysDown(display)) {
            postKey(display, quint16(keyCode), false);
        }
        for (const quint16 keyCode : sequence) {
            postKey(display, keyCode, true);
        }
        for (auto keyCode = sequence.crbegin(); keyCode != sequence.crend(); ++keyCode) {
            postKey(display, *keyCode, false);
        }
        // Handled by the server before the caller takes its shortcut grabs again.
        XSync(display, False);
    };
}

QSet<quint16> x11KeysDown() {
    Display* display = x11::qtDisplay();
    QSet<quint16> down;
    if (display != nullptr) {
        for (const int keyCode : nonLockKeysDown(display)) {
            down.insert(quint16(keyCode));
        }
    }
    return down;
}

} // namespace sorvu
