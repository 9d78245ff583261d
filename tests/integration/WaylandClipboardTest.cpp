// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/wayland/WaylandClipboard.h"
#include "engine/LocalFileUrl.h"
#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandDataControl.h"
#include "tests/integration/support/WaylandSession.h"
#include "tests/support/EncodedImage.h"
#include "tests/support/TestSupport.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace sorvu;
using sorvu::test::ChildProcess;
using sorvu::test::encodedImage;
using sorvu::test::waitUntil;
using sorvu::test::WaylandSession;

namespace {

WaylandSession& session() {
    return *WaylandSession::current();
}

class WaylandClipboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_connection = std::make_unique<WaylandConnection>();
        ASSERT_TRUE(m_connection->isConnected());
        ASSERT_NE(m_connection->dataControl(), nullptr) << m_connection->describe().toStdString();
        m_clipboard = std::make_unique<WaylandClipboard>(m_connection->dataControl());
    }

    // An owner that ends leaves the clipboard empty, a change of its own: it is counted before the next case
    // starts, so that case's waits see only its own copies.
    void TearDown() override {
        const bool foreignOwner = !m_owners.empty() && !m_clipboard->holdsOwnContent();
        const qint64 before = m_clipboard->changeCount();
        m_owners.clear();
        if (foreignOwner) {
            EXPECT_TRUE(waitUntil([&] { return m_clipboard->changeCount() > before; }));
        }
        m_clipboard.reset();
        m_connection.reset();
    }

    // Another program copies: wl-copy offers its input as the type (and, for text, the other names of text)
    // and stays the owner until another copy replaces it. Done once the clipboard has counted the copy.
    void copy(const QByteArray& type, const QByteArray& content) {
        const qint64 before = m_clipboard->changeCount();
        m_owners.push_back(
            session().start({"wl-copy", "--foreground", "--type", QString::fromUtf8(type)}, {content, {}}));
        ASSERT_TRUE(m_owners.back());
        ASSERT_TRUE(waitUntil([&] { return m_clipboard->changeCount() > before; }));
    }

    // An owner of the tests' own that misbehaves in the given way.
    std::unique_ptr<ChildProcess> startScriptedOwner(const QString& mode) {
        const qint64 before = m_clipboard->changeCount();
        auto owner = session().start({SORVU_WAYLAND_SCRIPTED_CLIENT_PROGRAM, mode});
        EXPECT_TRUE(owner);
        EXPECT_TRUE(waitUntil([&] {
            return owner->standardOutput().startsWith("owner\n") && m_clipboard->changeCount() > before;
        })) << owner->standardError().constData();
        return owner;
    }

    static ChildProcess::Result paste(const QByteArray& type) {
        return session().run({"wl-paste", "--no-newline", "--type", QString::fromUtf8(type)}, 10000);
    }

    std::unique_ptr<WaylandConnection> m_connection;
    std::unique_ptr<WaylandClipboard> m_clipboard;
    std::vector<std::unique_ptr<ChildProcess>> m_owners;
};

TEST_F(WaylandClipboardTest, countsEveryCopyAndOurOwnWriteOnceBeforeItReturns) {
    const qint64 start = m_clipboard->changeCount();
    copy("text/plain", "same text");
    copy("text/plain", "same text");
    EXPECT_EQ(m_clipboard->changeCount(), start + 2);
    EXPECT_EQ(m_clipboard->plainText(), QStringLiteral("same text"));
    EXPECT_FALSE(m_clipboard->holdsOwnContent());

    const qint64 beforeWrite = m_clipboard->changeCount();
    ASSERT_TRUE(m_clipboard->write(ClipboardItem::makeText(QStringLiteral("our own"))));
    EXPECT_EQ(m_clipboard->changeCount(), beforeWrite + 1);
    // The compositor tells every data-control client of the new selection, ours included: once another program
    // has read it, that news has come too, and it must not have counted as another change.
    const ChildProcess::Result readBack = paste("text/plain");
    ASSERT_TRUE(readBack.succeeded()) << readBack.standardError.constData();
    EXPECT_EQ(readBack.standardOutput, "our own");
    ASSERT_TRUE(m_connection->roundTrip(QDeadlineTimer(2000)));
    EXPECT_EQ(m_clipboard->changeCount(), beforeWrite + 1);
    EXPECT_TRUE(m_clipboard->holdsOwnContent());
    EXPECT_EQ(m_clipboard->plainText(), QStringLiteral("our own"));

    // Another program's copy cancels ours.
    copy("text/plain", "elsewhere");
    EXPECT_FALSE(m_clipboard->holdsOwnContent());
    EXPECT_EQ(m_clipboard->plainText(), QStringLiteral("elsewhere"));
}

