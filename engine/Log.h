// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLoggingCategory>
#include <QString>

namespace sorvu {

// The areas that write to the log, each its own category: lcQueue is "sorvu.PasteStack", lcUi "sorvu.UI",
// lcDragOut "sorvu.DragOut" and lcShortcutStore "sorvu.ShortcutStoring". Debug lines are off unless
// QT_LOGGING_RULES turns them on, and a line that is off costs only that check: its message is never built.
// Errors are written as critical lines. Messages never carry clipboard contents, only counts, identifiers
// and names of states.
Q_DECLARE_LOGGING_CATEGORY(lcQueue)
Q_DECLARE_LOGGING_CATEGORY(lcUi)
Q_DECLARE_LOGGING_CATEGORY(lcDragOut)
Q_DECLARE_LOGGING_CATEGORY(lcShortcutStore)

// "true"/"false", the way Booleans appear in log lines.
inline QString boolText(bool value) {
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

} // namespace sorvu
