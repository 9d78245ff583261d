// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11DisplayCheck.h"

#include <X11/Xlib.h>

namespace sorvu {

std::optional<QString> x11SessionProblem(const QString& displayName) {
    const QByteArray name = displayName.toLocal8Bit();
    if (name.isEmpty()) {
        return QStringLiteral("Sorvu needs an X11 session, and DISPLAY is not set.");
    }
    Display* display = XOpenDisplay(name.constData());
    if (!display) {
        return QStringLiteral("Sorvu needs an X11 session, and the X display \"%1\" cannot be opened.")
            .arg(QString::fromLocal8Bit(name));
    }
    XCloseDisplay(display);
    return std::nullopt;
}

} // namespace sorvu
