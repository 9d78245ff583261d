#include "shortcuts/ShortcutAction.h"

namespace sorvu {

QString rawValue(ShortcutAction action) {
    switch (action) {
    case ShortcutAction::startStopCollecting:
        return QStringLiteral("startStopCollecting");
    case ShortcutAction::pasteNext:
        return QStringLiteral("pasteNext");
    }
    return {};
}

std::optional<ShortcutAction> shortcutActionFromRawValue(const QString& rawValue) {
    for (const ShortcutAction action : allShortcutActions) {
        if (sorvu::rawValue(action) == rawValue) {
            return action;
        }
    }
    return std::nullopt;
}

QString defaultCharacter(ShortcutAction action) {
    switch (action) {
    case ShortcutAction::startStopCollecting:
        return QStringLiteral("c");
    case ShortcutAction::pasteNext:
        return QStringLiteral("v");
    }
    return {};
}

QString localizedTitle(ShortcutAction action, const LanguageBundle& bundle, const QLocale& locale) {
    switch (action) {
    case ShortcutAction::startStopCollecting:
        return localizedString(QStringLiteral("Start/Stop Collecting"), bundle, locale);
    case ShortcutAction::pasteNext:
        return localizedString(QStringLiteral("Paste Next Item"), bundle, locale);
    }
    return {};
}

} // namespace sorvu
