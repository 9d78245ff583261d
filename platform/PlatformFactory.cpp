// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/PlatformFactory.h"

namespace sorvu {

namespace {

const QString x11Name = QStringLiteral("x11");

} // namespace

QStringList PlatformFactory::names() const {
    QStringList names;
    for (const SessionKind* kind : m_kinds) {
        names.append(kind->name());
    }
    return names;
}

PlatformFactory::Choice PlatformFactory::choose(const SessionEnvironment& environment) const {
    QString forced = environment.forcedPlatform.trimmed().toLower();
    // Qt told to use xcb runs on X11 whatever else the session offers.
    if (forced.isEmpty() && environment.qtPlatform.startsWith(QStringLiteral("xcb"))) {
        forced = x11Name;
    }
    if (!forced.isEmpty()) {
        for (const SessionKind* kind : m_kinds) {
            if (kind->name() == forced) {
                std::optional<SessionProblem> problem = kind->problem(environment);
                return {problem ? nullptr : kind, std::move(problem), {}};
            }
        }
        return {nullptr,
                SessionProblem{SessionProblem::Kind::noSession,
                               QStringLiteral("SORVU_PLATFORM=%1 names no platform Sorvu has; it has %2.")
                                   .arg(environment.forcedPlatform, names().join(QStringLiteral(", ")))},
                {}};
    }

    QList<std::pair<QString, SessionProblem>> passedOver;
    for (const SessionKind* kind : m_kinds) {
        if (!kind->isNamedBy(environment)) {
            continue;
        }
        if (const std::optional<SessionProblem> problem = kind->problem(environment)) {
            passedOver.append({kind->name(), *problem});
            continue;
        }
        return {kind, std::nullopt, passedOver};
    }
    // The first session that is there explains best why Sorvu cannot run.
    if (!passedOver.isEmpty()) {
        return {nullptr, passedOver.first().second, {}};
    }
    return {nullptr,
            SessionProblem{SessionProblem::Kind::noSession,
                           QStringLiteral("Sorvu needs a desktop session, and neither WAYLAND_DISPLAY nor DISPLAY is "
                                          "set.")},
            {}};
}

} // namespace sorvu
