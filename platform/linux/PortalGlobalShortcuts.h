// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/linux/PortalRequest.h"
#include "shortcuts/GlobalShortcuts.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QHash>
#include <QString>

#include <chrono>
#include <optional>

namespace sorvu {

// The two shortcuts bound by the desktop through its GlobalShortcuts portal (org.freedesktop.portal.GlobalShortcuts),
// where Sorvu cannot take keys itself (Wayland). Sorvu proposes the defaults; the desktop decides which keys fire
// and lets the user change them in its own settings, so what counts is what the desktop reports back.
//
// Two forms of the portal are met: KDE Plasma 5.27 takes the shortcuts with the session (CreateSession's
// `shortcuts` option) and ignores them in BindShortcuts, which there also opens the desktop's shortcut settings;
// current portals take them in BindShortcuts. Both are offered the shortcuts with the session, and BindShortcuts
// is called only when the session did not report them bound.
class PortalGlobalShortcuts : public GlobalShortcuts {
    Q_OBJECT

public:
    enum class State {
        notStarted,
        // Session created or shortcuts bound: waiting for the portal's answer.
        binding,
        // The desktop reports the shortcuts and fires them.
        bound,
        // No GlobalShortcuts portal on the session bus.
        absent,
        // The user or the desktop said no, or the desktop bound none of the shortcuts.
        refused,
        // The desktop ended the session; shortcuts fire no more.
        closed,
        // The portal failed in another way.
        failed,
    };
    Q_ENUM(State)

    static inline const QString interfaceName = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
    // The identifiers the desktop knows the actions by.
    static inline const QString toggleCollectingId = QStringLiteral("toggle-collecting");
    static inline const QString pasteNextId = QStringLiteral("paste-next");

    // The portal's version, or nothing when the session has no GlobalShortcuts portal or its bus does not answer
    // within `wait`. Waits at most that long, on the calling thread.
    static std::optional<uint> offeredVersion(QDBusConnection bus,
                                              std::chrono::milliseconds wait = std::chrono::milliseconds(400));
    // The default shortcut of an action in the portal's trigger notation ("CTRL+LOGO+v": modifiers in capitals,
    // Super as LOGO, then the key's XKB name).
    static QString defaultTrigger(ShortcutAction action);
    static QString actionId(ShortcutAction action);

    // `descriptions` are the texts the desktop shows for the actions in its settings.
    PortalGlobalShortcuts(QDBusConnection bus, QHash<ShortcutAction, QString> descriptions, QObject* parent = nullptr);
    ~PortalGlobalShortcuts() override;

    void start() override;
    // The desktop holds the keys; none is taken from Sorvu in the sense of a grab.
    QList<ShortcutAction> takenActions() const override { return {}; }

    State state() const { return m_state; }
    // The keys that fire each action, as the desktop describes them ("Meta+Ctrl+V"); empty for an action the
    // desktop gave no keys.
    QString triggerDescription(ShortcutAction action) const override { return m_triggers.value(action); }
    DesktopProblem desktopProblem() const override;

signals:
    void stateChanged(sorvu::PortalGlobalShortcuts::State state);

private slots:
    void onActivated(const QDBusMessage& message);
    void onShortcutsChanged(const QDBusMessage& message);
    void onSessionClosed();

private:
    QVariant shortcutList() const;
    void sessionCreated(const PortalRequest::Answer& answer);
    void bind();
    void list();
    // Takes the shortcuts the portal reported; false when it reported none of ours.
    bool adopt(const QVariant& shortcuts);
    void setState(State state, const QString& detail);

    QDBusConnection m_bus;
    QHash<ShortcutAction, QString> m_descriptions;
    State m_state = State::notStarted;
    QString m_session;
    QHash<ShortcutAction, QString> m_triggers;
};

} // namespace sorvu
