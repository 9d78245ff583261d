// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "preferences/Localization.h"

#include <QLocale>
#include <QStringList>

namespace sorvu {

class GlobalShortcuts;
class ShortcutManager;

// The states that would otherwise pass unnoticed, in words, for the status row and the tray icon's tooltip:
// each shortcut another program holds (so pressing it does nothing), shortcuts the desktop was to hold but does
// not, and a full queue (so copies are not added). Empty when all is well.
QStringList statusNotices(qint64 queueCount, const GlobalShortcuts* globalShortcuts, const ShortcutManager* shortcuts,
                          const TranslationCatalog& catalog, const QLocale& locale);

} // namespace sorvu
