#pragma once

#include "preferences/Localization.h"

#include <QLocale>
#include <QMetaType>
#include <QString>

#include <array>
#include <optional>

namespace sorvu {

// The two global keyboard commands.
enum class ShortcutAction { startStopCollecting, pasteNext };

// Every action, in the order that matching and conflict checks follow.
inline constexpr std::array<ShortcutAction, 2> allShortcutActions{ShortcutAction::startStopCollecting,
                                                                  ShortcutAction::pasteNext};

// "startStopCollecting" or "pasteNext": the name used in stored keys and logs.
QString rawValue(ShortcutAction action);
std::optional<ShortcutAction> shortcutActionFromRawValue(const QString& rawValue);

// The lower-case character whose key, with Control and Super, triggers the action by default.
QString defaultCharacter(ShortcutAction action);

// The action's name as shown to the user, in the given language.
QString localizedTitle(ShortcutAction action, const TranslationCatalog& catalog, const QLocale& locale);

} // namespace sorvu

Q_DECLARE_METATYPE(sorvu::ShortcutAction)
Q_DECLARE_METATYPE(std::optional<sorvu::ShortcutAction>)
