// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/LaunchAtLogin.h"

namespace sorvu::test {

class FakeLaunchAtLogin : public LaunchAtLogin {
public:
    int status = 0;
    std::optional<SystemError> failure;
    int registerCalls = 0;
    int unregisterCalls = 0;

    int systemStatusValue() const override { return status; }
    std::optional<SystemError> registerLoginItem() override {
        ++registerCalls;
        if (!failure) {
            status = 1;
        }
        return failure;
    }
    std::optional<SystemError> unregisterLoginItem() override {
        ++unregisterCalls;
        if (!failure) {
            status = 0;
        }
        return failure;
    }
};

} // namespace sorvu::test
