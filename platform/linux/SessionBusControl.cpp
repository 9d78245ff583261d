// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/SessionBusControl.h"

#include "SessionBusAdaptor.h"
#include "engine/Log.h"
#include "platform/linux/SessionBusCommand.h"

#include <QCryptographicHash>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace sorvu {

namespace {

const QString busService = QStringLiteral("org.freedesktop.DBus");
const QString busPath = QStringLiteral("/org/freedesktop/DBus");
const QString busInterface = QStringLiteral("org.freedesktop.DBus");

// The bus answers at once unless it is in trouble; the main thread never waits for it in any case.
constexpr int busAnswerMilliseconds = 2000;
constexpr qsizetype longestBusName = 255;

// RequestName's answers.
constexpr uint primaryOwner = 1;
constexpr uint inQueue = 2;
constexpr uint alreadyOwner = 4;

} // namespace

QString SessionBusControl::sessionServiceName(const QString& sessionKey) {
    const QString prefix = serviceName + QStringLiteral(".Session.");
    // An element of a bus name may not start with a digit: "s" comes first.
    QString element = QStringLiteral("s");
    for (const char byte : sessionKey.toUtf8()) {
        const auto code = uchar(byte);
        const bool letterOrDigit =
            (code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9');
        if (letterOrDigit) {
            element += QChar(code);
        } else {
            element += QStringLiteral("_%1").arg(code, 2, 16, QLatin1Char('0')).toUpper();
        }
    }
    if (prefix.size() + element.size() > longestBusName) {
        element =
            QStringLiteral("h") +
            QString::fromLatin1(QCryptographicHash::hash(sessionKey.toUtf8(), QCryptographicHash::Sha256).toHex());
    }
    return prefix + element;
}

SessionBusControl::SessionBusControl(RemoteControl& control, QString sessionKey, QObject* parent)
    : QObject(parent), m_control(control), m_sessionKey(std::move(sessionKey)),
      m_publishedCollecting(control.isCollecting()), m_publishedQueueCount(control.queueCount()) {
    new SessionBusAdaptor(this);
}

SessionBusControl::~SessionBusControl() {
    if (!m_registered) {
        return;
    }
    // Without waiting for the bus: the next Sorvu in the queue gets the well-known name at once.
    QDBusConnection bus = QDBusConnection::sessionBus();
    for (const QString& name : {sessionServiceName(m_sessionKey), serviceName}) {
        QDBusMessage release =
            QDBusMessage::createMethodCall(busService, busPath, busInterface, QStringLiteral("ReleaseName"));
        release << name;
        release.setAutoStartService(false);
        bus.send(release);
    }
    bus.unregisterObject(objectPath);
}

bool SessionBusControl::registerOnSessionBus() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.registerObject(objectPath, this)) {
        return false;
    }
    m_registered = true;
    bus.connect(busService, busPath, busInterface, QStringLiteral("NameAcquired"), this, SLOT(nameAcquired(QString)));
    requestName(sessionServiceName(m_sessionKey));
    requestName(serviceName);
    return true;
}

void SessionBusControl::requestName(const QString& name) {
    QDBusMessage request =
        QDBusMessage::createMethodCall(busService, busPath, busInterface, QStringLiteral("RequestName"));
    // No flags: never take a name from its owner, never let it be taken, and wait in the queue while another
    // holds it (for the session's own name, a Sorvu of this session that is just quitting).
    request << name << uint(0);
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(request, busAnswerMilliseconds), this);
    connect(
        watcher, &QDBusPendingCallWatcher::finished, this, [this, name](QDBusPendingCallWatcher* finished) {
            finished->deleteLater();
            const QDBusPendingReply<uint> reply = *finished;
            if (reply.isError()) {
                qCWarning(lcUi).noquote()
                    << QStringLiteral("session bus name unavailable name=%1 error=%2").arg(name, reply.error().name());
            } else if (reply.value() == primaryOwner || reply.value() == alreadyOwner) {
                qCInfo(lcUi).noquote() << QStringLiteral("session bus name acquired name=%1").arg(name);
            } else if (reply.value() == inQueue) {
                m_queuedNames.insert(name);
                qCInfo(lcUi).noquote() << QStringLiteral("session bus name queued name=%1").arg(name);
            }
        });
}

void SessionBusControl::nameAcquired(const QString& name) {
    // Also sent for names granted at once, which their request's answer reports.
    if (m_queuedNames.remove(name)) {
        qCInfo(lcUi).noquote() << QStringLiteral("session bus name acquired name=%1").arg(name);
    }
}

void SessionBusControl::PasteNextSentAt(qulonglong sentAt) {
    if (arrivedInTime(sentAt, "PasteNext")) {
        m_control.pasteNext();
    }
}

void SessionBusControl::PasteAllSentAt(const QString& separator, qulonglong sentAt) {
    if (arrivedInTime(sentAt, "PasteAll")) {
        m_control.pasteAll(separator);
    }
}

bool SessionBusControl::arrivedInTime(qulonglong sentAt, const char* method) const {
    const quint64 now = SessionBusCommand::bootTimeMicroseconds();
    if (!SessionBusCommand::isTooLate(sentAt, now)) {
        return true;
    }
    const qint64 ageMilliseconds = (qint64(now) - qint64(sentAt)) / 1000;
    qCWarning(lcUi).noquote() << QStringLiteral("paste request dropped as too late method=%1 ageMilliseconds=%2")
                                     .arg(QLatin1String(method))
                                     .arg(ageMilliseconds);
    // A caller that still waits must not report a paste that never comes as done.
    if (calledFromDBus()) {
        sendErrorReply(
            tooLateError,
            QStringLiteral("the paste reached Sorvu %1 ms after it was sent and was dropped").arg(ageMilliseconds));
    }
    return false;
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
