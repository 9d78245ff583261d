// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "preferences/TextJoinPreference.h"

namespace sorvu {

QString TextJoinPreference::separator() const {
    return fixedSeparator(choice).value_or(customSeparator);
}

} // namespace sorvu
