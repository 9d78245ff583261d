// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/SessionBusCommand.h"

#include "platform/linux/SessionBusControl.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>

namespace sorvu {

namespace {

constexpr int answerTimeoutMilliseconds = 5000;

} // namespace

SessionBusCommand::Outcome SessionBusCommand::send(std::FILE* output, std::FILE* errors) const {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(SessionBusControl::serviceName)) {
        std::fprintf(errors, "sorvu: Sorvu is not running in this session.\n");
        return notRunning;
    }
    QDBusInterface sorvu(SessionBusControl::serviceName, SessionBusControl::objectPath,
                         SessionBusControl::interfaceName, bus);
    sorvu.setTimeout(answerTimeoutMilliseconds);
    if (method == QLatin1String("Status")) {
        // Read through the properties interface, as any other client reads them.
        QDBusInterface properties(SessionBusControl::serviceName, SessionBusControl::objectPath,
                                  QStringLiteral("org.freedesktop.DBus.Properties"), bus);
        properties.setTimeout(answerTimeoutMilliseconds);
        const QDBusReply<QVariantMap> state =
            properties.call(QStringLiteral("GetAll"), SessionBusControl::interfaceName);
        if (!state.isValid()) {
            std::fprintf(errors, "sorvu: Sorvu did not answer: %s\n", qPrintable(state.error().message()));
            return failed;
        }
        std::fprintf(output, "collecting=%s\nqueueCount=%d\n",
                     state.value().value(QStringLiteral("Collecting")).toBool() ? "true" : "false",
                     state.value().value(QStringLiteral("QueueCount")).toInt());
        return done;
    }
    const QDBusMessage reply = argument.isNull() ? sorvu.call(method) : sorvu.call(method, argument);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        std::fprintf(errors, "sorvu: Sorvu did not answer: %s\n", qPrintable(reply.errorMessage()));
        return failed;
    }
    return done;
}

} // namespace sorvu
