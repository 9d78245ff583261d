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

} // namespace

std::optional<std::function<void()>> makeX11PasteKeystroke() {
    Display* display = x11::qtDisplay();
    if (display == nullptr || !hasXTest(display)) {
        return std::nullopt;
    }
    const quint16 vKey = X11KeyboardLayout::shared().keyCodeTypingV();
    const KeyCode controlCode = XKeysymToKeycode(display, XK_Control_L);
    // 37 is the left Control of a PC keyboard, for a keymap without a Control_L symbol.
    const quint16 controlKey = controlCode != 0 ? quint16(controlCode) : quint16(37);
    return [display, vKey, controlKey] {
        // The application may have lost its display in between (it is shutting down): post nothing then.
        if (x11::qtDisplay() != display) {
            return;
        }
        for (const int keyCode : nonLockKeysDown(display)) {
            postKey(display, quint16(keyCode), false);
        }
        postKey(display, controlKey, true);
        postKey(display, vKey, true);
        postKey(display, vKey, false);
        postKey(display, controlKey, false);
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
