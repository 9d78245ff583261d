// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/ClipboardItem.h"

#include <QByteArray>
#include <QList>

namespace sorvu {

// What Sorvu offers on the clipboard for one entry, the same types as on X11: a text as UTF-8 text; an image
// as its own encoded bytes and as PNG; a file as a URI list, as GNOME's copied files (so that file managers
// paste the file) and as its path in text. An image is converted to PNG only when someone asks for PNG.
class WaylandOfferedContent {
public:
    explicit WaylandOfferedContent(const ClipboardItem& item);

    const QList<QByteArray>& mimeTypes() const { return m_mimeTypes; }
    // The content as the type; empty for a type not offered.
    QByteArray bytes(const QByteArray& mimeType) const;

private:
    void addText(const QByteArray& utf8);

    ClipboardItem m_item;
    QList<QByteArray> m_mimeTypes;
    QByteArray m_text;
    mutable QByteArray m_png;
};

} // namespace sorvu
