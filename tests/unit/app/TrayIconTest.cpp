// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TrayIcon.h"
#include "tests/support/TestSupport.h"
#include "views/StatusNotices.h"

#include <QPainter>

#include <gtest/gtest.h>

using namespace sorvu;
using namespace sorvu::test;

namespace {

class CountLabelRoll : public ::testing::Test {
protected:
    CountLabelRoll() : label([this] { return now; }, [this] { return reduceMotion; }) {}

    double now = 10.0;
    bool reduceMotion = false;
    CountLabel label;
};

bool hasInk(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

TEST_F(CountLabelRoll, AnimatedChangesRollInTheDirectionOfTheCount) {
    label.setCount(3, false);
    EXPECT_EQ(label.text(), "3");
    EXPECT_FALSE(label.isRolling());

    now += 1.0;
    label.setCount(2, true);
    EXPECT_EQ(label.text(), "2");
    EXPECT_EQ(label.outgoingText(), QString("3"));
    EXPECT_FALSE(label.rollsUp());
    EXPECT_DOUBLE_EQ(label.currentRollDuration(), 0.22);
    EXPECT_TRUE(label.isRolling());

    now += 0.11;
    label.advanceRoll();
    EXPECT_NEAR(label.rollProgress(), 0.5, 1e-9);
    now += 0.2;
    label.advanceRoll();
    EXPECT_FALSE(label.isRolling());
    EXPECT_FALSE(label.outgoingText().has_value());
    EXPECT_DOUBLE_EQ(label.rollProgress(), 1.0);
}

TEST_F(CountLabelRoll, QuickChangesRollFasterAndRestartFromTheIncomingText) {
    label.setCount(1, false);
    now += 1.0;
    label.setCount(2, true);
    now += 0.05;
    label.setCount(3, true);
    EXPECT_DOUBLE_EQ(label.currentRollDuration(), 0.08);
    EXPECT_EQ(label.outgoingText(), QString("2"));
    EXPECT_TRUE(label.rollsUp());
    EXPECT_DOUBLE_EQ(label.rollStartedAt(), now);
    now += 0.2;
    label.setCount(4, true);
    EXPECT_NEAR(label.currentRollDuration(), 0.16, 1e-9);
}

TEST_F(CountLabelRoll, ZeroIsBlankAndRepeatsChangeNothing) {
    label.setCount(0, true);
    EXPECT_EQ(label.text(), "");
    EXPECT_DOUBLE_EQ(label.lastCountChangeAt(), 0);
    label.setCount(1, true);
    const double changedAt = label.lastCountChangeAt();
    now += 5;
    label.setCount(1, true);
    EXPECT_DOUBLE_EQ(label.lastCountChangeAt(), changedAt);
    now += 1;
    label.setCount(0, true);
    EXPECT_EQ(label.text(), "");
    EXPECT_EQ(label.outgoingText(), QString("1"));
    EXPECT_FALSE(label.rollsUp());
}

TEST_F(CountLabelRoll, ReduceMotionShowsEveryChangeAtOnce) {
    reduceMotion = true;
    label.setCount(5, true);
    now += 1;
    label.setCount(6, true);
    EXPECT_FALSE(label.isRolling());
    EXPECT_FALSE(label.outgoingText().has_value());
    EXPECT_EQ(label.text(), "6");
}

TEST_F(CountLabelRoll, TheRollMovesTheOldCountOutOfTheLabel) {
    const QRectF bounds(0, 0, 16, 11);
    const auto render = [&] {
        QImage image(16 * 8, 11 * 8, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.scale(8, 8);
        label.paint(painter, bounds);
        return image;
    };
    label.setCount(7, false);
    const QImage settled = render();
    EXPECT_TRUE(hasInk(settled, settled.rect()));

    // Halfway through a roll up the digits have moved: the image differs and stays inside the bounds.
    now += 1;
    label.setCount(8, true);
    now += 0.05;
    label.advanceRoll();
    const QImage rolling = render();
    EXPECT_NE(rolling, settled);
    label.finishRoll();
    EXPECT_NE(render(), settled);
}

TEST(TrayIconState, ImagesAndSpokenDescriptionFollowTheQueue) {
    EXPECT_EQ(TrayIcon::imageName(0, false), "menuBarIcon");
    EXPECT_EQ(TrayIcon::imageName(4, false), "menuBarIconFrame");
    EXPECT_EQ(TrayIcon::imageName(0, true), "menuBarIconFrameActiveRec");
    EXPECT_EQ(TrayIcon::accessibleName(0, false, QString("en")), "Sorvu, idle");
    EXPECT_EQ(TrayIcon::accessibleName(3, true, QString("en")), "Sorvu, recording, 3 items in queue");
    EXPECT_EQ(TrayIcon::accessibleName(12, false, QString("en")), "Sorvu, 12 items queued, not recording");
    const QString german = TrayIcon::accessibleName(3, true, QString("de"));
    EXPECT_NE(german, "Sorvu, recording, 3 items in queue");
    EXPECT_TRUE(german.contains("3"));
    EXPECT_EQ(TrayIcon::labelFrame(), QRectF(1, 5, 16, 11));
}

TEST(TrayIconState, TheTooltipSaysInWordsWhatKeepsSorvuFromWorkingAndCountsInTheRightForm) {
    TrayIcon icon(nullptr, [] { return false; });
    icon.update(1, true, QString("en"));
    EXPECT_EQ(icon.currentAccessibleName(), "Sorvu, recording, 1 item in queue");
    icon.update(99, true, QString("en"), statusNotices(99, nullptr, nullptr, {}, QLocale::c()));
    EXPECT_EQ(icon.currentAccessibleName(),
              "Sorvu, recording, 99 items in queue\nThe queue is full: new copies are not added.");
    icon.update(98, false, QString("en"), {"Ctrl+Super+V is taken by another program and does nothing."});
    EXPECT_EQ(icon.currentAccessibleName(),
              "Sorvu, 98 items queued, not recording\nCtrl+Super+V is taken by another program and does nothing.");
}

TEST(TrayIconState, RollsOnlyWhileAlreadyVisibleAndTurnsRedAt99) {
    double now = 0;
    TrayIcon item(
        nullptr, [] { return false; }, [&] { return now; });
    item.update(0, false, std::nullopt);
    EXPECT_EQ(item.currentImageName(), "menuBarIcon");
    EXPECT_EQ(item.countLabel().text(), "");

    // Out of the idle state the first count shows at once.
    now = 1;
    item.update(1, false, std::nullopt);
    EXPECT_FALSE(item.countLabel().isRolling());
    EXPECT_EQ(item.countLabel().text(), "1");

    now = 2;
    item.update(1, true, std::nullopt);
    now = 3;
    item.update(2, true, std::nullopt);
    EXPECT_TRUE(item.countLabel().isRolling());

    item.update(99, true, std::nullopt);
    EXPECT_EQ(item.countLabel().textColor(), QColor(Qt::red));
    item.update(98, true, std::nullopt);
    EXPECT_NE(item.countLabel().textColor(), QColor(Qt::red));
}

TEST(TrayIconState, AFlashDimsTheIconForATenthOfASecond) {
    TrayIcon item(nullptr, [] { return false; });
    item.update(0, false, std::nullopt);
    const QImage normal = item.renderIcon(36);
    EXPECT_TRUE(hasInk(normal, normal.rect()));
    item.flash();
    EXPECT_TRUE(item.isFlashing());
    const QImage dimmed = item.renderIcon(36);
    int normalAlpha = 0;
    int dimmedAlpha = 0;
    for (int y = 0; y < 36; ++y) {
        for (int x = 0; x < 36; ++x) {
            normalAlpha = std::max(normalAlpha, qAlpha(normal.pixel(x, y)));
            dimmedAlpha = std::max(dimmedAlpha, qAlpha(dimmed.pixel(x, y)));
        }
    }
    EXPECT_NEAR(dimmedAlpha, normalAlpha * 0.3, 3);
    EXPECT_TRUE(waitUntil([&] { return !item.isFlashing(); }, 1000));
    EXPECT_EQ(item.renderIcon(36), normal);
}

TEST(TrayIconState, EachStateHasItsOwnArtworkAndTheCountIsPainted) {
    TrayIcon item(nullptr, [] { return false; });
    item.update(0, false, std::nullopt);
    const QImage idle = item.renderIcon();
    item.update(0, true, std::nullopt);
    const QImage collecting = item.renderIcon();
    item.update(5, false, std::nullopt);
    const QImage queued = item.renderIcon();
    item.countLabel().finishRoll();
    EXPECT_NE(idle, collecting);
    EXPECT_NE(collecting, queued);
    item.update(0, false, std::nullopt);
    item.update(7, false, std::nullopt);
    EXPECT_NE(item.renderIcon(), queued);
}

TEST(TrayIconState, TheIconTakesTheColourThatStandsOutOnItsPanel) {
    QImage darkPanel(30, 6, QImage::Format_RGB32);
    darkPanel.fill(QColor(20, 24, 30));
    QImage lightPanel(30, 6, QImage::Format_RGB32);
    lightPanel.fill(QColor(235, 235, 230));
    const QColor onDark = *TrayIcon::textColorOn(darkPanel);
    const QColor onLight = *TrayIcon::textColorOn(lightPanel);
    EXPECT_GT(onDark.lightnessF(), 0.8);
    EXPECT_LT(onLight.lightnessF(), 0.2);
    EXPECT_FALSE(TrayIcon::textColorOn(QImage()).has_value());

    TrayIcon item(nullptr, [] { return false; });
    item.update(5, false, std::nullopt);
    item.setIconColor(onDark);
    const QImage icon = item.renderIcon(36);
    int inked = 0;
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x) {
            const QColor pixel = icon.pixelColor(x, y);
            if (pixel.alpha() == 255) {
                ++inked;
                EXPECT_GT(pixel.lightnessF(), 0.8) << x << "," << y;
            }
        }
    }
    EXPECT_GT(inked, 20);
    EXPECT_EQ(item.countLabel().textColor(), onDark);

    // The warning red of a full queue outlives a change of panel.
    item.update(99, false, std::nullopt);
    item.setIconColor(onLight);
    EXPECT_EQ(item.countLabel().textColor(), QColor(Qt::red));
    item.update(98, false, std::nullopt);
    EXPECT_EQ(item.countLabel().textColor(), onLight);
}
