// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/ClipboardItem.h"

namespace sorvu {

QString ClipboardItem::text() const {
    const auto* value = std::get_if<QString>(&m_payload);
    return value ? *value : QString();
}

ClipboardImageRef ClipboardItem::image() const {
    const auto* value = std::get_if<ClipboardImageRef>(&m_payload);
    return value ? *value : nullptr;
}

QUrl ClipboardItem::fileUrl() const {
    const auto* value = std::get_if<File>(&m_payload);
    return value ? value->url : QUrl();
}

QString ClipboardItem::originalFilename() const {
    const auto* value = std::get_if<File>(&m_payload);
    return value ? value->originalFilename : QString();
}

bool operator==(const ClipboardItem& lhs, const ClipboardItem& rhs) {
    if (lhs.kind() != rhs.kind()) {
        return false;
    }
    switch (lhs.kind()) {
    case ClipboardItem::Kind::text:
        return lhs.text() == rhs.text();
    case ClipboardItem::Kind::image:
        return lhs.image() == rhs.image();
    case ClipboardItem::Kind::file:
        return lhs.fileUrl() == rhs.fileUrl();
    }
    return false;
}

} // namespace sorvu
