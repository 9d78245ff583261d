// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>

#include <atomic>
#include <memory>

namespace sorvu {

class ClipboardImage;
using ClipboardImageRef = std::shared_ptr<const ClipboardImage>;

// An image as it was read from the clipboard: the encoded bytes and their MIME type, kept as they came.
// Pixels are decoded only when a caller asks for them, so a queue full of screenshots holds the
// compressed files, not 99 full bitmaps. Immutable and shared; two entries are the same image only when
// they share the object.
class ClipboardImage {
    Q_GADGET

public:
    // Whether a picture can be kept: small enough, and decodable from its first to its last row.
    enum class Check { decodes, tooManyPixels, undecodable };
    Q_ENUM(Check)

    // About 100 megapixels: a picture declaring more is refused before any of it is decoded.
    static constexpr qint64 maximumPixels = 100'000'000;

    // Reads only the header. Nothing when the bytes are not an image Qt can read.
    static ClipboardImageRef fromEncoded(const QByteArray& bytes, const QString& mimeType);
    // Whether Sorvu reads pictures of the MIME type from a clipboard, and Qt can decode them.
    static bool isReadableType(const QString& mimeType);

    const QByteArray& encodedBytes() const { return m_bytes; }
    const QString& mimeType() const { return m_mimeType; }
    QSize pixelSize() const { return m_pixelSize; }

    // Decodes the whole picture into a bitmap only a few pixels wide, so that no full-size bitmap is made and
    // nothing decoded is kept. It still takes as long as decoding the picture (seconds for the largest): not
    // on the main thread. Setting the flag, from any thread, ends the reading soon after, as undecodable.
    Check check(const std::atomic_bool* cancelled = nullptr) const;

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
