// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/ClipboardItem.h"

#include <QImage>
#include <QRasterWindow>
#include <QSize>
#include <QSizeF>
#include <QString>

namespace sorvu {

// The small picture of an entry that follows the pointer during a drag out of the popup: a label card for a
// text or a file, a thumbnail card for an image. A top-level window of its own that never takes input or
// focus; its rounded corners are cut with a window mask too, so without a compositing manager it shows as a
// card with slightly rougher corners, never as a box with black corners.
class DragCard : public QRasterWindow {
    Q_OBJECT

public:
    static constexpr int labelLength = 40;
    static constexpr double cornerRadius = 8;
    static constexpr double iconSide = 20;
    static constexpr double thumbnailSide = 72;

    // The label shown for a text or a file name; the full text travels in the drag.
    static QString labelText(const QString& text);
    // A label card's size for a label of this measured size, with or without a file icon beside it.
    static QSize labelCardSize(QSizeF labelSize, bool hasIcon);
    // An image shrunk to fit 72 × 72, never enlarged; a side of 1 or less does not limit the fit.
    static QSize thumbnailCardSize(QSizeF imageSize);

    explicit DragCard(const ClipboardItem& item);

    // The card the item shows, as drawn, without a window: where the drag itself carries the picture.
    static QImage pictureOf(const ClipboardItem& item);

    // The card as drawn, with transparent corners.
    const QImage& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
};

} // namespace sorvu
