// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/linux/PortalRequest.h"
#include "platform/linux/RemoteDesktopKeystroke.h"

#include <QDBusConnection>
#include <QSettings>

#include <functional>
#include <memory>

namespace sorvu {

// The paste keystroke through the RemoteDesktop portal (org.freedesktop.portal.RemoteDesktop) with a keyboard
// only. The desktop decides at Start: KDE Plasma lets an ordinary program in at once and shows a notification;
// GNOME asks the user in a dialog, once per session. Where the portal can remember the answer (version 2 and
// later), the token it gives back is kept in the settings and offered at the next start, so that the user is
// asked only once.
class PortalRemoteDesktopKeystroke : public RemoteDesktopKeystroke {
    Q_OBJECT

public:
    static inline const QString interfaceName = QStringLiteral("org.freedesktop.portal.RemoteDesktop");
    // The settings key of the portal's restore token.
    static inline const QString restoreTokenKey = QStringLiteral("remoteDesktopRestoreToken");
    // Device types and persist modes of the portal.
    static constexpr uint keyboardDevice = 1;
    static constexpr uint persistUntilRevoked = 2;

    PortalRemoteDesktopKeystroke(QDBusConnection bus, std::shared_ptr<QSettings> settings,
                                 KeyCodeForCharacter keyCodeForCharacter, QObject* parent = nullptr);
    ~PortalRemoteDesktopKeystroke() override;

    QString road() const override { return QStringLiteral("portal"); }
    // The portal's version, once known.
    uint version() const { return m_version; }

protected:
    void openSession() override;
    QDBusMessage keyMessage(quint32 code, bool pressed) const override;
    void closeSession() override;

private slots:
    void onSessionClosed();

private:
    // Moves on with the portal's answer, or to the state a failed step leads to; true when the answer was yes.
    bool granted(const PortalRequest::Answer& answer, const QString& step);
    // Calls a method of the portal; `next` gets a yes, unless the session was given up meanwhile.
    void ask(const QString& method, const QVariantList& arguments, const QVariantMap& options,
             std::function<void(const PortalRequest::Answer&)> next);
    void sessionCreated(const PortalRequest::Answer& answer);
    void startSession();
    void started(const PortalRequest::Answer& answer);

    std::shared_ptr<QSettings> m_settings;
    uint m_version = 0;
    QString m_session;
    // Counts the sessions asked for, so that an answer that comes after its session was given up is ignored.
    quint64 m_attempt = 0;
};

} // namespace sorvu
