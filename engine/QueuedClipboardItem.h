// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/ClipboardItem.h"

#include <QList>
#include <QMetaType>
#include <QUuid>

namespace sorvu {

// One queue entry. The id is made when the entry is built and names it everywhere (views, edits, the
// directory of a stored file).
struct QueuedClipboardItem {
    QUuid id;
    ClipboardItem content;

    static QueuedClipboardItem make(ClipboardItem content) {
        return QueuedClipboardItem{QUuid::createUuid(), std::move(content)};
    }

    friend bool operator==(const QueuedClipboardItem& lhs, const QueuedClipboardItem& rhs) {
        return lhs.id == rhs.id && lhs.content == rhs.content;
    }
};

// The canonical upper-case form (36 characters) that names an entry in logs and on disk.
inline QString uuidString(const QUuid& id) {
    return id.toString(QUuid::WithoutBraces).toUpper();
}

} // namespace sorvu

Q_DECLARE_METATYPE(sorvu::QueuedClipboardItem)
