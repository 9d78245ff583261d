// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QtEndian>

namespace sorvu::test {

// A picture of the size with a pattern in it (so that it compresses like a real one), encoded in the format.
inline QByteArray encodedImage(QSize size, const char* format) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A PNG whose header declares the size, followed by a kilobyte of data that is no picture at all: its
// header reads, its rows do not.
inline QByteArray pngDeclaringOnly(QSize size) {
    const auto bigEndian = [](quint32 value) {
        QByteArray bytes(4, '\0');
        qToBigEndian(value, bytes.data());
        return bytes;
    };
    const auto chunk = [&](const QByteArray& type, const QByteArray& data) {
        const QByteArray checked = type + data;
        quint32 crc = 0xffffffffu;
        for (const char byte : checked) {
            crc ^= quint8(byte);
            for (int bit = 0; bit < 8; ++bit) {
                crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
            }
        }
        return bigEndian(quint32(data.size())) + checked + bigEndian(~crc);
    };
    // 8 bits per channel, RGB, no interlacing.
    const QByteArray header =
        bigEndian(quint32(size.width())) + bigEndian(quint32(size.height())) + QByteArray("\x08\x02\x00\x00\x00", 5);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + chunk("IDAT", QByteArray(1024, 'x')) +
           chunk("IEND", {});
}

} // namespace sorvu::test
