// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/DesktopBoundShortcuts.h"

#include "engine/Log.h"

namespace sorvu {

void DesktopBoundShortcuts::start() {
    if (m_started) {
        return;
    }
    m_started = true;
    qCInfo(lcUi).noquote() << QStringLiteral("global shortcuts come from the desktop's key bindings");
}

} // namespace sorvu
