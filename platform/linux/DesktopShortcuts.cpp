// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/DesktopShortcuts.h"

#include "engine/Log.h"
#include "platform/linux/DesktopBoundShortcuts.h"
#include "platform/linux/GnomeCustomShortcuts.h"
#include "platform/linux/PortalGlobalShortcuts.h"

#include <QCoreApplication>
#include <QProcess>

namespace sorvu {

DesktopShortcuts::DesktopShortcuts(const SessionEnvironment& environment, QDBusConnection bus)
    : m_kde(environment.isDesktop(u"KDE")), m_gnome(environment.isDesktop(u"GNOME")), m_bus(std::move(bus)) {}

DesktopShortcuts::~DesktopShortcuts() = default;

std::unique_ptr<GlobalShortcuts> DesktopShortcuts::create() {
    if (!m_kde && !m_gnome) {
        return std::make_unique<DesktopBoundShortcuts>();
    }
    // Named in the desktop's settings in the desktop's language.
    const TranslationCatalog catalog = catalogForLanguage(std::nullopt);
    const QLocale locale = localeForLanguage(std::nullopt);
    QHash<ShortcutAction, QString> descriptions;
    for (const ShortcutAction action : allShortcutActions) {
        descriptions.insert(action, localizedTitle(action, catalog, locale));
    }
    auto portal = std::make_unique<PortalGlobalShortcuts>(m_bus, std::move(descriptions));
    m_portal = portal.get();
    return portal;
}

bool DesktopShortcuts::heldByDesktop() const {
    if (!m_portal) {
        return false;
    }
    const PortalGlobalShortcuts::State state = m_portal->state();
    return state == PortalGlobalShortcuts::State::notStarted || state == PortalGlobalShortcuts::State::binding ||
           state == PortalGlobalShortcuts::State::bound;
}

bool DesktopShortcuts::openSettings() const {
    QList<QStringList> commands;
    if (m_kde) {
        // Plasma 5.27 names it systemsettings; kcmshell5 shows the one page on its own.
        commands = {{QStringLiteral("systemsettings"), QStringLiteral("kcm_keys")},
                    {QStringLiteral("kcmshell5"), QStringLiteral("kcm_keys")}};
    } else if (m_gnome) {
        commands = {{QStringLiteral("gnome-control-center"), QStringLiteral("keyboard")}};
    }
    for (const QStringList& command : commands) {
        if (QProcess::startDetached(command.constFirst(), command.mid(1))) {
            qCInfo(lcUi).noquote()
                << QStringLiteral("desktop shortcut settings opened command=%1").arg(command.join(QLatin1Char(' ')));
            return true;
        }
    }
    qCWarning(lcUi).noquote() << QStringLiteral("desktop shortcut settings not opened");
    return false;
}

void DesktopShortcuts::writeBindings(std::function<void(bool)> done) {
    if (!m_gnome) {
        done(false);
        return;
    }
    if (!m_gnomeShortcuts) {
        m_gnomeShortcuts = std::make_unique<GnomeCustomShortcuts>(QCoreApplication::applicationFilePath());
    }
    m_gnomeShortcuts->write(std::move(done));
}

} // namespace sorvu
