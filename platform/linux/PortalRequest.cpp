// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/PortalRequest.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QRandomGenerator>

namespace sorvu {

namespace {

const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");
// The call returns the request's handle at once; only its Response may take long.
constexpr int callAnswerMilliseconds = 5000;

} // namespace

PortalRequest::PortalRequest(QDBusConnection bus, std::function<void(const Answer&)> done, QObject* parent)
    : QObject(parent), m_bus(std::move(bus)), m_done(std::move(done)) {}

QString PortalRequest::newToken() {
    static quint32 counter = 0;
    return QStringLiteral("sorvu%1_%2").arg(++counter).arg(QRandomGenerator::global()->generate());
}

PortalRequest::Outcome PortalRequest::outcomeOfResponse(uint response) {
    switch (response) {
    case 0:
        return Outcome::granted;
    case 1:
        return Outcome::refused;
    default:
        return Outcome::failed;
    }
}

bool PortalRequest::listen(const QString& path) {
    if (m_paths.contains(path)) {
        return true;
    }
    m_paths.append(path);
    // Any sender: naming the portal's service would make Qt ask the bus for its owner and wait for the answer.
    return m_bus.connect(QString(), path, requestInterface, QStringLiteral("Response"), this,
                         SLOT(response(uint, QVariantMap)));
}

void PortalRequest::call(QDBusConnection bus, const QString& interface, const QString& method,
                         const QVariantList& arguments, QVariantMap options, QObject* context,
                         std::function<void(const Answer&)> done) {
    auto* request = new PortalRequest(bus, std::move(done), context);
    const QString token = newToken();
    options.insert(QStringLiteral("handle_token"), token);
    // The request object's path follows from the token; listening before the call means no answer can come
    // before we hear it.
    QString sender = bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    request->listen(QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token));

    QDBusMessage message = QDBusMessage::createMethodCall(service, objectPath, interface, method);
    message.setArguments(arguments + QVariantList{options});
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, callAnswerMilliseconds), request);
    connect(watcher, &QDBusPendingCallWatcher::finished, request, [request](QDBusPendingCallWatcher* finished) {
        finished->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *finished;
        if (reply.isError()) {
            request->finish({Outcome::callFailed, {}, reply.error().name()});
        } else if (!request->listen(reply.value().path())) {
            // A portal older than handle tokens names a request of its own choosing.
            request->finish({Outcome::callFailed, {}, QStringLiteral("org.freedesktop.DBus.Error.Failed")});
        }
    });
}

void PortalRequest::response(uint code, const QVariantMap& results) {
    finish({outcomeOfResponse(code), results, {}});
}

void PortalRequest::finish(const Answer& answer) {
    if (!m_done) {
        return;
    }
    for (const QString& path : std::as_const(m_paths)) {
        m_bus.disconnect(QString(), path, requestInterface, QStringLiteral("Response"), this,
                         SLOT(response(uint, QVariantMap)));
    }
    const std::function<void(const Answer&)> done = std::exchange(m_done, nullptr);
    deleteLater();
    done(answer);
}

} // namespace sorvu
