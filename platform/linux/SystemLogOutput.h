// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace sorvu {

// Routes the lines of the sorvu.* logging categories to the systemd journal (MESSAGE, PRIORITY,
// SYSLOG_IDENTIFIER=sorvu and the category in SORVU_CATEGORY; read with `journalctl -t sorvu`) when the
// journal is reachable, else to standard error as "sorvu[<area>] <level>: <message>". Lines of other
// categories keep going where Qt sent them before. With preferJournal false, standard error is used
// even where a journal runs.
void installSystemLogOutput(bool preferJournal = true);

} // namespace sorvu
