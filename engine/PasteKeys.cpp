// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/PasteKeys.h"

#include <QStringList>

#include <algorithm>

namespace sorvu {

QString pasteKeysName(PasteKeys keys) {
    switch (keys) {
    case PasteKeys::controlV:
        return QStringLiteral("Ctrl+V");
    case PasteKeys::controlShiftV:
        return QStringLiteral("Ctrl+Shift+V");
    case PasteKeys::shiftInsert:
        return QStringLiteral("Shift+Insert");
    }
    return {};
}

std::optional<PasteKeys> pasteKeysFromName(const QString& name) {
    QStringList parts = name.toLower().remove(QLatin1Char(' ')).split(QLatin1Char('+'));
    // "Ctrl+Shift+V" and "Shift+Ctrl+V" are one keystroke: compare the modifiers as a set.
    if (parts.size() > 1) {
        std::sort(parts.begin(), parts.end() - 1);
    }
    const QString normal = parts.join(QLatin1Char('+'));
    for (const PasteKeys keys : {PasteKeys::controlV, PasteKeys::controlShiftV, PasteKeys::shiftInsert}) {
        QStringList known = pasteKeysName(keys).toLower().split(QLatin1Char('+'));
        std::sort(known.begin(), known.end() - 1);
        if (known.join(QLatin1Char('+')) == normal) {
            return keys;
        }
    }
    return std::nullopt;
}

} // namespace sorvu
