// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/unit/views/ViewsFixture.h"
#include "views/PointerProbe.h"
#include "views/ThemeIconProvider.h"
#include "views/ThumbnailProvider.h"

#include <QCursor>
#include <QQuickWindow>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace sorvu {
namespace {

using ImageProvidersTest = test::ViewsFixture;

TEST_F(ImageProvidersTest, ThumbnailsAreSmallKeptPerEntryAndLetGoWithIt) {
    addImage(3840, 2160);
    addTexts({"text"});
    ThumbnailProvider provider(*queue);
    QSize size;
    const QImage thumbnail = provider.requestImage(uuidString(idAt(0)), &size, QSize(56, 56));
    ASSERT_FALSE(thumbnail.isNull());
    // Decoded to fit the row, never at the picture's own size.
    EXPECT_EQ(thumbnail.size(), QSize(56, 31));
    EXPECT_EQ(size, thumbnail.size());
    EXPECT_EQ(provider.cachedCount(), 1);
    EXPECT_EQ(provider.requestImage(uuidString(idAt(0)), &size, QSize(56, 56)).cacheKey(), thumbnail.cacheKey())
        << "a second request is answered from the cache";

    EXPECT_TRUE(provider.requestImage(uuidString(idAt(1)), &size, QSize(56, 56)).isNull()) << "a text has none";
    queue->remove(idAt(0));
    EXPECT_EQ(provider.cachedCount(), 0);
}

TEST_F(ImageProvidersTest, IconsComeFromTheThemeOrSorvusOwnDrawings) {
    ThemeIconProvider symbols(ThemeIconProvider::Kind::symbol);
    QSize size;
    for (const char* name : {"gearshape", "xmark.circle.fill", "checkmark", "arrow.counterclockwise.circle"}) {
        const QPixmap pixmap = symbols.requestPixmap(QString::fromLatin1(name), &size, QSize(18, 18));
        EXPECT_FALSE(pixmap.isNull()) << name;
        EXPECT_EQ(pixmap.size(), QSize(18, 18)) << name;
    }
    // A type the theme does not know still gets a file or folder drawing.
    ThemeIconProvider files(ThemeIconProvider::Kind::fileType);
    EXPECT_FALSE(files.requestPixmap("x-no-such-type/x-no-such-generic", &size, QSize(28, 28)).isNull());
    EXPECT_EQ(ThemeIconProvider::bundledIcon(ThemeIconProvider::Kind::fileType, "inode-directory/folder"),
              ":/icons/symbols/folder.svg");
}

TEST(PointerProbeTest, TellsWhetherThePointerIsOverItAfterItsPlaceChangesOrTheHoverEnds) {
    QQuickWindow window;
    window.setGeometry(100, 100, 200, 200);
    window.show();
    PointerProbe probe(window.contentItem());
    probe.setPosition({0, 50});
    probe.setSize({200, 30});
    QSignalSpy checks(&probe, &PointerProbe::checked);
    QCursor::setPos(window.screen(), 150, 160);
    probe.recheck();
    ASSERT_TRUE(test::waitUntil([&] { return checks.count() == 1; }));
    EXPECT_TRUE(checks.last().at(0).toBool());

    // Only the newest of two quick changes is looked at.
    QCursor::setPos(window.screen(), 150, 10);
    probe.setIndex(3);
    probe.setRefresh(1);
    ASSERT_TRUE(test::waitUntil([&] { return checks.count() == 2; }));
    test::runEventLoopFor(50);
    EXPECT_EQ(checks.count(), 2);
    EXPECT_FALSE(checks.last().at(0).toBool());

    // The same place again asks nothing; a recheck while the row glides does.
    probe.setIndex(3);
    test::runEventLoopFor(50);
    EXPECT_EQ(checks.count(), 2);
    probe.recheck();
    ASSERT_TRUE(test::waitUntil([&] { return checks.count() == 3; }));
}

} // namespace
} // namespace sorvu
