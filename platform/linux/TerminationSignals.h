// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace sorvu {

// Makes SIGTERM and SIGHUP (a session's logout, `kill`, a service manager) end the event loop the way Quit
// does, so that Sorvu cleans up (its private copies, its bus names) instead of dying where it stands. The
// signal only wakes the event loop; the quitting runs there. Call once, with the application running.
void quitOnTerminationSignals();

} // namespace sorvu
