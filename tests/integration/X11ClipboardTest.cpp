// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11Clipboard.h"
#include "engine/LocalFileUrl.h"
#include "tests/integration/support/ChildProcess.h"
#include "tests/integration/support/X11ServerState.h"
#include "tests/support/EncodedImage.h"
#include "tests/support/TestSupport.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace sorvu;
using sorvu::test::ChildProcess;
using sorvu::test::encodedImage;
using sorvu::test::waitUntil;

namespace {

class X11ClipboardTest : public ::testing::Test {
protected:
    // Another program copies: xclip offers the input as the one type and stays the owner until it loses it.
    void copyWithXclip(const QByteArray& type, const QByteArray& content) {
        copyWith({"xclip", "-quiet", "-selection", "clipboard", "-t", QString::fromUtf8(type), "-i"}, content);
    }

    // Done once the server names a new owner, the clipboard has counted a change since the start (the
    // end of an earlier owner may be what it counted, but its reads then reach the new owner). A write may
    // follow at once, before Qt has had the news of the copy.
    void copyWith(const QStringList& command, const QByteArray& content) {
        const qint64 before = m_clipboard.changeCount();
        const unsigned long ownerBefore = sorvu::test::clipboardOwnerWindow();
        m_owners.push_back(ChildProcess::start(command, {content, {}}));
        ASSERT_TRUE(m_owners.back());
        ASSERT_TRUE(waitUntil([&] {
            const unsigned long owner = sorvu::test::clipboardOwnerWindow();
            return owner != 0 && owner != ownerBefore && m_clipboard.changeCount() > before;
        }));
    }

    // An owner of the tests' own that misbehaves in the given way.
    void startScriptedOwner(const QString& mode, const QStringList& arguments = {}) {
        const qint64 before = m_clipboard.changeCount();
        m_owners.push_back(ChildProcess::start(QStringList{SORVU_SCRIPTED_OWNER_PROGRAM, mode} + arguments));
        ASSERT_TRUE(m_owners.back());
        ASSERT_TRUE(waitUntil(
            [&] { return m_owners.back()->standardOutput() == "owner\n" && m_clipboard.changeCount() > before; }));
    }

    static ChildProcess::Result readWithXclip(const QByteArray& type) {
        return ChildProcess::run({"xclip", "-o", "-selection", "clipboard", "-t", type}, 20000);
    }

    // An owner ending leaves the clipboard without owner, a change of its own: it is counted before the next
    // case starts, so that case's waits see only its own copies.
    void TearDown() override {
        const qint64 before = m_clipboard.changeCount();
        const unsigned long owner = sorvu::test::clipboardOwnerWindow();
        const bool foreignOwner = owner != 0 && !QGuiApplication::clipboard()->ownsClipboard();
        m_owners.clear();
        if (foreignOwner) {
            EXPECT_TRUE(waitUntil([&] { return m_clipboard.changeCount() > before; }));
        }
    }

    X11Clipboard m_clipboard;
    std::vector<std::unique_ptr<ChildProcess>> m_owners;
};

TEST_F(X11ClipboardTest, countsEveryNewOwnerAndOurOwnWriteOnceBeforeItReturns) {
    const qint64 start = m_clipboard.changeCount();
    copyWithXclip("UTF8_STRING", "same text");
    copyWithXclip("UTF8_STRING", "same text");
    EXPECT_EQ(m_clipboard.changeCount(), start + 2);
    EXPECT_EQ(m_clipboard.plainText(), QStringLiteral("same text"));

    const qint64 beforeWrite = m_clipboard.changeCount();
    ASSERT_TRUE(m_clipboard.write(ClipboardItem::makeText(QStringLiteral("our own"))));
    EXPECT_EQ(m_clipboard.changeCount(), beforeWrite + 1);
    // The server's report of our new ownership reaches Qt later, before xclip's request for the content
    // (one connection, in order): once xclip has the text, that report has been handled, and it must not
    // have counted as another change.
    const ChildProcess::Result readBack = readWithXclip("UTF8_STRING");
    ASSERT_TRUE(readBack.succeeded());
    EXPECT_EQ(readBack.standardOutput, "our own");
    EXPECT_EQ(m_clipboard.changeCount(), beforeWrite + 1);
    EXPECT_EQ(m_clipboard.plainText(), QStringLiteral("our own"));
}

TEST_F(X11ClipboardTest, readsTextFromXselAndXclip) {
    const QString text = QStringLiteral("Grüße ✓\nsecond line ");
    copyWith({"xsel", "--clipboard", "--input", "--nodetach"}, text.toUtf8());
    EXPECT_TRUE(m_clipboard.fileURLs().isEmpty());
    EXPECT_TRUE(m_clipboard.images().isEmpty());
    EXPECT_EQ(m_clipboard.plainText(), text);
    EXPECT_TRUE(m_clipboard.offeredTypes()->contains(QStringLiteral("text/plain")));

    copyWithXclip("text/plain", "only text/plain");
    EXPECT_EQ(m_clipboard.plainText(), QStringLiteral("only text/plain"));
}

TEST_F(X11ClipboardTest, readsLocalFileUrlsAndNothingElseAsFiles) {
    copyWithXclip("text/uri-list", "file:///tmp/one.txt\r\n# a comment\r\nfile:///tmp/with%20space.png\r\n");
    EXPECT_EQ(m_clipboard.fileURLs(), (QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/tmp/one.txt")),
                                                   QUrl::fromLocalFile(QStringLiteral("/tmp/with space.png"))}));
    EXPECT_EQ(m_clipboard.offeredTypes(), QStringList{QStringLiteral("text/uri-list")});

