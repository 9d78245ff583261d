// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace sorvu {

// The first `count` characters of the text as a reader counts them (grapheme clusters), so that an emoji
// or a letter with combining marks is never cut in half.
QString graphemePrefix(const QString& text, int count);

} // namespace sorvu
