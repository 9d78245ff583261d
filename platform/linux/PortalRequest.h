// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <functional>

namespace sorvu {

// One call of a desktop portal (org.freedesktop.portal.*) whose answer comes later, as the Response signal of a
// request object of its own: the portal may first ask the user, for as long as the user takes. Nothing here
// waits; the answer is handed to a function on the main thread.
class PortalRequest : public QObject {
    Q_OBJECT

public:
    static inline const QString service = QStringLiteral("org.freedesktop.portal.Desktop");
    static inline const QString objectPath = QStringLiteral("/org/freedesktop/portal/desktop");
    static inline const QString sessionInterface = QStringLiteral("org.freedesktop.portal.Session");

    enum class Outcome {
        // The portal did what was asked; its results come with the answer.
        granted,
        // The user said no, or closed the portal's dialog.
        refused,
        // The portal answered that it could not do it.
        failed,
        // The call itself failed: no portal, no such interface or method, or arguments it does not take.
        callFailed,
    };
    Q_ENUM(Outcome)

    struct Answer {
        Outcome outcome = Outcome::callFailed;
        QVariantMap results;
        // The bus's error name, for a call that failed.
        QString error;
    };

    // Calls `method` of the portal's `interface` with the arguments followed by the options, to which a handle
    // token of its own is added; `done` gets the answer once, unless `context` goes first.
    static void call(QDBusConnection bus, const QString& interface, const QString& method,
                     const QVariantList& arguments, QVariantMap options, QObject* context,
                     std::function<void(const Answer&)> done);

    // A token for a request or a session handle that no other of this program's uses.
    static QString newToken();
    // The `Outcome` of a Response signal's code: 0 granted, 1 refused, anything else failed.
    static Outcome outcomeOfResponse(uint response);

private slots:
    void response(uint code, const QVariantMap& results);

private:
    PortalRequest(QDBusConnection bus, std::function<void(const Answer&)> done, QObject* parent);
    bool listen(const QString& path);
    void finish(const Answer& answer);

    QDBusConnection m_bus;
    std::function<void(const Answer&)> m_done;
    QStringList m_paths;
};

} // namespace sorvu
