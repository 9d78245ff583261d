// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/StatusNotices.h"

#include "engine/ClipboardQueue.h"
#include "shortcuts/GlobalShortcuts.h"
#include "shortcuts/ShortcutManager.h"

#include <algorithm>

namespace sorvu {

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
    if (queueCount >= ClipboardQueue::capacity) {
        notices.append(
            localizedString(QStringLiteral(QT_TRANSLATE_NOOP("Sorvu", "The queue is full: new copies are not added.")),
                            catalog, locale));
    }
    return notices;
}

} // namespace sorvu
