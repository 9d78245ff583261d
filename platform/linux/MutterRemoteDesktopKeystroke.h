// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/linux/RemoteDesktopKeystroke.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include <functional>

namespace sorvu {

// The paste keystroke through mutter's own remote-desktop service on the session bus
// (org.gnome.Mutter.RemoteDesktop), which GNOME's portal itself uses: no dialog, but a private interface of
// GNOME's. Its version is checked first; a service that is absent, of a version this was not made for, or
// refuses us is `unavailable`, and the portal road takes over.
class MutterRemoteDesktopKeystroke : public RemoteDesktopKeystroke {
    Q_OBJECT

public:
    static inline const QString service = QStringLiteral("org.gnome.Mutter.RemoteDesktop");
    static inline const QString objectPath = QStringLiteral("/org/gnome/Mutter/RemoteDesktop");
    static inline const QString sessionInterface = QStringLiteral("org.gnome.Mutter.RemoteDesktop.Session");
    // The interface's versions whose CreateSession, Start and NotifyKeyboardKeycode are as used here.
    static constexpr int oldestVersion = 1;
    static constexpr int newestVersion = 1;

    MutterRemoteDesktopKeystroke(QDBusConnection bus, KeyCodeForCharacter keyCodeForCharacter,
                                 QObject* parent = nullptr);
    ~MutterRemoteDesktopKeystroke() override;

    QString road() const override { return QStringLiteral("mutter"); }

protected:
    void openSession() override;
    QDBusMessage keyMessage(quint32 code, bool pressed) const override;
    void closeSession() override;

private slots:
    void onSessionClosed();

private:
    // Calls a method without waiting; `done` gets the reply, or the state moves to unavailable on an error.
    void callThen(QDBusMessage message, const char* step, std::function<void(const QDBusMessage&)> done);

    QString m_session;
    quint64 m_attempt = 0;
};

} // namespace sorvu
