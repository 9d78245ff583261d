// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/DesktopNotification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QStringList>
#include <QVariantMap>

namespace sorvu {

void showDesktopNotification(const QString& title, const QString& text, NotificationDelivery delivery) {
    constexpr int replyTimeoutMilliseconds = 500;
    constexpr int displayMilliseconds = 5000;
    QDBusMessage notify = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    notify << title << 0u << QStringLiteral("edit-paste") << title << text << QStringList() << QVariantMap()
           << displayMilliseconds;
    if (delivery == NotificationDelivery::beforeReturning) {
        QDBusConnection::sessionBus().call(notify, QDBus::Block, replyTimeoutMilliseconds);
    } else {
        QDBusConnection::sessionBus().asyncCall(notify, replyTimeoutMilliseconds);
    }
}

} // namespace sorvu
