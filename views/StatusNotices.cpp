// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/StatusNotices.h"

#include "engine/ClipboardQueue.h"
#include "shortcuts/GlobalShortcuts.h"
#include "shortcuts/ShortcutManager.h"

#include <algorithm>

namespace sorvu {

namespace {

// Why shortcuts the desktop was to hold do nothing, and what the user can do instead.
const char* desktopProblemText(GlobalShortcuts::DesktopProblem problem) {
    switch (problem) {
    case GlobalShortcuts::DesktopProblem::none:
        break;
    case GlobalShortcuts::DesktopProblem::absent:
        return QT_TRANSLATE_NOOP("Sorvu", "This desktop holds no shortcuts for programs: bind keys to Sorvu's "
                                          "commands in its keyboard settings.");
    case GlobalShortcuts::DesktopProblem::refused:
        return QT_TRANSLATE_NOOP("Sorvu", "The desktop refused Sorvu's shortcuts: bind keys to Sorvu's commands in "
                                          "its keyboard settings.");
    case GlobalShortcuts::DesktopProblem::closed:
        return QT_TRANSLATE_NOOP("Sorvu", "The desktop withdrew Sorvu's shortcuts: they do nothing until Sorvu "
                                          "starts again.");
    case GlobalShortcuts::DesktopProblem::failed:
        return QT_TRANSLATE_NOOP("Sorvu", "The desktop's shortcut service failed: Sorvu's shortcuts do nothing.");
    }
    return nullptr;
}

} // namespace

QStringList statusNotices(qint64 queueCount, const GlobalShortcuts* globalShortcuts, const ShortcutManager* shortcuts,
                          const TranslationCatalog& catalog, const QLocale& locale) {
    QStringList notices;
    if (globalShortcuts && shortcuts) {
        QList<ShortcutAction> taken = globalShortcuts->takenActions();
        std::sort(taken.begin(), taken.end());
        for (const ShortcutAction action : taken) {
            notices.append(localizedString(
                QStringLiteral(QT_TRANSLATE_NOOP("Sorvu", "%@ is taken by another program and does nothing.")), catalog,
                locale, {shortcuts->effectiveShortcutText(action, catalog, locale)}));
        }
    }
    if (globalShortcuts) {
        if (const char* problem = desktopProblemText(globalShortcuts->desktopProblem())) {
            notices.append(localizedString(QString::fromUtf8(problem), catalog, locale));
        }
    }
    if (queueCount >= ClipboardQueue::capacity) {
        notices.append(
            localizedString(QStringLiteral(QT_TRANSLATE_NOOP("Sorvu", "The queue is full: new copies are not added.")),
                            catalog, locale));
    }
    return notices;
}

} // namespace sorvu