TEST_F(WaylandClipboardTest, readsTextImagesAndFileListsWithTheirTypesAndBytes) {
    const QString text = QStringLiteral("Grüße ✓\nsecond line \t");
    copy("text/plain;charset=utf-8", text.toUtf8());
    EXPECT_TRUE(m_clipboard->fileURLs().isEmpty());
    EXPECT_TRUE(m_clipboard->images().isEmpty());
    EXPECT_EQ(m_clipboard->plainText(), text);
    EXPECT_TRUE(m_clipboard->offeredTypes()->contains(QStringLiteral("text/plain;charset=utf-8")));

    const QByteArray png = encodedImage(QSize(64, 48), "PNG");
    copy("image/png", png);
    EXPECT_TRUE(m_clipboard->fileURLs().isEmpty());
    const QList<ClipboardImageRef> images = m_clipboard->images();
    ASSERT_EQ(images.size(), 1);
    EXPECT_EQ(images.first()->encodedBytes(), png);
    EXPECT_EQ(images.first()->mimeType(), QStringLiteral("image/png"));
    EXPECT_EQ(images.first()->pixelSize(), QSize(64, 48));
    EXPECT_EQ(m_clipboard->offeredTypes(), QStringList{QStringLiteral("image/png")});

    copy("text/uri-list", "file:///tmp/one.txt\r\n# a comment\r\nfile:///tmp/with%20space.png\r\n");
    EXPECT_EQ(m_clipboard->fileURLs(), (QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/tmp/one.txt")),
                                                    QUrl::fromLocalFile(QStringLiteral("/tmp/with space.png"))}));

    copy("x-special/gnome-copied-files", "copy\nfile:///home/user/report.pdf");
    EXPECT_EQ(m_clipboard->fileURLs(), QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/home/user/report.pdf"))});

    // A list that names a web page is no list of files.
    copy("text/uri-list", "file:///tmp/one.txt\r\nhttps://example.org/page\r\n");
    EXPECT_TRUE(m_clipboard->fileURLs().isEmpty());

    // A name that is not UTF-8 (Latin-1 "café") keeps its bytes.
    copy("text/uri-list", "file:///tmp/caf%E9.txt\r\n");
    const QList<QUrl> latin1 = m_clipboard->fileURLs();
    ASSERT_EQ(latin1.size(), 1);
    EXPECT_EQ(localPathBytes(latin1.first()), QByteArray("/tmp/caf\xE9.txt"));
}

TEST_F(WaylandClipboardTest, seesEveryCopyOfARunTwentyMillisecondsApartInOrder) {
    // What the engine does: each change wakes the observer, which reads the text at once. One program makes
    // the copies: separate wl-copy processes started 20 ms apart reach the compositor out of order, as their
    // start-up takes longer than that and varies.
    QStringList seen;
    ASSERT_TRUE(m_clipboard->observeChanges([&] {
        if (const std::optional<QString> text = m_clipboard->plainText(); text && !seen.contains(*text)) {
            seen.append(*text);
        }
    }));
    constexpr int copies = 20;
    const qint64 before = m_clipboard->changeCount();
    m_owners.push_back(session().start({SORVU_WAYLAND_SCRIPTED_CLIENT_PROGRAM, "series"}));
    EXPECT_TRUE(waitUntil([&] { return m_clipboard->changeCount() >= before + copies; }, 10000));
    test::runEventLoopFor(100);
    QStringList expected;
    for (int index = 0; index < copies; ++index) {
        expected.append(QStringLiteral("copy %1").arg(index));
    }
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(m_clipboard->changeCount(), before + copies);
    m_clipboard->observeChanges({});
}

TEST_F(WaylandClipboardTest, stopsAtTheSizeLimitAndSaysSo) {
    m_clipboard->setSizeLimits({qint64(1) << 20, qint64(1) << 20});
    copy("text/plain", QByteArray((2 << 20) + 5, 'x'));
    EXPECT_FALSE(m_clipboard->isContentTooLarge());
    EXPECT_EQ(m_clipboard->plainText(), std::nullopt);
    EXPECT_TRUE(m_clipboard->isContentTooLarge());

    copy("image/png", encodedImage(QSize(1200, 1200), "BMP"));
    EXPECT_TRUE(m_clipboard->images().isEmpty());
    EXPECT_TRUE(m_clipboard->isContentTooLarge());

    // Exactly the limit is not over it.
    copy("text/plain", QByteArray(1 << 20, 'y'));
    EXPECT_EQ(m_clipboard->plainText()->size(), 1 << 20);
    EXPECT_FALSE(m_clipboard->isContentTooLarge());
    m_clipboard->setSizeLimits({});
}

