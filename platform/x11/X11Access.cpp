// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11Access.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

namespace sorvu::x11 {

namespace {

QNativeInterface::QX11Application* qtX11() {
    return qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
}

} // namespace

_XDisplay* qtDisplay() {
    auto* x11 = qtX11();
    return x11 != nullptr ? x11->display() : nullptr;
}

xcb_connection_t* qtConnection() {
    auto* x11 = qtX11();
    return x11 != nullptr ? x11->connection() : nullptr;
}

} // namespace sorvu::x11
