// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11RawInputConnection.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <array>

namespace sorvu {

X11RawInputConnection::~X11RawInputConnection() {
    if (m_display != nullptr) {
        XCloseDisplay(m_display);
    }
}

std::optional<QString> X11RawInputConnection::open(const QByteArray& displayName, const QList<int>& rawEventTypes) {
    m_display = XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData());
    if (m_display == nullptr) {
        return QStringLiteral("noDisplay");
    }
    int event = 0;
    int error = 0;
    if (!XQueryExtension(m_display, "XInputExtension", &m_inputOpcode, &event, &error)) {
        m_inputOpcode = -1;
        return QStringLiteral("noXInput2");
    }
    // Raw events reach root windows without a grab only from XInput 2.1 on.
    int major = 2;
    int minor = 2;
    if (XIQueryVersion(m_display, &major, &minor) != Success || (major == 2 && minor < 1)) {
        m_inputOpcode = -1;
        return QStringLiteral("noXInput2");
    }
    std::array<unsigned char, XIMaskLen(XI_LASTEVENT)> bits{};
    for (const int type : rawEventTypes) {
        XISetMask(bits.data(), type);
    }
    // Master devices only: each press arrives once, whichever device (or XTest) produced it.
    XIEventMask mask{XIAllMasterDevices, int(bits.size()), bits.data()};
    XISelectEvents(m_display, DefaultRootWindow(m_display), &mask, 1);
    return std::nullopt;
}

} // namespace sorvu
