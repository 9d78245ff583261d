// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <optional>

namespace sorvu {

// Why Sorvu cannot run on this X display, checked before any window system is touched: nothing when the
// display can be opened, else one line for the user.
std::optional<QString> x11SessionProblem(const QString& displayName);

} // namespace sorvu
