#pragma once

#include "engine/SystemError.h"

#include <optional>

namespace sorvu {

// The system's record of whether the program starts when the user logs in.
class LaunchAtLogin {
public:
    virtual ~LaunchAtLogin() = default;

    // The system's raw status code (see launchAtLoginStatusFromSystemValue).
    virtual int systemStatusValue() const = 0;
    // Nothing on success.
    virtual std::optional<SystemError> registerLoginItem() = 0;
    virtual std::optional<SystemError> unregisterLoginItem() = 0;
};

} // namespace sorvu
