// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/ClipboardImage.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>

namespace sorvu {

namespace {

std::unique_ptr<QImageReader> readerFor(const QByteArray& bytes, QBuffer& buffer) {
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    auto reader = std::make_unique<QImageReader>(&buffer);
    reader->setAutoTransform(true);
    return reader;
}

} // namespace

ClipboardImage::ClipboardImage(QByteArray bytes, QString mimeType, QSize pixelSize)
    : m_bytes(std::move(bytes)), m_mimeType(std::move(mimeType)), m_pixelSize(pixelSize) {}

ClipboardImageRef ClipboardImage::fromEncoded(const QByteArray& bytes, const QString& mimeType) {
    if (bytes.isEmpty()) {
        return nullptr;
    }
    QBuffer buffer;
    const auto reader = readerFor(bytes, buffer);
    if (!reader->canRead()) {
        return nullptr;
    }
    const QSize size = reader->size();
    if (!size.isValid() || size.isEmpty()) {
        return nullptr;
    }
    return ClipboardImageRef(new ClipboardImage(bytes, mimeType, size));
}

QImage ClipboardImage::decode() const {
    QBuffer buffer;
    return readerFor(m_bytes, buffer)->read();
}

QImage ClipboardImage::thumbnail(QSize bounds) const {
    if (bounds.isEmpty()) {
        return {};
    }
    const QSize target = m_pixelSize.scaled(bounds, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    QBuffer buffer;
    const auto reader = readerFor(m_bytes, buffer);
    if (target.width() < m_pixelSize.width() || target.height() < m_pixelSize.height()) {
        reader->setScaledSize(target);
    }
    QImage image = reader->read();
    if (image.width() > target.width() || image.height() > target.height()) {
        image = image.scaled(target, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return image;
}

QByteArray ClipboardImage::pngBytes() const {
    if (m_mimeType == QLatin1String("image/png")) {
        return m_bytes;
    }
    const QImage image = decode();
    if (image.isNull()) {
        return {};
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image)) {
        return {};
    }
    return png;
}

} // namespace sorvu