    copyWithXclip("x-special/gnome-copied-files", "copy\nfile:///home/user/report.pdf");
    EXPECT_EQ(m_clipboard.fileURLs(), QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/home/user/report.pdf"))});

    copyWithXclip("text/uri-list", "file:///tmp/one.txt\r\nhttps://example.org/page\r\n");
    EXPECT_TRUE(m_clipboard.fileURLs().isEmpty());

    // A name that is not UTF-8 (Latin-1 "café") keeps its bytes.
    copyWithXclip("text/uri-list", "file:///tmp/caf%E9.txt\r\n");
    const QList<QUrl> latin1 = m_clipboard.fileURLs();
    ASSERT_EQ(latin1.size(), 1);
    EXPECT_EQ(localPathBytes(latin1.first()), QByteArray("/tmp/caf\xE9.txt"));
}

TEST_F(X11ClipboardTest, readsImagesAsTheirEncodedBytes) {
    const QByteArray png = encodedImage(QSize(64, 48), "PNG");
    copyWithXclip("image/png", png);
    EXPECT_TRUE(m_clipboard.fileURLs().isEmpty());
    const QList<ClipboardImageRef> images = m_clipboard.images();
    ASSERT_EQ(images.size(), 1);
    EXPECT_EQ(images.first()->encodedBytes(), png);
    EXPECT_EQ(images.first()->mimeType(), QStringLiteral("image/png"));
    EXPECT_EQ(images.first()->pixelSize(), QSize(64, 48));
    EXPECT_EQ(m_clipboard.offeredTypes(), QStringList{QStringLiteral("image/png")});

    const QByteArray jpeg = encodedImage(QSize(30, 20), "JPEG");
    copyWithXclip("image/jpeg", jpeg);
    ASSERT_EQ(m_clipboard.images().size(), 1);
    EXPECT_EQ(m_clipboard.images().first()->mimeType(), QStringLiteral("image/jpeg"));
    EXPECT_EQ(m_clipboard.images().first()->encodedBytes(), jpeg);

    copyWithXclip("image/png", "not an image at all");
    EXPECT_TRUE(m_clipboard.images().isEmpty());
}

TEST_F(X11ClipboardTest, writesTextImagesAndFilesForOtherPrograms) {
    ASSERT_TRUE(m_clipboard.write(ClipboardItem::makeText(QStringLiteral("zwölf ✓"))));
    EXPECT_EQ(readWithXclip("UTF8_STRING").standardOutput, QStringLiteral("zwölf ✓").toUtf8());
    EXPECT_EQ(readWithXclip("text/plain;charset=utf-8").standardOutput, QStringLiteral("zwölf ✓").toUtf8());

    const QByteArray jpeg = encodedImage(QSize(40, 30), "JPEG");
    ASSERT_TRUE(
        m_clipboard.write(ClipboardItem::makeImage(ClipboardImage::fromEncoded(jpeg, QStringLiteral("image/jpeg")))));
    const QByteArray targets = readWithXclip("TARGETS").standardOutput;
    EXPECT_TRUE(targets.contains("image/jpeg")) << targets.constData();
    EXPECT_TRUE(targets.contains("image/png")) << targets.constData();
    EXPECT_EQ(readWithXclip("image/jpeg").standardOutput, jpeg);
    const QImage converted = QImage::fromData(readWithXclip("image/png").standardOutput, "PNG");
    EXPECT_EQ(converted.size(), QSize(40, 30));

    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("a file.txt"));
    const QUrl url = QUrl::fromLocalFile(path);
    ASSERT_TRUE(m_clipboard.write(ClipboardItem::makeFile(url, QStringLiteral("a file.txt"))));
    EXPECT_EQ(readWithXclip("text/uri-list").standardOutput.trimmed(), url.toEncoded());
    EXPECT_EQ(readWithXclip("x-special/gnome-copied-files").standardOutput, "copy\n" + url.toEncoded());
    EXPECT_EQ(readWithXclip("UTF8_STRING").standardOutput, path.toUtf8());
    // What we offer reads back through our own side the way the engine would see it.
    EXPECT_EQ(m_clipboard.fileURLs(), QList<QUrl>{url});
}

