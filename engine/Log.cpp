// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/Log.h"

namespace sorvu {

Q_LOGGING_CATEGORY(lcQueue, "sorvu.PasteStack", QtInfoMsg)
Q_LOGGING_CATEGORY(lcUi, "sorvu.UI", QtInfoMsg)
Q_LOGGING_CATEGORY(lcDragOut, "sorvu.DragOut", QtInfoMsg)
Q_LOGGING_CATEGORY(lcShortcutStore, "sorvu.ShortcutStoring", QtInfoMsg)

} // namespace sorvu
