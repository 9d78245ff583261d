// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/ClipboardItem.h"
#include "engine/LaunchAtLoginStatus.h"
#include "engine/PasteAttemptResult.h"
#include "engine/QueuedClipboardItem.h"

#include <QBuffer>
#include <QImage>
#include <QSet>

#include <gtest/gtest.h>

using namespace sorvu;

namespace {

QByteArray encode(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage gradient(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
        }
    }
    return image;
}

} // namespace

TEST(ClipboardItemEquality, ComparesTextsByValueImagesByIdentityFilesByUrl) {
    EXPECT_EQ(ClipboardItem::makeText("a"), ClipboardItem::makeText("a"));
    EXPECT_FALSE(ClipboardItem::makeText("a") == ClipboardItem::makeText("A"));

    const QByteArray png = encode(gradient(8, 8), "PNG");
    const auto first = ClipboardImage::fromEncoded(png, "image/png");
    const auto twin = ClipboardImage::fromEncoded(png, "image/png");
    ASSERT_TRUE(first && twin);
    EXPECT_EQ(ClipboardItem::makeImage(first), ClipboardItem::makeImage(first));
    EXPECT_FALSE(ClipboardItem::makeImage(first) == ClipboardItem::makeImage(twin));

    const QUrl url = QUrl::fromLocalFile("/tmp/x/report.pdf");
    EXPECT_EQ(ClipboardItem::makeFile(url, "report.pdf"), ClipboardItem::makeFile(url, "Other name.pdf"));
    EXPECT_FALSE(ClipboardItem::makeFile(url, "a") == ClipboardItem::makeFile(QUrl::fromLocalFile("/tmp/y"), "a"));

    EXPECT_FALSE(ClipboardItem::makeText("/tmp/x/report.pdf") == ClipboardItem::makeFile(url, "report.pdf"));
    EXPECT_FALSE(ClipboardItem::makeText("") == ClipboardItem::makeImage(first));
}

TEST(ClipboardItemEquality, QueuedEntriesNeedTheSameIdAndContent) {
    const auto entry = QueuedClipboardItem::make(ClipboardItem::makeText("a"));
    EXPECT_EQ(entry, (QueuedClipboardItem{entry.id, ClipboardItem::makeText("a")}));
    EXPECT_FALSE(entry == (QueuedClipboardItem{entry.id, ClipboardItem::makeText("b")}));
    EXPECT_FALSE(entry == QueuedClipboardItem::make(ClipboardItem::makeText("a")));
    EXPECT_EQ(uuidString(entry.id).size(), 36);
    EXPECT_EQ(uuidString(entry.id), uuidString(entry.id).toUpper());
}

TEST(PasteAttemptResultValues, RawValuesAreCaseNamesInDeclarationOrder) {
    const QStringList expected = {"queueEmpty",           "queueChanged",          "containsNonText",
                                  "recipientUnavailable", "requestInProgress",     "accessibilityUnavailable",
                                  "eventCreationFailed",  "pasteboardWriteFailed", "commandPosted"};
    QSet<PasteAttemptResult> seen;
    for (int index = 0; index < expected.size(); ++index) {
        const auto result = static_cast<PasteAttemptResult>(index);
        EXPECT_EQ(caseName(result), expected.at(index));
        EXPECT_EQ(fromCaseName<PasteAttemptResult>(expected.at(index)), result);
        seen.insert(result);
    }
    EXPECT_EQ(seen.size(), expected.size());
    EXPECT_FALSE(fromCaseName<PasteAttemptResult>("CommandPosted").has_value());
    EXPECT_FALSE(fromCaseName<PasteAttemptResult>("").has_value());
}

TEST(LaunchAtLoginStatusValues, MapsSystemValuesAndTreatsUnknownAsNotRegistered) {
    EXPECT_EQ(launchAtLoginStatusFromSystemValue(0), LaunchAtLoginStatus::notRegistered);
    EXPECT_EQ(launchAtLoginStatusFromSystemValue(1), LaunchAtLoginStatus::enabled);
    EXPECT_EQ(launchAtLoginStatusFromSystemValue(2), LaunchAtLoginStatus::notRegistered);
    EXPECT_EQ(launchAtLoginStatusFromSystemValue(3), LaunchAtLoginStatus::notFound);
    EXPECT_EQ(launchAtLoginStatusFromSystemValue(4), LaunchAtLoginStatus::notRegistered);
    EXPECT_EQ(launchAtLoginStatusFromSystemValue(-1), LaunchAtLoginStatus::notRegistered);
    EXPECT_EQ(caseName(LaunchAtLoginStatus::notFound), "notFound");
}

TEST(ClipboardImageTest, KeepsTheEncodedBytesAndDecodesOnDemand) {
    const QByteArray png = encode(gradient(640, 480), "PNG");
    const auto image = ClipboardImage::fromEncoded(png, "image/png");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixelSize(), QSize(640, 480));
    EXPECT_EQ(image->encodedBytes(), png);
    EXPECT_EQ(image->pngBytes(), png);
    EXPECT_EQ(image->decode().size(), QSize(640, 480));

    const QImage thumbnail = image->thumbnail(QSize(64, 64));
    EXPECT_EQ(thumbnail.size(), QSize(64, 48));
    EXPECT_EQ(image->thumbnail(QSize(2000, 2000)).size(), QSize(640, 480));
    EXPECT_TRUE(image->thumbnail(QSize(0, 10)).isNull());
}

TEST(ClipboardImageTest, ConvertsOtherFormatsToPngAndRefusesWhatIsNoImage) {
    const auto jpeg = ClipboardImage::fromEncoded(encode(gradient(32, 16), "JPEG"), "image/jpeg");
    ASSERT_TRUE(jpeg);
    const QImage roundTrip = QImage::fromData(jpeg->pngBytes(), "PNG");
    EXPECT_EQ(roundTrip.size(), QSize(32, 16));

    EXPECT_FALSE(ClipboardImage::fromEncoded("not an image at all", "image/png"));
    EXPECT_FALSE(ClipboardImage::fromEncoded({}, "image/png"));
    QByteArray truncated = encode(gradient(32, 16), "PNG").left(10);
    EXPECT_FALSE(ClipboardImage::fromEncoded(truncated, "image/png"));
}
