// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11InputAccess.h"

#include "platform/x11/X11Access.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>

namespace sorvu {

namespace {

// Asked on a connection of its own: announcing an XInput version on Qt's connection could clash with
// the version Qt announced there itself.
bool serverHasXInput2(const char* displayName) {
    Display* connection = XOpenDisplay(displayName);
    if (connection == nullptr) {
        return false;
    }
    int opcode = 0;
    int eventBase = 0;
    int errorBase = 0;
    bool available = false;
    if (XQueryExtension(connection, "XInputExtension", &opcode, &eventBase, &errorBase) == True) {
        int major = 2;
        int minor = 0;
        available = XIQueryVersion(connection, &major, &minor) == Success && major >= 2;
    }
    XCloseDisplay(connection);
    return available;
}

} // namespace

bool hasX11InputAccess() {
    Display* display = x11::qtDisplay();
    if (display == nullptr) {
        return false;
    }
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor) != True) {
        return false;
    }
    // Extensions do not come and go while a server runs: one look per process is enough.
    static const bool xinput2 = serverHasXInput2(DisplayString(display));
    return xinput2;
}

} // namespace sorvu
