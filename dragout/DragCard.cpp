// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dragout/DragCard.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QIcon>
#include <QMimeDatabase>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QRegion>
#include <QScreen>
#include <QSurfaceFormat>
#include <QtMath>

#include <algorithm>
#include <limits>

namespace sorvu {

namespace {

constexpr double labelPadding = 8;
constexpr double iconSlot = 26;
constexpr double backgroundAlpha = 0.92;

QPainterPath roundedCard(QSizeF size) {
    QPainterPath path;
    path.addRoundedRect(QRectF(QPointF(), size), DragCard::cornerRadius, DragCard::cornerRadius);
    return path;
}

// In the screen's pixels, so that the card is sharp on a scaled screen; painted in points.
QImage transparentImage(QSize size) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal ratio = screen ? screen->devicePixelRatio() : 1;
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

QIcon fileIcon(const QString& path) {
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
    return QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName()));
}

QImage labelCard(const QString& text, const QIcon* icon) {
    const QFont font = QGuiApplication::font();
    const QString label = DragCard::labelText(text);
    const QSizeF measured = QFontMetricsF(font).size(Qt::TextSingleLine, label);
    const QSize size = DragCard::labelCardSize(measured, icon != nullptr);
    QImage image = transparentImage(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette palette = QGuiApplication::palette();
    QColor background = palette.color(QPalette::Window);
    background.setAlphaF(backgroundAlpha);
    painter.fillPath(roundedCard(size), background);
    const double iconWidth = icon ? iconSlot : 0;
    if (icon && !icon->isNull()) {
        const QRectF square(labelPadding, (size.height() - DragCard::iconSide) * 0.5, DragCard::iconSide,
                            DragCard::iconSide);
        icon->paint(&painter, square.toRect());
    }
    painter.setFont(font);
    painter.setPen(palette.color(QPalette::WindowText));
    painter.drawText(QRectF(QPointF(labelPadding + iconWidth, (size.height() - measured.height()) * 0.5), measured),
                     Qt::TextSingleLine, label);
    return image;
}

QImage thumbnailCard(const ClipboardImageRef& source) {
    const QImage decoded = source ? source->decode() : QImage();
    const QSize size = DragCard::thumbnailCardSize(decoded.size());
    QImage image = transparentImage(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPainterPath outline = roundedCard(size);
    painter.setClipPath(outline);
    painter.drawImage(QRectF(QPointF(), size), decoded);
    painter.setClipping(false);
    painter.setPen(QPen(QGuiApplication::palette().color(QPalette::Mid), 1));
    painter.drawPath(outline);
    return image;
}

QImage cardPicture(const ClipboardItem& item) {
    switch (item.kind()) {
    case ClipboardItem::Kind::text:
        return labelCard(item.text(), nullptr);
    case ClipboardItem::Kind::file: {
        const QIcon icon = fileIcon(item.fileUrl().toLocalFile());
        return labelCard(item.originalFilename(), &icon);
    }
    case ClipboardItem::Kind::image:
        return thumbnailCard(item.image());
    }
    return {};
}

} // namespace

QString DragCard::labelText(const QString& text) {
    return text.left(labelLength);
}

QSize DragCard::labelCardSize(QSizeF labelSize, bool hasIcon) {
    const double iconWidth = hasIcon ? iconSlot : 0;
    const double minimumHeight = hasIcon ? iconSide : 0;
    return QSize(int(iconWidth + qCeil(labelSize.width()) + 2 * labelPadding),
                 int(std::max(double(qCeil(labelSize.height())), minimumHeight) + labelPadding));
}

QSize DragCard::thumbnailCardSize(QSizeF imageSize) {
    constexpr double unlimited = std::numeric_limits<double>::infinity();
    const double byWidth = imageSize.width() > 1 ? thumbnailSide / imageSize.width() : unlimited;
    const double byHeight = imageSize.height() > 1 ? thumbnailSide / imageSize.height() : unlimited;
    const double scale = std::min({1.0, byWidth, byHeight});
    return QSize(std::max(qCeil(imageSize.width() * scale), 1), std::max(qCeil(imageSize.height() * scale), 1));
}

QImage DragCard::pictureOf(const ClipboardItem& item) {
    return cardPicture(item);
}

DragCard::DragCard(const ClipboardItem& item) : m_picture(cardPicture(item)) {
    // Above every window, unmanaged, and invisible to the pointer: the drop goes to the window beneath.
    setFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint | Qt::WindowStaysOnTopHint |
             Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus);
    QSurfaceFormat format = this->format();
    format.setAlphaBufferSize(8);
    setFormat(format);
    const QSize size = m_picture.deviceIndependentSize().toSize();
    resize(size);
    setMask(QRegion(roundedCard(size).toFillPolygon().toPolygon()));
}

void DragCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, m_picture);
}

} // namespace sorvu
