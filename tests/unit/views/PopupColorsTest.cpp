// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/PopupColors.h"
#include "views/ThemeIconProvider.h"

#include <QImage>

#include <gtest/gtest.h>

namespace sorvu {
namespace {

// Qt's own light palette, and Adwaita's dark one as the GTK platform theme hands it over, with the dark grey
// that a theme without a dark variant leaves for symbols.
QPalette lightPalette() {
    QPalette palette(QColor(0xef, 0xef, 0xef));
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Highlight, QColor(0x30, 0x8c, 0xc6));
    return palette;
}

QPalette darkPalette() {
    QPalette palette(QColor(0x32, 0x32, 0x32));
    palette.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xec));
    palette.setColor(QPalette::Highlight, QColor(0x15, 0x53, 0x9e));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x91, 0x91, 0x90));
    return palette;
}

QPalette darkGreyOnDarkPalette() {
    QPalette palette = darkPalette();
    palette.setColor(QPalette::Active, QPalette::WindowText, QColor(0x2e, 0x34, 0x36));
    return palette;
}

TEST(PopupColorsTest, TheRatioIsWcagsOwn) {
    EXPECT_NEAR(PopupColors::contrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(PopupColors::contrastRatio(Qt::white, Qt::white), 1.0, 1e-9);
    // The figures the issue measured: grey on light grey and orange on light grey.
    EXPECT_NEAR(PopupColors::contrastRatio(QColor(0x2e, 0x34, 0x36), QColor(0x32, 0x32, 0x32)), 1.03, 0.02);
    EXPECT_NEAR(PopupColors::contrastRatio(QColor(0xff, 0x8c, 0x00), QColor(0xef, 0xef, 0xef)), 2.0, 0.1);
}

// Every text at 4.5:1 or better against the popup's background, symbols, the recording dot and the focus
// ring (not text) at 3:1 or better, as WCAG asks; the selected row keeps its text readable; and a symbol as
// drawn has the text colour.
TEST(PopupColorsTest, TextsReadAt45To1AndSymbolsAt3To1OnLightAndDarkPalettes) {
    for (const auto& [name, palette] : {std::pair{"light", lightPalette()}, std::pair{"dark", darkPalette()},
                                        std::pair{"dark grey on dark", darkGreyOnDarkPalette()}}) {
        const PopupColors colors(palette);
        const QColor background = colors.background();
        const std::pair<const char*, QColor> texts[] = {
            {"text", colors.text()}, {"secondary text", colors.secondaryText()}, {"warning", colors.warning()}};
        for (const auto& [role, color] : texts) {
            EXPECT_GE(PopupColors::contrastRatio(color, background), PopupColors::textContrast)
                << name << " " << role << " " << color.name().toStdString();
        }
        // The rows' texts stand on the selected row's tint too.
        for (const QColor& color : {colors.text(), colors.secondaryText()}) {
            EXPECT_GE(PopupColors::contrastRatio(color, colors.selection()), PopupColors::textContrast)
                << name << " " << color.name().toStdString() << " on the selected row";
        }
        const std::pair<const char*, QColor> symbols[] = {
            {"recording dot", colors.recording()}, {"idle dot", colors.idle()}, {"focus ring", colors.focusRing()}};
        for (const auto& [role, color] : symbols) {
            EXPECT_GE(PopupColors::contrastRatio(color, background), PopupColors::symbolContrast)
                << name << " " << role << " " << color.name().toStdString();
        }
        // The warning stays orange and the dot red, only darker or lighter.
        EXPECT_NEAR(colors.warning().hueF(), QColor(0xe0, 0x7b, 0x00).hueF(), 0.03) << name;
        EXPECT_LT(std::abs(colors.recording().hueF() - QColor(0xe0, 0x1b, 0x24).hueF()), 0.03) << name;

        ThemeIconProvider provider(ThemeIconProvider::Kind::symbol);
        for (const char* symbol : {"gearshape", "xmark.circle.fill", "arrow.counterclockwise.circle"}) {
            const QString source = colors.symbolSource(QStringLiteral("image://sorvu-symbol/") + symbol);
            QSize size;
            const QImage image = provider.requestPixmap(source.section('/', 3), &size, QSize(36, 36)).toImage();
            ASSERT_EQ(image.size(), QSize(36, 36)) << symbol;
            int opaque = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const QColor pixel = image.pixelColor(x, y);
                    if (pixel.alpha() == 255) {
                        ++opaque;
                        EXPECT_EQ(pixel.rgb(), colors.text().rgb()) << name << " " << symbol;
                        EXPECT_GE(PopupColors::contrastRatio(pixel, background), PopupColors::symbolContrast);
                    }
                }
            }
            EXPECT_GT(opaque, 36) << name << " " << symbol << " draws something";
        }
    }
}

} // namespace
} // namespace sorvu