TEST_F(X11ClipboardTest, takesTheClipboardBackRightAfterAnotherProgramCopied) {
    // xclip takes the clipboard at the server's current time, later than any event our program may have seen;
    // ending it leaves the clipboard without owner, but the server keeps that time as the last change.
    for (int round = 0; round < 6; ++round) {
        copyWithXclip("UTF8_STRING", "copied elsewhere");
        const unsigned long otherOwner = sorvu::test::clipboardOwnerWindow();
        if (round % 2 == 1) {
            m_owners.clear();
        }
        const QString ours = QStringLiteral("ours %1").arg(round);
        ASSERT_TRUE(m_clipboard.write(ClipboardItem::makeText(ours)));
        EXPECT_NE(sorvu::test::clipboardOwnerWindow(), otherOwner);
        EXPECT_EQ(readWithXclip("UTF8_STRING").standardOutput, ours.toUtf8());
    }
}

TEST_F(X11ClipboardTest, reportsEachFetchOfOurContentByAnotherProgram) {
    QSignalSpy fetched(&m_clipboard, &X11Clipboard::offeredContentFetched);
    ASSERT_TRUE(m_clipboard.write(ClipboardItem::makeText(QStringLiteral("first"))));
    const qint64 firstWrite = m_clipboard.changeCount();
    // Our own reads are no fetch by another program.
    EXPECT_EQ(m_clipboard.plainText(), QStringLiteral("first"));
    EXPECT_FALSE(waitUntil([&] { return fetched.count() > 0; }, 100));

    ASSERT_TRUE(readWithXclip("UTF8_STRING").succeeded());
    ASSERT_TRUE(waitUntil([&] { return fetched.count() == 1; }));
    EXPECT_EQ(fetched.at(0).at(0).toLongLong(), firstWrite);

    ASSERT_TRUE(m_clipboard.write(ClipboardItem::makeText(QStringLiteral("second"))));
    ASSERT_TRUE(readWithXclip("UTF8_STRING").succeeded());
    ASSERT_TRUE(waitUntil([&] { return fetched.count() == 2; }));
    EXPECT_EQ(fetched.at(1).at(0).toLongLong(), firstWrite + 1);
}

TEST_F(X11ClipboardTest, offersOurLastWriteOnPrimaryOnlyUntilItIsFetched) {
    const auto readPrimary = [] { return ChildProcess::run({"xclip", "-o", "-selection", "primary"}, 5000); };
    QSignalSpy fetched(&m_clipboard, &X11Clipboard::offeredContentFetched);
    ASSERT_TRUE(m_clipboard.write(ClipboardItem::makeText(QStringLiteral("two\nlines"))));
    const qint64 write = m_clipboard.changeCount();
    m_clipboard.offerLastWriteOnPrimary();
    // The clipboard itself still holds the write, and PRIMARY changes no count.
    EXPECT_EQ(m_clipboard.changeCount(), write);

    const ChildProcess::Result pasted = readPrimary();
    EXPECT_TRUE(pasted.succeeded());
    EXPECT_EQ(pasted.standardOutput, QByteArray("two\nlines"));
    // A paste from PRIMARY is a fetch of that write.
    ASSERT_TRUE(waitUntil([&] { return fetched.count() == 1; }));
    EXPECT_EQ(fetched.at(0).at(0).toLongLong(), write);
    EXPECT_TRUE(waitUntil([&] { return readPrimary().standardOutput.isEmpty(); }));
    EXPECT_EQ(m_clipboard.plainText(), QStringLiteral("two\nlines"));
}

