// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/LocalFileUrl.h"
#include "platform/linux/ClipboardTypes.h"
#include "platform/wayland/WaylandOfferedContent.h"

#include "tests/support/EncodedImage.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace sorvu;
using namespace sorvu::clipboardtypes;

namespace {

TEST(WaylandClipboardTypesTest, choosesTheTypesToReadFromWhatACopyOffers) {
    // As a GTK program on Wayland offers a text, with the X11 names beside the MIME ones.
    const QList<QByteArray> gtkText = {"text/plain", "UTF8_STRING", "TEXT", "STRING", "text/plain;charset=utf-8"};
    EXPECT_EQ(textType(gtkText), QByteArray("text/plain;charset=utf-8"));
    EXPECT_EQ(textType({"STRING", "UTF8_STRING", "text/plain"}), QByteArray("UTF8_STRING"));
    EXPECT_EQ(textType({"text/plain"}), QByteArray("text/plain"));
    EXPECT_EQ(textType({"STRING", "text/html", "image/png"}), std::nullopt);

    // PNG first, then the others in the order offered, unknown kinds left out; the first that decodes wins.
    EXPECT_EQ(imageTypes({"text/html", "image/webp", "image/x-icon", "image/png", "image/webp", "image/jpeg"}),
              (QList<QByteArray>{"image/png", "image/webp", "image/jpeg"}));
    EXPECT_TRUE(imageTypes(gtkText).isEmpty());

    // File lists: the URI list first whatever the order offered.
    EXPECT_EQ(fileListTypes({"x-special/gnome-copied-files", "text/plain", "text/uri-list"}),
              (QList<QByteArray>{"text/uri-list", "x-special/gnome-copied-files"}));
    EXPECT_TRUE(fileListTypes(gtkText).isEmpty());
}

TEST(WaylandClipboardTypesTest, readsLocalFilesFromFileListsAndNothingElse) {
    EXPECT_EQ(localFilesFromList("text/uri-list", "file:///tmp/a.txt\r\n# comment\r\nfile://localhost/tmp/b%20c\r\n"),
              (QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/tmp/a.txt")),
                           QUrl::fromLocalFile(QStringLiteral("/tmp/b c"))}));
    // GNOME's first line says copy or cut, and some programs leave it out.
    const QList<QUrl> report{QUrl::fromLocalFile(QStringLiteral("/home/u/report.pdf"))};
    EXPECT_EQ(localFilesFromList("x-special/gnome-copied-files", "cut\nfile:///home/u/report.pdf"), report);
    EXPECT_EQ(localFilesFromList("x-special/gnome-copied-files", "file:///home/u/report.pdf\n"), report);
    // "copy" is no file in a URI list: only GNOME's list starts with it.
    EXPECT_EQ(localFilesFromList("text/uri-list", "copy\nfile:///home/u/report.pdf"), std::nullopt);
    EXPECT_EQ(localFilesFromList("text/uri-list", "file:///tmp/a.txt\nhttps://example.org/"), std::nullopt);
    EXPECT_EQ(localFilesFromList("text/uri-list", "file://otherhost/tmp/a.txt"), std::nullopt);
    const std::optional<QList<QUrl>> latin1 = localFilesFromList("text/uri-list", "file:///tmp/caf%E9");
    ASSERT_TRUE(latin1 && latin1->size() == 1);
    EXPECT_EQ(localPathBytes(latin1->first()), QByteArray("/tmp/caf\xE9"));
}

TEST(WaylandClipboardTypesTest, offersEachKindOfEntryAsTheSameTypesAsOnX11) {
    const WaylandOfferedContent text(ClipboardItem::makeText(QStringLiteral("zwölf ✓")));
    EXPECT_EQ(text.mimeTypes(), (QList<QByteArray>{"text/plain;charset=utf-8", "text/plain", "UTF8_STRING"}));
    for (const QByteArray& type : text.mimeTypes()) {
        EXPECT_EQ(text.bytes(type), QStringLiteral("zwölf ✓").toUtf8()) << type.constData();
    }
    EXPECT_TRUE(text.bytes("image/png").isEmpty());

    const QByteArray jpeg = test::encodedImage(QSize(7, 5), "JPEG");
    const WaylandOfferedContent picture(
        ClipboardItem::makeImage(ClipboardImage::fromEncoded(jpeg, QStringLiteral("image/jpeg"))));
    EXPECT_EQ(picture.mimeTypes(), (QList<QByteArray>{"image/jpeg", "image/png"}));
    EXPECT_EQ(picture.bytes("image/jpeg"), jpeg);
    EXPECT_EQ(QImage::fromData(picture.bytes("image/png"), "PNG").size(), QSize(7, 5));

    const QUrl url = localFileUrl("/tmp/caf\xE9 1.txt");
    const WaylandOfferedContent file(ClipboardItem::makeFile(url, QStringLiteral("café 1.txt")));
    EXPECT_EQ(file.mimeTypes(), (QList<QByteArray>{"text/uri-list", "x-special/gnome-copied-files",
                                                   "text/plain;charset=utf-8", "text/plain", "UTF8_STRING"}));
    EXPECT_EQ(file.bytes("text/uri-list"), "file:///tmp/caf%E9%201.txt\r\n");
    EXPECT_EQ(file.bytes("x-special/gnome-copied-files"), "copy\nfile:///tmp/caf%E9%201.txt");
    // The path as the bytes the file system knows it by.
    EXPECT_EQ(file.bytes("text/plain"), QByteArray("/tmp/caf\xE9 1.txt"));
}

} // namespace
