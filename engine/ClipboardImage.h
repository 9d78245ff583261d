// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <memory>

namespace sorvu {

class ClipboardImage;
using ClipboardImageRef = std::shared_ptr<const ClipboardImage>;

// An image as it was read from the clipboard: the encoded bytes and their MIME type, kept as they came.
// Pixels are decoded only when a caller asks for them, so a queue full of screenshots holds the
// compressed files, not 99 full bitmaps. Immutable and shared; two entries are the same image only when
// they share the object.
class ClipboardImage {
public:
    // Reads only the header. Nothing when the bytes are not an image Qt can read.
    static ClipboardImageRef fromEncoded(const QByteArray& bytes, const QString& mimeType);

    const QByteArray& encodedBytes() const { return m_bytes; }
    const QString& mimeType() const { return m_mimeType; }
    QSize pixelSize() const { return m_pixelSize; }

    QImage decode() const;
    // Decodes straight to a size within bounds (keeping the aspect ratio) where the format allows it,
    // without a full-size bitmap in between.
    QImage thumbnail(QSize bounds) const;
    // The same picture as PNG bytes: the stored bytes when they are PNG already.
    QByteArray pngBytes() const;

private:
    ClipboardImage(QByteArray bytes, QString mimeType, QSize pixelSize);

    const QByteArray m_bytes;
    const QString m_mimeType;
    const QSize m_pixelSize;
};

} // namespace sorvu
