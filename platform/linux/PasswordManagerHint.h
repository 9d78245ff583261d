// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

#include <optional>

namespace sorvu {

// Password managers offer "x-kde-passwordManagerHint" beside what they copy, with the value "secret".
// Whether a copy that offers the hint is a secret, given the hint's bytes as read, or nothing when they
// could not be read. Programs write the value in UTF-8 or UTF-16, with or without a byte order mark, in any
// case and with stray spaces or a terminating NUL; all of that is read. A copy that offers the hint is taken
// for a secret unless the value clearly says it is not: a password that got queued cannot be taken back,
// while a skipped ordinary copy costs the user one more copy.
bool passwordManagerHintMeansSecret(const std::optional<QByteArray>& value);

} // namespace sorvu
