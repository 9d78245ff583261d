// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdlib>
#include <memory>

struct _XDisplay;
struct xcb_connection_t;

namespace sorvu::x11 {

struct FreeReply {
    void operator()(void* reply) const noexcept { std::free(reply); }
};

// An xcb reply or event, which the caller owns and frees with free().
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

// The X11 display and connection of the Qt application; null when Qt does not run on X11.
_XDisplay* qtDisplay();
xcb_connection_t* qtConnection();

} // namespace sorvu::x11