TEST_F(X11ClipboardTest, givesPrimaryUpUnfetchedInTimeAndOffersNothingThereOnceAnotherProgramCopied) {
    const auto readPrimary = [] { return ChildProcess::run({"xclip", "-o", "-selection", "primary"}, 5000); };
    ASSERT_TRUE(m_clipboard.write(ClipboardItem::makeText(QStringLiteral("unfetched"))));
    m_clipboard.offerLastWriteOnPrimary();
    ASSERT_TRUE(waitUntil([] { return QGuiApplication::clipboard()->ownsSelection(); }));
    EXPECT_TRUE(waitUntil([] { return !QGuiApplication::clipboard()->ownsSelection(); },
                          X11Clipboard::primaryOfferMilliseconds + 3000));
    EXPECT_TRUE(readPrimary().standardOutput.isEmpty());

    ASSERT_TRUE(m_clipboard.write(ClipboardItem::makeText(QStringLiteral("replaced"))));
    copyWithXclip("UTF8_STRING", "copied elsewhere");
    m_clipboard.offerLastWriteOnPrimary();
    test::runEventLoopFor(100);
    EXPECT_FALSE(QGuiApplication::clipboard()->ownsSelection());
    EXPECT_TRUE(readPrimary().standardOutput.isEmpty());
}

TEST_F(X11ClipboardTest, movesFiftyMegabytesBothWays) {
    QByteArray large(50 * 1024 * 1024 + 123, 'x');
    for (qsizetype index = 0; index < large.size(); index += 4096) {
        large[index] = char('a' + (index / 4096) % 26);
    }

    copyWithXclip("UTF8_STRING", large);
    QElapsedTimer timer;
    timer.start();
    const std::optional<QString> read = m_clipboard.plainText();
    const qint64 readMilliseconds = timer.elapsed();
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->size(), large.size());
    EXPECT_TRUE(*read == QString::fromLatin1(large));
    m_owners.clear();

    ASSERT_TRUE(m_clipboard.write(ClipboardItem::makeText(QString::fromLatin1(large))));
    timer.restart();
    const ChildProcess::Result written = readWithXclip("UTF8_STRING");
    const qint64 writeMilliseconds = timer.elapsed();
    ASSERT_TRUE(written.succeeded());
    EXPECT_EQ(written.standardOutput.size(), large.size());
    EXPECT_TRUE(written.standardOutput == large);
    RecordProperty("readMilliseconds", int(readMilliseconds));
    RecordProperty("writeMilliseconds", int(writeMilliseconds));
    std::printf("50 MB: read %lld ms, written to xclip %lld ms\n", readMilliseconds, writeMilliseconds);
}

TEST_F(X11ClipboardTest, anOwnerThatNeverAnswersCostsAtMostTheBudgetAndIsUnreadable) {
    const qint64 before = m_clipboard.changeCount();
    auto owner = ChildProcess::start({SORVU_SCRIPTED_OWNER_PROGRAM, "hung"});
    ASSERT_TRUE(owner);
    ASSERT_TRUE(waitUntil([&] { return m_clipboard.changeCount() > before && owner->standardOutput() == "owner\n"; }));

    // The event loop keeps turning while the engine-like poll reads the hung owner ten times a second.
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

    int polls = 0;
    qint64 longestRead = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QElapsedTimer read;
        read.start();
        const bool empty =
            m_clipboard.fileURLs().isEmpty() && m_clipboard.images().isEmpty() && !m_clipboard.plainText().has_value();
        longestRead = std::max(longestRead, read.elapsed());
        EXPECT_TRUE(empty);
        ++polls;
    });
    poll.start(100);
    ASSERT_TRUE(waitUntil([&] { return polls >= 5 && ticks >= 30; }, 10000));
    poll.stop();
    ticker.stop();

    EXPECT_LT(longestRead, 1000);
    EXPECT_LT(longestGap, 1000);
    EXPECT_EQ(m_clipboard.offeredTypes(), QStringList());
    std::printf("hung owner: longest poll %lld ms, longest event loop gap %lld ms, %d ticks\n", longestRead, longestGap,
                ticks);

    // The next owner's content reads again at once.
    copyWithXclip("UTF8_STRING", "after the hung owner");
    EXPECT_EQ(m_clipboard.plainText(), QStringLiteral("after the hung owner"));
}

} // namespace