TEST_F(WaylandClipboardTest, readsOnlyTheHintOfASecret) {
    auto owner = startScriptedOwner(QStringLiteral("secret"));
    EXPECT_TRUE(m_clipboard->isSecret());
    ASSERT_TRUE(waitUntil([&] { return owner->standardOutput().contains("sent x-kde-passwordManagerHint"); }));
    test::runEventLoopFor(100);
    EXPECT_EQ(owner->standardOutput(), "owner\nsent x-kde-passwordManagerHint\n");

    copy("text/plain", "not a secret");
    EXPECT_FALSE(m_clipboard->isSecret());
    EXPECT_EQ(m_clipboard->plainText(), QStringLiteral("not a secret"));
}

TEST_F(WaylandClipboardTest, anOwnerThatNeverWritesCostsTheBudgetOnceAndTheEventLoopKeepsTurning) {
    auto owner = startScriptedOwner(QStringLiteral("hung"));
    int ticks = 0;
    qint64 longestGap = 0;
    QElapsedTimer sinceTick;
    sinceTick.start();
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, sinceTick.restart());
        ++ticks;
    });
    ticker.start(10);

    QList<qint64> reads;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QElapsedTimer read;
        read.start();
        EXPECT_TRUE(m_clipboard->fileURLs().isEmpty());
        EXPECT_TRUE(m_clipboard->images().isEmpty());
        EXPECT_EQ(m_clipboard->plainText(), std::nullopt);
        reads.append(read.elapsed());
    });
    poll.start(100);
    ASSERT_TRUE(waitUntil([&] { return reads.size() >= 5 && ticks >= 30; }, 10000));
    poll.stop();
    ticker.stop();
    QStringList milliseconds;
    for (const qint64 read : reads) {
        milliseconds.append(QString::number(read));
    }
    std::printf("hung owner: reads took %s ms, longest event loop gap %lld ms\n", qPrintable(milliseconds.join(' ')),
                longestGap);
    // The first read waits out the budget; every later one knows better.
    EXPECT_GE(reads.first(), WaylandClipboard::readBudgetMilliseconds - 50);
    EXPECT_LT(reads.first(), WaylandClipboard::readBudgetMilliseconds + 400);
    for (qsizetype index = 1; index < reads.size(); ++index) {
        EXPECT_LT(reads.at(index), 100) << "read " << index;
    }
    EXPECT_EQ(owner->standardOutput(), "owner\nsent text/plain;charset=utf-8\n");

    // The next owner's content reads at once.
    copy("text/plain", "after the hung owner");
    EXPECT_EQ(m_clipboard->plainText(), QStringLiteral("after the hung owner"));
}

TEST_F(WaylandClipboardTest, aSlowOwnerOrOneThatDiesCostsAtMostTheBudgetOnce) {
    auto slow = startScriptedOwner(QStringLiteral("slow"));
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(m_clipboard->plainText(), std::nullopt);
    EXPECT_LT(timer.elapsed(), WaylandClipboard::readBudgetMilliseconds + 400);
    timer.restart();
    EXPECT_EQ(m_clipboard->plainText(), std::nullopt);
    EXPECT_LT(timer.elapsed(), 100);
    EXPECT_FALSE(m_clipboard->isContentTooLarge());

    // An owner that dies halfway closes its pipe: what came is all there is, and the empty clipboard it leaves
    // behind is the next change.
    const qint64 before = m_clipboard->changeCount();
    auto dies = startScriptedOwner(QStringLiteral("dies"));
    timer.restart();
    const std::optional<QString> partial = m_clipboard->plainText();
    EXPECT_LT(timer.elapsed(), WaylandClipboard::readBudgetMilliseconds + 400);
    EXPECT_NE(partial, QStringLiteral("hunter2"));
    EXPECT_TRUE(waitUntil([&] { return m_clipboard->changeCount() > before + 1; }));
    EXPECT_TRUE(m_clipboard->offeredTypes()->isEmpty());
}

