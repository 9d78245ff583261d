// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/EnumNames.h"
#include "engine/SystemError.h"

#include <QObject>

#include <optional>

namespace sorvu {

// The system's record of whether the program starts when the user logs in.
class LaunchAtLogin {
    Q_GADGET

public:
    // The program's view of its login item.
    enum class Status { enabled, notRegistered, notFound };
    Q_ENUM(Status)

    virtual ~LaunchAtLogin() = default;

    // The system's raw status code (see launchAtLoginStatusFromSystemValue).
    virtual int systemStatusValue() const = 0;
    // Nothing on success.
    virtual std::optional<SystemError> registerLoginItem() = 0;
    virtual std::optional<SystemError> unregisterLoginItem() = 0;
};

using LaunchAtLoginStatus = LaunchAtLogin::Status;

} // namespace sorvu
