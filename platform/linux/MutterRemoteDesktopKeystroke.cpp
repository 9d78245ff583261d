// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/MutterRemoteDesktopKeystroke.h"

#include "engine/Log.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>

namespace sorvu {

namespace {

// SupportedDeviceTypes: the keyboard's bit.
constexpr uint keyboardDevice = 1;

} // namespace

MutterRemoteDesktopKeystroke::MutterRemoteDesktopKeystroke(QDBusConnection bus, KeyCodeForCharacter keyCodeForCharacter,
                                                           QObject* parent)
    : RemoteDesktopKeystroke(std::move(bus), std::move(keyCodeForCharacter), parent) {}

MutterRemoteDesktopKeystroke::~MutterRemoteDesktopKeystroke() {
    closeSession();
}

void MutterRemoteDesktopKeystroke::callThen(QDBusMessage message, const char* step,
                                            std::function<void(const QDBusMessage&)> done) {
    const quint64 attempt = m_attempt;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(message, callAnswerMilliseconds), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, attempt, step, done = std::move(done)](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                if (attempt != m_attempt) {
                    return;
                }
                if (finished->isError()) {
                    setState(State::unavailable,
                             QStringLiteral("step=%1 error=%2").arg(QLatin1String(step), finished->error().name()));
                    closeSession();
                    return;
                }
                done(finished->reply());
            });
}

void MutterRemoteDesktopKeystroke::openSession() {
    ++m_attempt;
    if (!m_bus.isConnected()) {
        setState(State::unavailable, QStringLiteral("error=no session bus"));
        return;
    }
    QDBusMessage getAll = QDBusMessage::createMethodCall(
        service, objectPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
    getAll << service;
    // Never start mutter for this: it is the compositor, or it is not there.
    getAll.setAutoStartService(false);
    callThen(getAll, "version", [this](const QDBusMessage& reply) {
        const QVariantMap properties =
            reply.arguments().isEmpty() ? QVariantMap() : qdbus_cast<QVariantMap>(reply.arguments().constFirst());
        const int version = properties.value(QStringLiteral("Version")).toInt();
        const uint devices = properties.value(QStringLiteral("SupportedDeviceTypes"), keyboardDevice).toUInt();
        if (version < oldestVersion || version > newestVersion || (devices & keyboardDevice) == 0) {
            setState(State::unavailable,
                     QStringLiteral("step=version version=%1 devices=%2").arg(version).arg(devices));
            return;
        }
        callThen(QDBusMessage::createMethodCall(service, objectPath, service, QStringLiteral("CreateSession")),
                 "CreateSession", [this](const QDBusMessage& created) {
                     m_session = created.arguments().value(0).value<QDBusObjectPath>().path();
                     m_bus.connect(QString(), m_session, sessionInterface, QStringLiteral("Closed"), this,
                                   SLOT(onSessionClosed()));
                     callThen(
                         QDBusMessage::createMethodCall(service, m_session, sessionInterface, QStringLiteral("Start")),
                         "Start", [this](const QDBusMessage&) { setState(State::ready); });
                 });
    });
}

QDBusMessage MutterRemoteDesktopKeystroke::keyMessage(quint32 code, bool pressed) const {
    QDBusMessage notify =
        QDBusMessage::createMethodCall(service, m_session, sessionInterface, QStringLiteral("NotifyKeyboardKeycode"));
    notify << uint(code) << pressed;
    return notify;
}

void MutterRemoteDesktopKeystroke::closeSession() {
    if (m_session.isEmpty()) {
        return;
    }
    m_bus.disconnect(QString(), m_session, sessionInterface, QStringLiteral("Closed"), this, SLOT(onSessionClosed()));
    m_bus.asyncCall(QDBusMessage::createMethodCall(service, m_session, sessionInterface, QStringLiteral("Stop")));
    m_session.clear();
}

void MutterRemoteDesktopKeystroke::onSessionClosed() {
    m_session.clear();
    ++m_attempt;
    setState(State::closed, QStringLiteral("step=Closed"));
}

} // namespace sorvu
