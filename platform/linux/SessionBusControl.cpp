// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/SessionBusControl.h"

#include "SessionBusAdaptor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

namespace sorvu {

SessionBusControl::SessionBusControl(RemoteControl& control, QObject* parent)
    : QObject(parent), m_control(control), m_publishedCollecting(control.isCollecting()),
      m_publishedQueueCount(control.queueCount()) {
    new SessionBusAdaptor(this);
}

SessionBusControl::~SessionBusControl() {
    if (m_registered) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.unregisterService(serviceName);
        bus.unregisterObject(objectPath);
    }
}

bool SessionBusControl::registerOnSessionBus() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.registerObject(objectPath, this)) {
        return false;
    }
    if (!bus.registerService(serviceName)) {
        bus.unregisterObject(objectPath);
        return false;
    }
    m_registered = true;
    return true;
}

void SessionBusControl::publishState() {
    QVariantMap changed;
    if (m_publishedCollecting != m_control.isCollecting()) {
        m_publishedCollecting = m_control.isCollecting();
        changed.insert(QStringLiteral("Collecting"), m_publishedCollecting);
    }
    if (m_publishedQueueCount != m_control.queueCount()) {
        m_publishedQueueCount = m_control.queueCount();
        changed.insert(QStringLiteral("QueueCount"), m_publishedQueueCount);
    }
    if (changed.isEmpty() || !m_registered) {
        return;
    }
    QDBusMessage signal = QDBusMessage::createSignal(objectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << interfaceName << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

} // namespace sorvu
