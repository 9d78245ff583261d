// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "tests/integration/support/ChildProcess.h"

#include <QString>

namespace sorvu::test {

// The helper programs with a window of their own (the text field, the drop target) print "window <id>" once
// shown. Waits for that line and brings the window to the front; answers its id, or nothing when the window
// never showed or never came to the front.
QString bringWindowProgramToFront(const ChildProcess& program);

// What the text field shows now: its last "text <percent-encoded text>" line.
QString lastTextOf(const ChildProcess& field);

} // namespace sorvu::test
