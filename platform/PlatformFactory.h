// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/SessionKind.h"

#include <QList>
#include <QStringList>

#include <optional>

namespace sorvu {

// Chooses the platform for the session Sorvu runs in, by what the session offers: the kinds are asked in
// order, and the first that can serve the session is taken. $SORVU_PLATFORM forces one; a Qt told to run on
// xcb ($QT_QPA_PLATFORM) means X11.
class PlatformFactory {
public:
    struct Choice {
        // The kind chosen; nothing when none can serve the session.
        const SessionKind* kind = nullptr;
        // Why not, when none can: the problem of the first session that is there.
        std::optional<SessionProblem> problem;
        // Kinds that were named by the environment but passed over, and why: the user is told once.
        QList<std::pair<QString, SessionProblem>> passedOver;
    };

    // The kinds in the order they are tried; they must outlive the factory.
    explicit PlatformFactory(QList<const SessionKind*> kinds) : m_kinds(std::move(kinds)) {}

    // Every kind of session this build of Sorvu can run in, the most capable first.
    static PlatformFactory forThisSystem();

    Choice choose(const SessionEnvironment& environment) const;
    QStringList names() const;

private:
    QList<const SessionKind*> m_kinds;
};

} // namespace sorvu