TEST_F(X11ClipboardTest, tellsItsObserverOfEveryChangeThroughTheEventLoop) {
    int calls = 0;
    ASSERT_TRUE(m_clipboard.observeChanges([&calls] { ++calls; }));
    copyWithXclip("UTF8_STRING", "first");
    EXPECT_TRUE(waitUntil([&] { return calls >= 1; }));
    const int afterCopy = calls;
    ASSERT_TRUE(m_clipboard.write(ClipboardItem::makeText(QStringLiteral("our own"))));
    // Counted before the write returned, told later, never from inside the call.
    EXPECT_EQ(calls, afterCopy);
    EXPECT_TRUE(waitUntil([&] { return calls > afterCopy; }));
    m_clipboard.observeChanges({});
}

TEST_F(X11ClipboardTest, isEmptyOnlyOnceItsOwnerExitedAndNoneTookItSince) {
    copyWithXclip("UTF8_STRING", "soon gone");
    EXPECT_FALSE(m_clipboard.isEmpty());
    const qint64 before = m_clipboard.changeCount();
    m_owners.clear();
    ASSERT_TRUE(waitUntil([&] { return m_clipboard.changeCount() > before; }));
    EXPECT_TRUE(m_clipboard.isEmpty());
    EXPECT_EQ(m_clipboard.offeredTypes(), QStringList());

    // An owner that lists nothing in time is still an owner.
    startScriptedOwner(QStringLiteral("hung"));
    EXPECT_FALSE(m_clipboard.isEmpty());
    ASSERT_TRUE(m_clipboard.write(ClipboardItem::makeText(QStringLiteral("our own"))));
    EXPECT_FALSE(m_clipboard.isEmpty());
}

TEST_F(X11ClipboardTest, aCopyMadeWhileReadingMovesTheCountBeforeTheReadReturns) {
    startScriptedOwner(QStringLiteral("reclaim"));
    const qint64 before = m_clipboard.changeCount();
    // The owner takes the clipboard anew before it answers: the answer belongs to the newer copy, and the
    // count says so by the time the read returns, so the caller does not file it under the older one.
    EXPECT_EQ(m_clipboard.plainText(), QStringLiteral("BBB"));
    EXPECT_GT(m_clipboard.changeCount(), before);
}

TEST_F(X11ClipboardTest, aSlowIncrementalOwnerCostsAtMostTheBudgetOnce) {
    startScriptedOwner(QStringLiteral("slow-incr"));
    QElapsedTimer timer;
    timer.start();
    // Sixteen bytes every 300 ms would take 30 s; the whole read shares one budget of half a second.
    EXPECT_EQ(m_clipboard.plainText(), std::nullopt);
    EXPECT_LT(timer.elapsed(), 2000);
    timer.restart();
    EXPECT_EQ(m_clipboard.plainText(), std::nullopt);
    EXPECT_LT(timer.elapsed(), 250);
    EXPECT_FALSE(m_clipboard.isContentTooLarge());
}

TEST_F(X11ClipboardTest, contentOverItsLimitIsNotReadAndSaysSo) {
    m_clipboard.setSizeLimits({qint64(1) << 20, qint64(1) << 20});
    copyWithXclip("UTF8_STRING", QByteArray(2 << 20, 'x'));
    EXPECT_EQ(m_clipboard.plainText(), std::nullopt);
    EXPECT_TRUE(m_clipboard.isContentTooLarge());

    // Announced as a gigabyte: refused without reading a piece.
    startScriptedOwner(QStringLiteral("huge-incr"));
    EXPECT_FALSE(m_clipboard.isContentTooLarge());
    EXPECT_EQ(m_clipboard.plainText(), std::nullopt);
    EXPECT_TRUE(m_clipboard.isContentTooLarge());

    copyWithXclip("image/png", encodedImage(QSize(1200, 1200), "BMP"));
    EXPECT_TRUE(m_clipboard.images().isEmpty());
    EXPECT_TRUE(m_clipboard.isContentTooLarge());

    copyWithXclip("UTF8_STRING", "small");
    EXPECT_EQ(m_clipboard.plainText(), QStringLiteral("small"));
    EXPECT_FALSE(m_clipboard.isContentTooLarge());
    m_clipboard.setSizeLimits({});
}

