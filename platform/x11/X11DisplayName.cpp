// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11DisplayName.h"

#include "platform/x11/X11Access.h"

#include <X11/Xlib.h>

namespace sorvu {

QByteArray x11DisplayName() {
    if (Display* display = x11::qtDisplay(); display != nullptr) {
        return QByteArray(DisplayString(display));
    }
    return qgetenv("DISPLAY");
}

} // namespace sorvu
