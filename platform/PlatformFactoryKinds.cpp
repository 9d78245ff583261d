// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/PlatformFactory.h"

#include "platform/wayland/WaylandSessionKind.h"
#include "platform/x11/X11SessionKind.h"

namespace sorvu {

PlatformFactory PlatformFactory::forThisSystem() {
    static const WaylandSessionKind wayland;
    static const X11SessionKind x11;
    return PlatformFactory({&wayland, &x11});
}

} // namespace sorvu
