// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/integration/support/X11ServerState.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <X11/Xlib.h>

namespace sorvu::test {

namespace {

Display* qtDisplay() {
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 != nullptr ? x11->display() : nullptr;
}

} // namespace

unsigned long clipboardOwnerWindow() {
    Display* display = qtDisplay();
    return display != nullptr ? XGetSelectionOwner(display, XInternAtom(display, "CLIPBOARD", False)) : 0;
}

QList<int> keyCodesDown() {
    QList<int> down;
    Display* display = qtDisplay();
    if (display == nullptr) {
        return down;
    }
    char keys[32] = {};
    XQueryKeymap(display, keys);
    for (int keyCode = 8; keyCode < 256; ++keyCode) {
        if ((keys[keyCode / 8] & (1 << (keyCode % 8))) != 0) {
            down.append(keyCode);
        }
    }
    return down;
}

} // namespace sorvu::test
