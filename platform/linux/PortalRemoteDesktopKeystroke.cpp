// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/PortalRemoteDesktopKeystroke.h"

#include "engine/Log.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

namespace sorvu {

PortalRemoteDesktopKeystroke::PortalRemoteDesktopKeystroke(QDBusConnection bus, std::shared_ptr<QSettings> settings,
                                                           KeyCodeForCharacter keyCodeForCharacter, QObject* parent)
    : RemoteDesktopKeystroke(std::move(bus), std::move(keyCodeForCharacter), parent), m_settings(std::move(settings)) {}

PortalRemoteDesktopKeystroke::~PortalRemoteDesktopKeystroke() {
    closeSession();
}

bool PortalRemoteDesktopKeystroke::granted(const PortalRequest::Answer& answer, const QString& step) {
    switch (answer.outcome) {
    case PortalRequest::Outcome::granted:
        return true;
    case PortalRequest::Outcome::refused:
        setState(State::refused, QStringLiteral("step=%1").arg(step));
        break;
    case PortalRequest::Outcome::failed:
        setState(State::unavailable, QStringLiteral("step=%1").arg(step));
        break;
    case PortalRequest::Outcome::callFailed:
        setState(State::unavailable, QStringLiteral("step=%1 error=%2").arg(step, answer.error));
        break;
    }
    closeSession();
    return false;
}

void PortalRemoteDesktopKeystroke::openSession() {
    const quint64 attempt = ++m_attempt;
    if (!m_bus.isConnected()) {
        setState(State::unavailable, QStringLiteral("error=no session bus"));
        return;
    }
    // The version first: it says whether the portal exists and whether it can remember the user's answer.
    QDBusMessage get =
        QDBusMessage::createMethodCall(PortalRequest::service, PortalRequest::objectPath,
                                       QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << interfaceName << QStringLiteral("version");
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(get, callAnswerMilliseconds), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, attempt](QDBusPendingCallWatcher* finished) {
        finished->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *finished;
        if (attempt != m_attempt) {
            return;
        }
        if (reply.isError()) {
            setState(State::unavailable, QStringLiteral("step=version error=%1").arg(reply.error().name()));
            return;
        }
        m_version = reply.value().variant().toUInt();
        ask(QStringLiteral("CreateSession"), {}, {{QStringLiteral("session_handle_token"), PortalRequest::newToken()}},
            [this](const PortalRequest::Answer& answer) { sessionCreated(answer); });
    });
}

void PortalRemoteDesktopKeystroke::ask(const QString& method, const QVariantList& arguments, const QVariantMap& options,
                                       std::function<void(const PortalRequest::Answer&)> next) {
    const quint64 attempt = m_attempt;
    PortalRequest::call(m_bus, interfaceName, method, arguments, options, this,
                        [this, attempt, method, next = std::move(next)](const PortalRequest::Answer& answer) {
                            if (attempt == m_attempt && granted(answer, method)) {
                                next(answer);
                            }
                        });
}

void PortalRemoteDesktopKeystroke::sessionCreated(const PortalRequest::Answer& answer) {
    m_session = answer.results.value(QStringLiteral("session_handle")).toString();
    m_bus.connect(QString(), m_session, PortalRequest::sessionInterface, QStringLiteral("Closed"), this,
                  SLOT(onSessionClosed()));
    QVariantMap options{{QStringLiteral("types"), keyboardDevice}};
    if (m_version >= 2) {
        options.insert(QStringLiteral("persist_mode"), persistUntilRevoked);
        const QString token = m_settings ? m_settings->value(restoreTokenKey).toString() : QString();
        if (!token.isEmpty()) {
            options.insert(QStringLiteral("restore_token"), token);
        }
    }
    ask(QStringLiteral("SelectDevices"), {QVariant::fromValue(QDBusObjectPath(m_session))}, options,
        [this](const PortalRequest::Answer&) { startSession(); });
}

void PortalRemoteDesktopKeystroke::startSession() {
    setState(State::waitingForConsent);
    ask(QStringLiteral("Start"), {QVariant::fromValue(QDBusObjectPath(m_session)), QString()}, {},
        [this](const PortalRequest::Answer& answer) { started(answer); });
}

void PortalRemoteDesktopKeystroke::started(const PortalRequest::Answer& answer) {
    if ((answer.results.value(QStringLiteral("devices")).toUInt() & keyboardDevice) == 0) {
        setState(State::refused, QStringLiteral("step=Start devices=none"));
        closeSession();
        return;
    }
    const QString token = answer.results.value(QStringLiteral("restore_token")).toString();
    if (m_settings && !token.isEmpty()) {
        // A token is good for one restore: each start hands out the next.
        m_settings->setValue(restoreTokenKey, token);
    }
    setState(State::ready, QStringLiteral("version=%1 restoreToken=%2").arg(m_version).arg(boolText(!token.isEmpty())));
}

QDBusMessage PortalRemoteDesktopKeystroke::keyMessage(quint32 code, bool pressed) const {
    QDBusMessage notify = QDBusMessage::createMethodCall(PortalRequest::service, PortalRequest::objectPath,
                                                         interfaceName, QStringLiteral("NotifyKeyboardKeycode"));
    notify << QVariant::fromValue(QDBusObjectPath(m_session)) << QVariantMap() << int(code) << uint(pressed ? 1 : 0);
    return notify;
}

void PortalRemoteDesktopKeystroke::closeSession() {
    if (m_session.isEmpty()) {
        return;
    }
    m_bus.disconnect(QString(), m_session, PortalRequest::sessionInterface, QStringLiteral("Closed"), this,
                     SLOT(onSessionClosed()));
    m_bus.asyncCall(QDBusMessage::createMethodCall(PortalRequest::service, m_session, PortalRequest::sessionInterface,
                                                   QStringLiteral("Close")));
    m_session.clear();
}

void PortalRemoteDesktopKeystroke::onSessionClosed() {
    m_session.clear();
    ++m_attempt;
    setState(State::closed, QStringLiteral("step=Closed"));
}

} // namespace sorvu
