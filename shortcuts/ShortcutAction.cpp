#include "shortcuts/ShortcutAction.h"

namespace sorvu {

QString defaultCharacter(ShortcutAction action) {
    switch (action) {
    case ShortcutAction::startStopCollecting:
        return QStringLiteral("c");
    case ShortcutAction::pasteNext:
        return QStringLiteral("v");
    }
    return {};
}

QString localizedTitle(ShortcutAction action, const TranslationCatalog& catalog, const QLocale& locale) {
    switch (action) {
    case ShortcutAction::startStopCollecting:
        return localizedString(QT_TRANSLATE_NOOP("Sorvu", "Start/Stop Collecting"), catalog, locale);
    case ShortcutAction::pasteNext:
        return localizedString(QT_TRANSLATE_NOOP("Sorvu", "Paste Next Item"), catalog, locale);
    }
    return {};
}

} // namespace sorvu
