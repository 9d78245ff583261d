// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/RemoteControl.h"

#include <QDBusContext>
#include <QObject>
#include <QSet>

namespace sorvu {

// Sorvu's actions and state on the session bus: the object /org/sorvu/Sorvu with the interface described in
// org.sorvu.Sorvu.xml. One session bus may serve several of the user's sessions (systemd's user bus serves
// them all), each with a Sorvu of its own; so each Sorvu owns a name of its own session, which the command line
// calls, and the first one also the well-known org.sorvu.Sorvu for other programs. The others wait in the
// bus's queue for that name and take it over when its owner quits. The slots and properties below are the
// interface's own names, which the adaptor generated from that file calls.
class SessionBusControl : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_PROPERTY(bool Collecting READ collecting)
    Q_PROPERTY(int QueueCount READ queueCount)

public:
    static inline const QString serviceName = QStringLiteral("org.sorvu.Sorvu");
    static inline const QString objectPath = QStringLiteral("/org/sorvu/Sorvu");
    static inline const QString interfaceName = QStringLiteral("org.sorvu.Sorvu");
    // The error a dated paste that came too late is answered with.
    static inline const QString tooLateError = QStringLiteral("org.sorvu.Sorvu.Error.TooLate");

    // The name of the Sorvu of the session with this key (an X display, a Wayland socket), below
    // org.sorvu.Sorvu.Session: the key's letters and digits as they are, every other character as "_"
    // and its code in hexadecimal; a key too long for a bus name by a hash of it instead.
    static QString sessionServiceName(const QString& sessionKey);

    SessionBusControl(RemoteControl& control, QString sessionKey, QObject* parent = nullptr);
    ~SessionBusControl() override;

    // Exports the object and asks for both names, without waiting for the bus; the log tells which names
    // came. False when there is no session bus or the object cannot be exported.
    bool registerOnSessionBus();
    // Tells listeners which properties changed since the last call.
    void publishState();

    bool collecting() const { return m_control.isCollecting(); }
    int queueCount() const { return m_control.queueCount(); }

public slots:
    void ToggleCollecting() { m_control.toggleCollecting(); }
    void PasteNext() { m_control.pasteNext(); }
    void PasteAll(const QString& separator) { m_control.pasteAll(separator); }
    void PasteNextSentAt(qulonglong sentAt);
    void PasteAllSentAt(const QString& separator, qulonglong sentAt);
    void ShowPopup() { m_control.showPopup(); }
    void TogglePopup() { m_control.togglePopup(); }
    void Quit() { m_control.quit(); }

private slots:
    void nameAcquired(const QString& name);

private:
    void requestName(const QString& name);
    // False, with a log line and an error for the caller, for a paste that arrives too late.
    bool arrivedInTime(qulonglong sentAt, const char* method) const;

    RemoteControl& m_control;
    QString m_sessionKey;
    bool m_registered = false;
    // Names the bus put us in the queue for; it says when one comes.
    QSet<QString> m_queuedNames;
    bool m_publishedCollecting;
    int m_publishedQueueCount;
};

} // namespace sorvu
