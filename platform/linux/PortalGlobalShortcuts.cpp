// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/PortalGlobalShortcuts.h"

#include "engine/EnumNames.h"
#include "engine/Log.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>

namespace sorvu {

namespace {

// One entry of the portal's a(sa{sv}) lists: an identifier and its properties.
struct PortalShortcut {
    QString id;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut) {
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut) {
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

} // namespace

} // namespace sorvu

Q_DECLARE_METATYPE(sorvu::PortalShortcut)

namespace sorvu {

namespace {

void registerTypes() {
    static const bool registered = [] {
        qDBusRegisterMetaType<PortalShortcut>();
        qDBusRegisterMetaType<QList<PortalShortcut>>();
        return true;
    }();
    Q_UNUSED(registered);
}

std::optional<ShortcutAction> actionOfId(const QString& id) {
    for (const ShortcutAction action : allShortcutActions) {
        if (PortalGlobalShortcuts::actionId(action) == id) {
            return action;
        }
    }
    return std::nullopt;
}

QList<PortalShortcut> shortcutsOf(const QVariant& value) {
    if (value.canConvert<QDBusArgument>()) {
        return qdbus_cast<QList<PortalShortcut>>(value.value<QDBusArgument>());
    }
    return value.value<QList<PortalShortcut>>();
}

} // namespace

std::optional<uint> PortalGlobalShortcuts::offeredVersion(QDBusConnection bus, std::chrono::milliseconds wait) {
    if (!bus.isConnected()) {
        return std::nullopt;
    }
    QDBusMessage get =
        QDBusMessage::createMethodCall(PortalRequest::service, PortalRequest::objectPath,
                                       QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << interfaceName << QStringLiteral("version");
    const QDBusReply<QDBusVariant> reply = bus.call(get, QDBus::Block, int(wait.count()));
    if (!reply.isValid()) {
        qCInfo(lcUi).noquote()
            << QStringLiteral("global shortcuts portal not offered error=%1").arg(reply.error().name());
        return std::nullopt;
    }
    return reply.value().variant().toUInt();
}

QString PortalGlobalShortcuts::defaultTrigger(ShortcutAction action) {
    return QStringLiteral("CTRL+LOGO+") + defaultCharacter(action);
}

QString PortalGlobalShortcuts::actionId(ShortcutAction action) {
    return action == ShortcutAction::pasteNext ? pasteNextId : toggleCollectingId;
}

PortalGlobalShortcuts::PortalGlobalShortcuts(QDBusConnection bus, QHash<ShortcutAction, QString> descriptions,
                                             QObject* parent)
    : GlobalShortcuts(parent), m_bus(std::move(bus)), m_descriptions(std::move(descriptions)) {
    registerTypes();
}

PortalGlobalShortcuts::~PortalGlobalShortcuts() {
    if (!m_session.isEmpty() && m_state != State::closed) {
        m_bus.asyncCall(QDBusMessage::createMethodCall(PortalRequest::service, m_session,
                                                       PortalRequest::sessionInterface, QStringLiteral("Close")));
    }
}

QVariant PortalGlobalShortcuts::shortcutList() const {
    QList<PortalShortcut> shortcuts;
    for (const ShortcutAction action : allShortcutActions) {
        shortcuts.append({actionId(action),
                          {{QStringLiteral("description"), m_descriptions.value(action, actionId(action))},
                           {QStringLiteral("preferred_trigger"), defaultTrigger(action)}}});
    }
    return QVariant::fromValue(shortcuts);
}

void PortalGlobalShortcuts::setState(State state, const QString& detail) {
    const bool changed = state != m_state;
    const DesktopProblem before = desktopProblem();
    m_state = state;
    const QString line = QStringLiteral("global shortcuts portal state=%1 %2").arg(caseName(state), detail);
    if (state == State::bound || state == State::binding) {
        qCInfo(lcUi).noquote() << line.trimmed();
    } else {
        qCWarning(lcUi).noquote() << line.trimmed();
    }
    if (changed) {
        emit stateChanged(state);
        if (desktopProblem() != before) {
            emit desktopProblemChanged();
        }
    }
}

GlobalShortcuts::DesktopProblem PortalGlobalShortcuts::desktopProblem() const {
    switch (m_state) {
    case State::absent:
        return DesktopProblem::absent;
    case State::refused:
        return DesktopProblem::refused;
    case State::closed:
        return DesktopProblem::closed;
    case State::failed:
        return DesktopProblem::failed;
    case State::notStarted:
    case State::binding:
    case State::bound:
        break;
    }
    return DesktopProblem::none;
}

void PortalGlobalShortcuts::start() {
    if (m_state != State::notStarted) {
        return;
    }
    if (!m_bus.isConnected()) {
        setState(State::absent, QStringLiteral("error=no session bus"));
        return;
    }
    setState(State::binding, QStringLiteral("step=CreateSession"));
    m_bus.connect(QString(), PortalRequest::objectPath, interfaceName, QStringLiteral("Activated"), this,
                  SLOT(onActivated(QDBusMessage)));
    m_bus.connect(QString(), PortalRequest::objectPath, interfaceName, QStringLiteral("ShortcutsChanged"), this,
                  SLOT(onShortcutsChanged(QDBusMessage)));
    // A session token of our own naming: KDE files the shortcuts under it, so the user's changes to them last
    // from one start to the next.
    const QVariantMap options{{QStringLiteral("session_handle_token"), QStringLiteral("sorvu")},
                              {QStringLiteral("shortcuts"), shortcutList()}};
    PortalRequest::call(m_bus, interfaceName, QStringLiteral("CreateSession"), {}, options, this,
                        [this](const PortalRequest::Answer& answer) { sessionCreated(answer); });
}

void PortalGlobalShortcuts::sessionCreated(const PortalRequest::Answer& answer) {
    switch (answer.outcome) {
    case PortalRequest::Outcome::callFailed:
        setState(answer.error == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
                         answer.error == QLatin1String("org.freedesktop.DBus.Error.UnknownInterface") ||
                         answer.error == QLatin1String("org.freedesktop.DBus.Error.UnknownMethod")
                     ? State::absent
                     : State::failed,
                 QStringLiteral("step=CreateSession error=%1").arg(answer.error));
        return;
    case PortalRequest::Outcome::refused:
        setState(State::refused, QStringLiteral("step=CreateSession"));
        return;
    case PortalRequest::Outcome::failed:
        setState(State::failed, QStringLiteral("step=CreateSession"));
        return;
    case PortalRequest::Outcome::granted:
        break;
    }
    m_session = answer.results.value(QStringLiteral("session_handle")).toString();
    if (m_session.isEmpty()) {
        setState(State::failed, QStringLiteral("step=CreateSession error=no session handle"));
        return;
    }
    m_bus.connect(QString(), m_session, PortalRequest::sessionInterface, QStringLiteral("Closed"), this,
                  SLOT(onSessionClosed()));
    // Plasma 5.27 binds what came with the session and reports it here.
    if (adopt(answer.results.value(QStringLiteral("shortcuts")))) {
        setState(State::bound, QStringLiteral("step=CreateSession"));
        return;
    }
    bind();
}

void PortalGlobalShortcuts::bind() {
    setState(State::binding, QStringLiteral("step=BindShortcuts"));
    PortalRequest::call(m_bus, interfaceName, QStringLiteral("BindShortcuts"),
                        {QVariant::fromValue(QDBusObjectPath(m_session)), shortcutList(), QString()}, {}, this,
                        [this](const PortalRequest::Answer& answer) {
                            if (answer.outcome == PortalRequest::Outcome::refused) {
                                setState(State::refused, QStringLiteral("step=BindShortcuts"));
                            } else if (answer.outcome != PortalRequest::Outcome::granted) {
                                setState(State::failed,
                                         QStringLiteral("step=BindShortcuts error=%1").arg(answer.error));
                            } else if (adopt(answer.results.value(QStringLiteral("shortcuts")))) {
                                setState(State::bound, QStringLiteral("step=BindShortcuts"));
                            } else {
                                list();
                            }
                        });
}

void PortalGlobalShortcuts::list() {
    PortalRequest::call(m_bus, interfaceName, QStringLiteral("ListShortcuts"),
                        {QVariant::fromValue(QDBusObjectPath(m_session))}, {}, this,
                        [this](const PortalRequest::Answer& answer) {
                            if (answer.outcome == PortalRequest::Outcome::granted &&
                                adopt(answer.results.value(QStringLiteral("shortcuts")))) {
                                setState(State::bound, QStringLiteral("step=ListShortcuts"));
                            } else {
                                setState(State::refused, QStringLiteral("step=ListShortcuts bound=none"));
                            }
                        });
}

bool PortalGlobalShortcuts::adopt(const QVariant& shortcuts) {
    QHash<ShortcutAction, QString> triggers;
    bool ours = false;
    for (const PortalShortcut& shortcut : shortcutsOf(shortcuts)) {
        if (const std::optional<ShortcutAction> action = actionOfId(shortcut.id)) {
            ours = true;
            triggers.insert(*action, shortcut.properties.value(QStringLiteral("trigger_description")).toString());
        }
    }
    if (!ours) {
        return false;
    }
    if (triggers != m_triggers) {
        m_triggers = triggers;
        for (const ShortcutAction action : allShortcutActions) {
            qCInfo(lcUi).noquote() << QStringLiteral("global shortcuts portal trigger action=%1 trigger=%2")
                                          .arg(actionId(action), m_triggers.value(action));
        }
        emit triggersChanged();
    }
    return true;
}

void PortalGlobalShortcuts::onActivated(const QDBusMessage& message) {
    const QVariantList arguments = message.arguments();
    if (m_state != State::bound || arguments.size() < 2 ||
        arguments.at(0).value<QDBusObjectPath>().path() != m_session) {
        return;
    }
    if (const std::optional<ShortcutAction> action = actionOfId(arguments.at(1).toString())) {
        emit activated(*action);
    }
}

void PortalGlobalShortcuts::onShortcutsChanged(const QDBusMessage& message) {
    const QVariantList arguments = message.arguments();
    if (arguments.size() >= 2 && arguments.at(0).value<QDBusObjectPath>().path() == m_session) {
        adopt(arguments.at(1));
    }
}

void PortalGlobalShortcuts::onSessionClosed() {
    setState(State::closed, QStringLiteral("step=Closed"));
}

} // namespace sorvu
