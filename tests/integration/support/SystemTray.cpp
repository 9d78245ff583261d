// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/integration/support/SystemTray.h"

#include <QByteArray>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace sorvu::test {

bool trayHostRuns() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        return false;
    }
    const Atom tray = XInternAtom(display, "_NET_SYSTEM_TRAY_S0", False);
    const bool owned = XGetSelectionOwner(display, tray) != 0;
    XCloseDisplay(display);
    return owned;
}

std::optional<unsigned long> viewableSorvuWindow(Display* display, unsigned long window, int minimumWidth) {
    XClassHint hint{};
    XWindowAttributes attributes{};
    if (XGetClassHint(display, window, &hint) != 0) {
        const bool ours = hint.res_name != nullptr && QByteArray(hint.res_name) == "sorvu";
        XFree(hint.res_name);
        XFree(hint.res_class);
        if (ours && XGetWindowAttributes(display, window, &attributes) != 0 && attributes.map_state == IsViewable &&
            attributes.width >= minimumWidth) {
            return window;
        }
    }
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::optional<unsigned long> found;
    if (XQueryTree(display, window, &root, &parent, &children, &count) != 0) {
        for (unsigned int index = 0; index < count && !found; ++index) {
            found = viewableSorvuWindow(display, children[index], minimumWidth);
        }
        XFree(children);
    }
    return found;
}

std::optional<unsigned long> sorvuTrayIconWindow(Display* display, unsigned long window) {
    return viewableSorvuWindow(display, window, 8);
}

bool sorvuTrayIconShown() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        return false;
    }
    const bool shown = sorvuTrayIconWindow(display, DefaultRootWindow(display)).has_value();
    XCloseDisplay(display);
    return shown;
}

} // namespace sorvu::test
