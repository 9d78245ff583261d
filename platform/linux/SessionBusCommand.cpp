// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/SessionBusCommand.h"

#include "engine/Log.h"
#include "platform/linux/SessionBusControl.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDeadlineTimer>

#include <time.h>

namespace sorvu {

namespace {

const QString propertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

// The methods that carry the time they were sent, for the commands that paste.
const QHash<QString, QString> datedMethods = {
    {QStringLiteral("PasteNext"), QStringLiteral("PasteNextSentAt")},
    {QStringLiteral("PasteAll"), QStringLiteral("PasteAllSentAt")},
};

void print(std::FILE* stream, const QString& text) {
    if (stream != nullptr) {
        std::fputs(text.toLocal8Bit().constData(), stream);
    }
}

bool meansNoOwner(const QDBusMessage& reply) {
    return reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
           reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner");
}

} // namespace

quint64 SessionBusCommand::bootTimeMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return quint64(now.tv_sec) * 1000000u + quint64(now.tv_nsec) / 1000u;
}

bool SessionBusCommand::isTooLate(quint64 sentAt, quint64 now) {
    const auto lifetime = quint64(std::chrono::microseconds(pasteLifetime).count());
    return sentAt > now || now - sentAt > lifetime;
}

SessionBusCommand::Outcome SessionBusCommand::send(const QString& sessionKey, std::FILE* output,
                                                   std::FILE* errors) const {
    const QDeadlineTimer timeLeft(deadline);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (sessionKey.isEmpty() || !bus.isConnected()) {
        print(errors, QStringLiteral("sorvu: Sorvu is not running in this session.\n"));
        return notRunning;
    }
    // Plain messages rather than an interface object, which would first ask the other side to describe
    // itself, with the bus's own 25 s wait.
    const QString service = SessionBusControl::sessionServiceName(sessionKey);
    const bool status = method == QLatin1String("Status");
    QDBusMessage call = QDBusMessage::createMethodCall(
        service, SessionBusControl::objectPath, status ? propertiesInterface : SessionBusControl::interfaceName,
        status ? QStringLiteral("GetAll") : datedMethods.value(method, method));
    if (status) {
        call << SessionBusControl::interfaceName;
    } else if (!argument.isNull()) {
        call << argument;
    }
    if (datedMethods.contains(method)) {
        call << qulonglong(bootTimeMicroseconds());
    }
    const QDBusMessage reply = bus.call(call, QDBus::Block, int(qMax<qint64>(timeLeft.remainingTime(), 1)));
    if (reply.type() == QDBusMessage::ErrorMessage) {
        // Another session's Sorvu has a name of its own: none here means none runs in this session.
        if (meansNoOwner(reply)) {
            print(errors, QStringLiteral("sorvu: Sorvu is not running in this session.\n"));
            return notRunning;
        }
        print(errors, reply.errorName() == SessionBusControl::tooLateError
                          ? QStringLiteral("sorvu: %1\n").arg(reply.errorMessage())
                          : QStringLiteral("sorvu: Sorvu did not answer: %1\n").arg(reply.errorMessage()));
        return failed;
    }
    if (status) {
        const QVariantMap state =
            reply.arguments().isEmpty() ? QVariantMap() : qdbus_cast<QVariantMap>(reply.arguments().constFirst());
        print(output, QStringLiteral("collecting=%1\nqueueCount=%2\n")
                          .arg(boolText(state.value(QStringLiteral("Collecting")).toBool()))
                          .arg(state.value(QStringLiteral("QueueCount")).toInt()));
    }
    return done;
}

} // namespace sorvu
