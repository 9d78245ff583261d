// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>

namespace sorvu::bench {

// A 3840x2160 picture full of coloured text, so that PNG cannot shrink it to nothing, as PNG bytes.
// Needs a QGuiApplication for the fonts.
inline QByteArray busyScreenshotPng() {
    QImage image(3840, 2160, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int index = 0; index < 4000; ++index) {
        painter.setPen(QColor::fromHsv(index % 360, 200, 180));
        painter.drawText((index * 37) % 3800, (index * 53) % 2140 + 20, QStringLiteral("Sorvu %1").arg(index));
    }
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace sorvu::bench