TEST_F(X11ClipboardTest, readsFileListsAsFileManagersWriteThem) {
    QTemporaryDir directory;
    const QString spaced = directory.filePath(QStringLiteral("with space.txt"));
    const QString plain = directory.filePath(QStringLiteral("plain.txt"));
    for (const QString& path : {spaced, plain}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    // A raw space, not encoded as %20.
    copyWithXclip("text/uri-list", "file://" + spaced.toUtf8() + "\r\n");
    EXPECT_EQ(m_clipboard.fileURLs(), QList<QUrl>({QUrl::fromLocalFile(spaced)}));

    // Without the line that says copy or cut, the first file is a file like the others.
    copyWithXclip("x-special/gnome-copied-files",
                  QUrl::fromLocalFile(plain).toEncoded() + "\n" + QUrl::fromLocalFile(spaced).toEncoded());
    EXPECT_EQ(m_clipboard.fileURLs(), QList<QUrl>({QUrl::fromLocalFile(plain), QUrl::fromLocalFile(spaced)}));

    copyWithXclip("x-special/gnome-copied-files", "cut\n" + QUrl::fromLocalFile(plain).toEncoded());
    EXPECT_EQ(m_clipboard.fileURLs(), QList<QUrl>({QUrl::fromLocalFile(plain)}));
}

TEST_F(X11ClipboardTest, tellsWhatPasswordManagersMarkAsSecret) {
    startScriptedOwner(QStringLiteral("secret"));
    EXPECT_TRUE(m_clipboard.isSecret());
    // Other spellings of the hint, one that cannot be read, and one that plainly says "not a secret".
    const QString secretInUtf16WithMark = QByteArray("\xFF\xFES\0e\0c\0r\0e\0t\0", 14).toHex();
    for (const QString& hint : {QString(QByteArray("SECRET").toHex()), secretInUtf16WithMark,
                                QString(QByteArray("\0s\0e\0c\0r\0e\0t", 12).toHex()), QStringLiteral("refuse")}) {
        startScriptedOwner(QStringLiteral("secret"), {hint});
        EXPECT_TRUE(m_clipboard.isSecret()) << hint.toStdString();
    }
    startScriptedOwner(QStringLiteral("secret"), {QString(QByteArray(" Public\n").toHex())});
    EXPECT_FALSE(m_clipboard.isSecret());
    copyWithXclip("UTF8_STRING", "ordinary");
    EXPECT_FALSE(m_clipboard.isSecret());
    ASSERT_TRUE(m_clipboard.write(ClipboardItem::makeText(QStringLiteral("ours"))));
    EXPECT_FALSE(m_clipboard.isSecret());
}

TEST_F(X11ClipboardTest, tellsACopyTheDesktopKeptFromACopyMadeAgain) {
    // Copied twice in one type by an ordinary program: two copies, although the second looks like a kept one.
    copyWithXclip("text/plain;charset=utf-8", "kept text");
    EXPECT_FALSE(m_clipboard.isKeptCopy());
    EXPECT_EQ(m_clipboard.plainText(), QStringLiteral("kept text"));
    copyWithXclip("text/plain;charset=utf-8", "kept text");
    EXPECT_FALSE(m_clipboard.isKeptCopy());
    EXPECT_EQ(m_clipboard.plainText(), QStringLiteral("kept text"));

    // The program quits, and the desktop takes the clipboard over with the content it read from it.
    const qint64 beforeQuit = m_clipboard.changeCount();
    m_owners.clear();
    ASSERT_TRUE(waitUntil([&] { return m_clipboard.changeCount() > beforeQuit; }));
    startScriptedOwner(QStringLiteral("keeper"), {QStringLiteral("kept text")});
    EXPECT_TRUE(m_clipboard.isKeptCopy());

    // The desktop holding other content than was read before: a copy, whoever owns it.
    startScriptedOwner(QStringLiteral("keeper"), {QStringLiteral("new text")});
    EXPECT_FALSE(m_clipboard.isKeptCopy());
    EXPECT_EQ(m_clipboard.plainText(), QStringLiteral("new text"));

    // A secret is never read, and the desktop keeping text after it is the secret kept: not to be collected.
    startScriptedOwner(QStringLiteral("secret"));
    EXPECT_TRUE(m_clipboard.isSecret());
    startScriptedOwner(QStringLiteral("keeper"), {QStringLiteral("hunter2")});
    EXPECT_TRUE(m_clipboard.isKeptCopy());
    // Our own content is never a kept copy.
    ASSERT_TRUE(m_clipboard.write(ClipboardItem::makeText(QStringLiteral("new text"))));
    EXPECT_FALSE(m_clipboard.isKeptCopy());
}
