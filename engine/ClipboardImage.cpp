// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/ClipboardImage.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QStringList>

namespace sorvu {

namespace {

// The side of the bitmap a check decodes into.
constexpr int checkSide = 64;

// The image types read from a clipboard, as the clipboards list them.
const QStringList readTypes = {QStringLiteral("image/png"), QStringLiteral("image/jpeg"), QStringLiteral("image/gif"),
                               QStringLiteral("image/bmp"), QStringLiteral("image/webp"), QStringLiteral("image/tiff")};

// Qt's decoders refuse bitmaps over 128 MB by default, a fifth of what the largest picture Sorvu keeps needs
// (8 bytes a pixel for 16-bit colour): the limit is what the largest needs, process-wide, set once.
void allowTheLargestKeptPicture() {
    static const bool set = [] {
        constexpr qint64 bytesPerPixel = 8;
        QImageReader::setAllocationLimit(int(ClipboardImage::maximumPixels * bytesPerPixel / (1 << 20)) + 1);
        return true;
    }();
    Q_UNUSED(set);
}

// Bytes that stop coming once the work is called off: the decoder gives up at its next read.
class CancellableBuffer : public QBuffer {
public:
    explicit CancellableBuffer(const std::atomic_bool* cancelled) : m_cancelled(cancelled) {}

protected:
    qint64 readData(char* data, qint64 maximumSize) override {
        if (m_cancelled != nullptr && m_cancelled->load(std::memory_order_relaxed)) {
            return -1;
        }
        return QBuffer::readData(data, maximumSize);
    }

private:
    const std::atomic_bool* m_cancelled;
};

std::unique_ptr<QImageReader> readerFor(const QByteArray& bytes, QBuffer& buffer) {
    allowTheLargestKeptPicture();
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

bool ClipboardImage::isReadableType(const QString& mimeType) {
    return readTypes.contains(mimeType) && QImageReader::supportedMimeTypes().contains(mimeType.toLatin1());
}

ClipboardImage::Check ClipboardImage::check(const std::atomic_bool* cancelled) const {
    if (qint64(m_pixelSize.width()) * m_pixelSize.height() > maximumPixels) {
        return Check::tooManyPixels;
    }
    CancellableBuffer buffer(cancelled);
    const auto reader = readerFor(m_bytes, buffer);
    // Every row is decoded all the same: a truncated picture fails as it would at full size.
    reader->setScaledSize(m_pixelSize.scaled(QSize(checkSide, checkSide), Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    return reader->read().isNull() ? Check::undecodable : Check::decodes;
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
