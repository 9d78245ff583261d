// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dragout/DragCard.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

namespace sorvu {
namespace {

TEST(DragCardTest, ALabelCardFitsItsLabelWithPaddingAndRoomForTheFileIcon) {
    // Width: the icon's 26 when there is one, the label rounded up, 8 on either side; height: the label or
    // the 20-point icon, whichever is taller, plus 8.
    EXPECT_EQ(DragCard::labelCardSize({100.3, 15.2}, false), QSize(117, 24));
    EXPECT_EQ(DragCard::labelCardSize({100.3, 15.2}, true), QSize(143, 28));
    EXPECT_EQ(DragCard::labelCardSize({100, 30.5}, true), QSize(142, 39));
    EXPECT_EQ(DragCard::labelCardSize({0, 0}, false), QSize(16, 8));

    EXPECT_EQ(DragCard::labelText(QString(45, 'x') + "tail"), QString(40, 'x'));
    EXPECT_EQ(DragCard::labelText("short"), "short");
}

TEST(DragCardTest, AThumbnailShrinksToSeventyTwoPointsButIsNeverEnlarged) {
    EXPECT_EQ(DragCard::thumbnailCardSize({144, 72}), QSize(72, 36));
    EXPECT_EQ(DragCard::thumbnailCardSize({100, 300}), QSize(24, 72));
    EXPECT_EQ(DragCard::thumbnailCardSize({50, 30}), QSize(50, 30));
    // A side of one point or less does not limit the fit, and no side is ever less than 1.
    EXPECT_EQ(DragCard::thumbnailCardSize({300, 1}), QSize(72, 1));
    EXPECT_EQ(DragCard::thumbnailCardSize({1, 1}), QSize(1, 1));
    EXPECT_EQ(DragCard::thumbnailCardSize({0.5, 0.25}), QSize(1, 1));
}

TEST(DragCardTest, CardsAreRoundedPicturesInAWindowThatTakesNoInputOrFocus) {
    DragCard text(ClipboardItem::makeText(QString(60, 'w')));
    const QImage& label = text.picture();
    ASSERT_FALSE(label.isNull());
    EXPECT_EQ(text.size(), label.deviceIndependentSize().toSize());
    EXPECT_EQ(qAlpha(label.pixel(0, 0)), 0) << "the corners are cut";
    EXPECT_GT(qAlpha(label.pixel(label.width() / 2, 1)), 200) << "the card itself is nearly opaque";
    EXPECT_FALSE(text.mask().contains(QPoint(0, 0))) << "the corners stay cut without a compositing manager";
    EXPECT_TRUE(text.mask().contains(QPoint(text.width() / 2, text.height() / 2)));
    EXPECT_TRUE(text.flags().testFlag(Qt::WindowTransparentForInput));
    EXPECT_TRUE(text.flags().testFlag(Qt::WindowDoesNotAcceptFocus));

    QImage source(144, 72, QImage::Format_RGB32);
    source.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(source.save(&buffer, "PNG"));
    DragCard image(ClipboardItem::makeImage(ClipboardImage::fromEncoded(png, "image/png")));
    EXPECT_EQ(image.picture().deviceIndependentSize().toSize(), QSize(72, 36));
    EXPECT_EQ(image.size(), QSize(72, 36));
    EXPECT_EQ(qAlpha(image.picture().pixel(0, 0)), 0);
    EXPECT_EQ(QColor(image.picture().pixel(36, 18)), QColor(Qt::red));
}

} // namespace
} // namespace sorvu