TEST_F(WaylandClipboardTest, writesTextImagesAndFilesThatOtherProgramsReadByteForByte) {
    QSignalSpy fetched(m_clipboard.get(), &WaylandClipboard::offeredContentFetched);
    const QString text = QStringLiteral("zwölf ✓\n\ttabbed  ");
    ASSERT_TRUE(m_clipboard->write(ClipboardItem::makeText(text)));
    const qint64 textWrite = m_clipboard->changeCount();
    EXPECT_EQ(paste("text/plain").standardOutput, text.toUtf8());
    EXPECT_EQ(paste("text/plain;charset=utf-8").standardOutput, text.toUtf8());
    EXPECT_EQ(paste("UTF8_STRING").standardOutput, text.toUtf8());
    ASSERT_TRUE(waitUntil([&] { return fetched.count() == 3; }));
    EXPECT_EQ(fetched.at(0).at(0).toLongLong(), textWrite);
    EXPECT_EQ(fetched.at(0).at(1).toString(), QStringLiteral("text/plain"));
    // Our own reads are no fetch by another program.
    EXPECT_EQ(m_clipboard->plainText(), text);
    test::runEventLoopFor(100);
    EXPECT_EQ(fetched.count(), 3);

    const QByteArray jpeg = encodedImage(QSize(40, 30), "JPEG");
    ASSERT_TRUE(
        m_clipboard->write(ClipboardItem::makeImage(ClipboardImage::fromEncoded(jpeg, QStringLiteral("image/jpeg")))));
    const QByteArray types = session().run({"wl-paste", "--list-types"}).standardOutput;
    EXPECT_EQ(types, "image/jpeg\nimage/png\n");
    EXPECT_EQ(paste("image/jpeg").standardOutput, jpeg);
    const QImage converted = QImage::fromData(paste("image/png").standardOutput, "PNG");
    EXPECT_EQ(converted.size(), QSize(40, 30));

    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("a file.txt"));
    const QUrl url = QUrl::fromLocalFile(path);
    ASSERT_TRUE(m_clipboard->write(ClipboardItem::makeFile(url, QStringLiteral("a file.txt"))));
    EXPECT_EQ(paste("text/uri-list").standardOutput, url.toEncoded() + "\r\n");
    EXPECT_EQ(paste("x-special/gnome-copied-files").standardOutput, "copy\n" + url.toEncoded());
    EXPECT_EQ(paste("text/plain").standardOutput, path.toUtf8());
    // What we offer reads back through our own side the way the engine would see it.
    EXPECT_EQ(m_clipboard->fileURLs(), QList<QUrl>{url});

    // Another program's copy ends our offer.
    copy("text/plain", "replaced");
    EXPECT_EQ(paste("text/plain").standardOutput, "replaced");
    EXPECT_FALSE(m_clipboard->holdsOwnContent());
}

TEST_F(WaylandClipboardTest, movesFiftyMegabytesBothWaysWithinTheBudget) {
    QByteArray large(50 * 1024 * 1024 + 123, 'x');
    for (qsizetype index = 0; index < large.size(); index += 4096) {
        large[index] = char('a' + (index / 4096) % 26);
    }
    copy("text/plain", large);
    QElapsedTimer timer;
    timer.start();
    const std::optional<QString> read = m_clipboard->plainText();
    const qint64 readMilliseconds = timer.elapsed();
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(read->toLatin1() == large);

    ASSERT_TRUE(m_clipboard->write(ClipboardItem::makeText(QString::fromLatin1(large))));
    timer.restart();
    const ChildProcess::Result written = paste("text/plain");
    const qint64 writeMilliseconds = timer.elapsed();
    ASSERT_TRUE(written.succeeded());
    EXPECT_TRUE(written.standardOutput == large);
    std::printf("50 MB: read %lld ms, written to wl-paste %lld ms\n", readMilliseconds, writeMilliseconds);
}

TEST_F(WaylandClipboardTest, isEmptyOnlyOnceItsOwnerExitedAndNoneTookItSince) {
    copy("text/plain", "soon gone");
    EXPECT_FALSE(m_clipboard->isEmpty());
    const qint64 before = m_clipboard->changeCount();
    m_owners.clear();
    // The compositor tells of a selection without an offer.
    ASSERT_TRUE(waitUntil([&] { return m_clipboard->changeCount() > before; }));
    EXPECT_TRUE(m_clipboard->isEmpty());
    EXPECT_EQ(m_clipboard->offeredTypes(), QStringList());
    ASSERT_TRUE(m_clipboard->write(ClipboardItem::makeText(QStringLiteral("our own"))));
    EXPECT_FALSE(m_clipboard->isEmpty());
}

TEST_F(WaylandClipboardTest, tellsItsObserverOfEveryChangeThroughTheEventLoop) {
    int calls = 0;
    ASSERT_TRUE(m_clipboard->observeChanges([&calls] { ++calls; }));
    copy("text/plain", "first");
    EXPECT_TRUE(waitUntil([&] { return calls >= 1; }));
    const int afterCopy = calls;
    ASSERT_TRUE(m_clipboard->write(ClipboardItem::makeText(QStringLiteral("our own"))));
    // Counted before the write returned, told later, never from inside the call.
    EXPECT_EQ(calls, afterCopy);
    EXPECT_TRUE(waitUntil([&] { return calls > afterCopy; }));
    m_clipboard->observeChanges({});
}

} // namespace
