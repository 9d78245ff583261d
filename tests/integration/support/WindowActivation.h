// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

namespace sorvu::test {

// Shows the widget and activates its window the way a pager would (openbox may pass over an application's
// own request for its first window), asking again now and then in case the window was not managed yet.
// Answers whether the window became active with the widget focused.
bool showActiveAndFocused(QWidget& widget);

} // namespace sorvu::test
