// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/SessionEnvironment.h"

#include <QString>

#include <memory>
#include <optional>

namespace sorvu {

class Platform;

// Why Sorvu cannot run in a session: a line for the user, and whether a session of the kind was there at all.
struct SessionProblem {
    enum class Kind {
        // No session of this kind: its display is not set or cannot be reached.
        noSession,
        // The session is there but does not offer what Sorvu needs.
        unsupported,
    };
    Kind kind = Kind::noSession;
    QString message;
};

// One kind of desktop session Sorvu can run in, and the platform that serves it. Asked before the Qt
// application exists.
class SessionKind {
public:
    virtual ~SessionKind() = default;

    // The name $SORVU_PLATFORM chooses it by.
    virtual QString name() const = 0;
    // Whether the environment names a session of this kind at all.
    virtual bool isNamedBy(const SessionEnvironment& environment) const = 0;
    // Why Sorvu cannot run on this kind of session here; nothing when it can. May connect to the session.
    virtual std::optional<SessionProblem> problem(const SessionEnvironment& environment) const = 0;
    // Names the session among the user's sessions (see Platform::sessionKey).
    virtual QString sessionKey(const SessionEnvironment& environment) const = 0;
    // Readies Qt for the session: called once, before the application object exists.
    virtual void prepareQt() const = 0;
    // The platform, once the application object exists.
    virtual std::unique_ptr<Platform> createPlatform(const SessionEnvironment& environment) const = 0;
};

} // namespace sorvu
