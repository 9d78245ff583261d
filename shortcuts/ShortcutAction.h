// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/EnumNames.h"
#include "preferences/Localization.h"

#include <QLocale>
#include <QMetaType>
#include <QObject>
#include <QString>

#include <array>
#include <optional>

namespace sorvu {

class ShortcutActionMeta {
    Q_GADGET

public:
    // The two global keyboard commands. The case name (caseName) is what stored keys and logs use.
    enum class ShortcutAction { startStopCollecting, pasteNext };
    Q_ENUM(ShortcutAction)
};
using ShortcutAction = ShortcutActionMeta::ShortcutAction;

// Every action, in the order that matching and conflict checks follow.
inline constexpr std::array<ShortcutAction, 2> allShortcutActions{ShortcutAction::startStopCollecting,
                                                                  ShortcutAction::pasteNext};

// The lower-case character whose key, with Control and Super, triggers the action by default.
QString defaultCharacter(ShortcutAction action);

// The action's name as shown to the user, in the given language.
QString localizedTitle(ShortcutAction action, const TranslationCatalog& catalog, const QLocale& locale);

} // namespace sorvu

Q_DECLARE_METATYPE(sorvu::ShortcutAction)
Q_DECLARE_METATYPE(std::optional<sorvu::ShortcutAction>)
