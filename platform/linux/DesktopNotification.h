// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace sorvu {

// Shows a short message through the desktop's notification service (org.freedesktop.Notifications on the
// session bus); without one, nothing is shown. A program about to exit waits for the service (at most half
// a second), so that the message is out before it goes; otherwise the call returns at once.
enum class NotificationDelivery { beforeReturning, inBackground };
void showDesktopNotification(const QString& title, const QString& text, NotificationDelivery delivery);

} // namespace sorvu
