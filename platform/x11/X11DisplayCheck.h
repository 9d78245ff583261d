// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <optional>

namespace sorvu {

// Why Sorvu cannot run in this session, checked before any window system is touched: nothing when an X
// display can be opened, else one line for the user.
std::optional<QString> x11SessionProblem();

} // namespace sorvu
