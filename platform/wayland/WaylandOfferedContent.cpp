// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/wayland/WaylandOfferedContent.h"

#include "engine/LocalFileUrl.h"

namespace sorvu {

namespace {

const QByteArray pngType = QByteArrayLiteral("image/png");
const QByteArray uriListType = QByteArrayLiteral("text/uri-list");
const QByteArray gnomeFilesType = QByteArrayLiteral("x-special/gnome-copied-files");
// The explicit UTF-8 type first; programs bridged from X11 ask for UTF8_STRING.
const QList<QByteArray> textTypes = {"text/plain;charset=utf-8", "text/plain", "UTF8_STRING"};

} // namespace

WaylandOfferedContent::WaylandOfferedContent(const ClipboardItem& item) : m_item(item) {
    switch (item.kind()) {
    case ClipboardItem::Kind::text:
        addText(item.text().toUtf8());
        break;
    case ClipboardItem::Kind::image:
        if (const ClipboardImageRef image = item.image()) {
            m_mimeTypes.append(image->mimeType().toUtf8());
            if (!m_mimeTypes.contains(pngType)) {
                m_mimeTypes.append(pngType);
            }
        }
        break;
    case ClipboardItem::Kind::file:
        m_mimeTypes = {uriListType, gnomeFilesType};
        // The path's own bytes: a name that is not UTF-8 stays the file's name.
        addText(localPathBytes(item.fileUrl()));
        break;
    }
}

void WaylandOfferedContent::addText(const QByteArray& utf8) {
    m_text = utf8;
    m_mimeTypes.append(textTypes);
}

QByteArray WaylandOfferedContent::bytes(const QByteArray& mimeType) const {
    if (!m_mimeTypes.contains(mimeType)) {
        return {};
    }
    if (textTypes.contains(mimeType)) {
        return m_text;
    }
    if (mimeType == uriListType) {
        return m_item.fileUrl().toEncoded() + "\r\n";
    }
    if (mimeType == gnomeFilesType) {
        return "copy\n" + m_item.fileUrl().toEncoded();
    }
    const ClipboardImageRef image = m_item.image();
    if (image == nullptr) {
        return {};
    }
    if (mimeType == image->mimeType().toUtf8()) {
        return image->encodedBytes();
    }
    if (m_png.isEmpty()) {
        m_png = image->pngBytes();
    }
    return m_png;
}

} // namespace sorvu
