#pragma once

#include <QString>

namespace sorvu {

// Shows a short message through the desktop's notification service (org.freedesktop.Notifications on the
// session bus). Waits for the service at most half a second; without one, nothing is shown.
void showDesktopNotification(const QString& title, const QString& text);

} // namespace sorvu
