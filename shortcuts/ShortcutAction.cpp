// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shortcuts/ShortcutAction.h"

namespace sorvu {

namespace {

struct ActionEntry {
    const char* defaultCharacter;
    const char* title;
};

// By enumerator order.
constexpr std::array<ActionEntry, 2> actionTable{{
    {"c", QT_TRANSLATE_NOOP("Sorvu", "Start/Stop Collecting")},
    {"v", QT_TRANSLATE_NOOP("Sorvu", "Paste Next Item")},
}};

} // namespace

QString defaultCharacter(ShortcutAction action) {
    return QString::fromLatin1(actionTable.at(static_cast<size_t>(action)).defaultCharacter);
}

QString localizedTitle(ShortcutAction action, const TranslationCatalog& catalog, const QLocale& locale) {
    return localizedString(QString::fromUtf8(actionTable.at(static_cast<size_t>(action)).title), catalog, locale);
}

} // namespace sorvu
