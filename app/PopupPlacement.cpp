// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/PopupPlacement.h"

#include <algorithm>

namespace sorvu {

namespace {

// Space between the icon and the popup.
constexpr int gap = 4;

} // namespace

QPoint popupPosition(const QRect& trayIcon, QSize popup, const QRect& availableArea, QPoint pointer) {
    const QRect anchor = trayIcon.isEmpty() ? QRect(pointer, QSize(1, 1)) : trayIcon;
    const bool opensDownwards = anchor.center().y() < availableArea.center().y();
    int x = anchor.center().x() - popup.width() / 2;
    int y = opensDownwards ? anchor.bottom() + 1 + gap : anchor.top() - gap - popup.height();
    // Left and top win when the popup is larger than the area.
    x = std::max(availableArea.left(), std::min(x, availableArea.right() + 1 - popup.width()));
    y = std::max(availableArea.top(), std::min(y, availableArea.bottom() + 1 - popup.height()));
    return {x, y};
}

} // namespace sorvu
