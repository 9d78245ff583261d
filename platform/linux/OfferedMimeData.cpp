// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/OfferedMimeData.h"

#include <QList>
#include <QUrl>

namespace sorvu {

namespace {

const QString pngType = QStringLiteral("image/png");
const QString utf8TextType = QStringLiteral("text/plain;charset=utf-8");

} // namespace

OfferedMimeData::OfferedMimeData(const ClipboardItem& item, FetchObserver observer) : m_observer(std::move(observer)) {
    switch (item.kind()) {
    case ClipboardItem::Kind::text:
        setPlainText(item.text());
        break;
    case ClipboardItem::Kind::image:
        m_image = item.image();
        if (m_image) {
            setData(m_image->mimeType(), m_image->encodedBytes());
            m_convertsToPng = m_image->mimeType() != pngType;
        }
        break;
    case ClipboardItem::Kind::file: {
        const QUrl url = item.fileUrl();
        setUrls({url});
        // File managers paste a file from this type; the first line says copy, not cut.
        setData(QStringLiteral("x-special/gnome-copied-files"), "copy\n" + url.toEncoded());
        setPlainText(url.toLocalFile());
        break;
    }
    }
}

void OfferedMimeData::setPlainText(const QString& text) {
    // Qt offers the text as UTF8_STRING and text/plain; some programs ask for the explicit UTF-8 type.
    setText(text);
    setData(utf8TextType, text.toUtf8());
}

QStringList OfferedMimeData::formats() const {
    QStringList result = QMimeData::formats();
    if (m_convertsToPng) {
        result.append(pngType);
    }
    return result;
}

bool OfferedMimeData::hasFormat(const QString& mimeType) const {
    return formats().contains(mimeType);
}

QByteArray OfferedMimeData::localData(const QString& mimeType) const {
    m_readingLocally = true;
    const bool isText = mimeType == QStringLiteral("UTF8_STRING") || mimeType == QStringLiteral("text/plain") ||
                        mimeType == utf8TextType;
    const QByteArray bytes = isText ? text().toUtf8() : data(mimeType);
    m_readingLocally = false;
    return bytes;
}

QVariant OfferedMimeData::retrieveData(const QString& mimeType, QMetaType type) const {
    QVariant value;
    if (m_convertsToPng && mimeType == pngType) {
        value = m_image->pngBytes();
    } else {
        value = QMimeData::retrieveData(mimeType, type);
    }
    if (m_observer && !m_readingLocally && value.isValid()) {
        m_observer(mimeType);
    }
    return value;
}

} // namespace sorvu
