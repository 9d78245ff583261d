// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/wayland/WaylandClipboard.h"
#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandPasteKeystroke.h"
#include "platform/wayland/WaylandWorkspace.h"
#include "tests/support/EncodedImage.h"
#include "tests/support/TestSupport.h"
#include "tests/unit/wayland/FakeDataControl.h"

#include <QElapsedTimer>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace sorvu;
using sorvu::test::FakeDataControl;
using sorvu::test::FakeOffer;
using sorvu::test::waitUntil;

namespace {

const QList<QByteArray> textTypes = {"text/plain", "text/plain;charset=utf-8", "TEXT", "STRING", "UTF8_STRING"};

// Everything the end gives until the writer closes it, turning the event loop (the writer runs there).
QByteArray readAll(const UniqueDescriptor& end) {
    QByteArray all;
    const bool closed = waitUntil([&] {
        char buffer[65536];
        for (;;) {
            const ssize_t count = ::read(end.get(), buffer, sizeof(buffer));
            if (count <= 0) {
                // Nothing yet, or the end.
                return count == 0;
            }
            all.append(buffer, count);
        }
    });
    EXPECT_TRUE(closed);
    return all;
}

class WaylandClipboardLogicTest : public ::testing::Test {
protected:
    FakeDataControl m_control;
    WaylandClipboard m_clipboard{&m_control};
};

TEST_F(WaylandClipboardLogicTest, countsEverySelectionOnceItIsReadAndTellsTheObserverLater) {
    int calls = 0;
    ASSERT_TRUE(m_clipboard.observeChanges([&] { ++calls; }));
    EXPECT_EQ(m_clipboard.changeCount(), 0);
    m_control.queueSelection(textTypes, {{"text/plain;charset=utf-8", "one"}});
    m_control.queueSelection(textTypes, {{"text/plain;charset=utf-8", "two"}});
    m_control.queueSelection(std::unique_ptr<FakeOffer>());
    EXPECT_EQ(m_clipboard.changeCount(), 3);
    EXPECT_EQ(m_clipboard.offeredTypes(), QStringList());
    EXPECT_EQ(m_clipboard.plainText(), std::nullopt);
    EXPECT_EQ(calls, 0);
    // Once for the three: the observer looks at the latest.
    EXPECT_TRUE(waitUntil([&] { return calls == 1; }));
    test::runEventLoopFor(20);
    EXPECT_EQ(calls, 1);

    FakeOffer* image = m_control.queueSelection({"image/bmp", "image/png", "text/html"});
    EXPECT_EQ(m_clipboard.offeredTypes(),
              (QStringList{QStringLiteral("image/bmp"), QStringLiteral("image/png"), QStringLiteral("text/html")}));
    // Neither decodes: both are asked for, PNG first, and neither twice.
    EXPECT_TRUE(m_clipboard.images().isEmpty());
    EXPECT_TRUE(m_clipboard.images().isEmpty());
    EXPECT_EQ(image->requested, (QList<QByteArray>{"image/png", "image/bmp"}));
    EXPECT_EQ(m_clipboard.plainText(), std::nullopt);
}

TEST_F(WaylandClipboardLogicTest, countsOurOwnWriteAtOnceAndNotAgainWhenTheCompositorTellsOfIt) {
    m_control.queueSelection(textTypes, {{"text/plain;charset=utf-8", "before"}});
    ASSERT_EQ(m_clipboard.changeCount(), 1);
    ASSERT_TRUE(m_clipboard.write(ClipboardItem::makeText(QStringLiteral("ours"))));
    EXPECT_EQ(m_clipboard.changeCount(), 2);
    EXPECT_TRUE(m_clipboard.holdsOwnContent());
    ASSERT_NE(m_control.lastSource, nullptr);
    const QList<QByteArray> ours = m_control.lastSource->types;

    // The compositor's news of our write, in the order it lists the types.
    FakeOffer* echo = m_control.queueSelection(QList<QByteArray>(ours.crbegin(), ours.crend()));
    EXPECT_EQ(m_clipboard.changeCount(), 2);
    EXPECT_EQ(m_clipboard.plainText(), QStringLiteral("ours"));
    EXPECT_TRUE(echo->requested.isEmpty());

    // Another program copies: our source is cancelled first, then its selection comes, in one breath.
    m_control.lastSource->cancel();
    m_control.queueSelection(ours, {{"text/plain;charset=utf-8", "same types, not ours"}});
    EXPECT_EQ(m_clipboard.changeCount(), 3);
    EXPECT_FALSE(m_clipboard.holdsOwnContent());
    EXPECT_EQ(m_clipboard.plainText(), QStringLiteral("same types, not ours"));

    // A copy made just before ours, whose news comes after our write, is replaced by ours when ours is told.
    ASSERT_TRUE(m_clipboard.write(ClipboardItem::makeText(QStringLiteral("ours again"))));
    FakeOffer* earlier = m_control.queueSelection({"text/plain"}, {{"text/plain", "earlier"}});
    m_control.queueSelection(m_control.lastSource->types);
    const qint64 afterBoth = m_clipboard.changeCount();
    EXPECT_EQ(afterBoth, 5);
    EXPECT_TRUE(m_clipboard.holdsOwnContent());
    EXPECT_EQ(m_clipboard.plainText(), QStringLiteral("ours again"));
    EXPECT_TRUE(earlier->requested.isEmpty());

    // Two writes in a row, an image and then a text: the news of the first comes after the second was made.
    const qint64 beforeTwo = m_clipboard.changeCount();
    ASSERT_TRUE(m_clipboard.write(ClipboardItem::makeImage(
        ClipboardImage::fromEncoded(test::encodedImage(QSize(2, 2), "PNG"), QStringLiteral("image/png")))));
    const QList<QByteArray> imageTypes = m_control.lastSource->types;
    ASSERT_TRUE(m_clipboard.write(ClipboardItem::makeText(QStringLiteral("the second"))));
    m_control.queueSelection(imageTypes);
    m_control.queueSelection(m_control.lastSource->types);
    EXPECT_EQ(m_clipboard.changeCount(), beforeTwo + 2);
    EXPECT_TRUE(m_clipboard.holdsOwnContent());
    EXPECT_EQ(m_clipboard.plainText(), QStringLiteral("the second"));

    m_control.connected = false;
    EXPECT_FALSE(m_clipboard.write(ClipboardItem::makeText(QStringLiteral("lost"))));
    EXPECT_EQ(m_clipboard.changeCount(), beforeTwo + 2);
}

TEST_F(WaylandClipboardLogicTest, answersEachRequestForOurContentFromMemoryAndReportsTheFetch) {
    QSignalSpy fetched(&m_clipboard, &WaylandClipboard::offeredContentFetched);
    // Larger than a pipe holds: the rest goes from the event loop as the reader takes it.
    const QString text = QString(300000, QLatin1Char('x')) + QStringLiteral("✓");
    ASSERT_TRUE(m_clipboard.write(ClipboardItem::makeText(text)));
    const qint64 write = m_clipboard.changeCount();
    const UniqueDescriptor first = m_control.lastSource->request("UTF8_STRING");
    const UniqueDescriptor second = m_control.lastSource->request("text/plain;charset=utf-8");
    EXPECT_EQ(readAll(first), text.toUtf8());
    EXPECT_EQ(readAll(second), text.toUtf8());
    ASSERT_TRUE(waitUntil([&] { return fetched.count() == 2; }));
    EXPECT_EQ(fetched.at(0).at(0).toLongLong(), write);
    EXPECT_EQ(fetched.at(0).at(1).toString(), QStringLiteral("UTF8_STRING"));

    // A reader that goes away costs nothing but its own transfer.
    UniqueDescriptor gone = m_control.lastSource->request("text/plain");
    gone.reset();
    test::runEventLoopFor(20);
    const UniqueDescriptor third = m_control.lastSource->request("text/plain");
    EXPECT_EQ(readAll(third), text.toUtf8());
}

TEST_F(WaylandClipboardLogicTest, anOwnerThatDoesNotFinishCostsTheBudgetOnceForThatCopy) {
    std::vector<UniqueDescriptor> heldOpen;
    FakeOffer* hung = m_control.queueSelection(textTypes);
    hung->answer = [&](const QByteArray&, UniqueDescriptor pipe) {
        // Half an answer, then nothing: the pipe stays open.
        if (::write(pipe.get(), "hal", 3) != 3) {
            ADD_FAILURE();
        }
        heldOpen.push_back(std::move(pipe));
    };
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(m_clipboard.plainText(), std::nullopt);
    EXPECT_GE(timer.elapsed(), WaylandClipboard::readBudgetMilliseconds - 20);
    EXPECT_EQ(m_clipboard.plainText(), std::nullopt);
    EXPECT_TRUE(m_clipboard.fileURLs().isEmpty());
    EXPECT_FALSE(m_clipboard.isSecret());
    EXPECT_EQ(hung->requested, QList<QByteArray>{"text/plain;charset=utf-8"});
    EXPECT_FALSE(m_clipboard.isContentTooLarge());

    // The next copy is read as usual.
    m_control.queueSelection(textTypes, {{"text/plain;charset=utf-8", "next"}});
    EXPECT_EQ(m_clipboard.plainText(), QStringLiteral("next"));
}

TEST_F(WaylandClipboardLogicTest, cutsATransferOffAtTheLimitOfItsKind) {
    m_clipboard.setSizeLimits({100, 1000});
    FakeOffer* text = m_control.queueSelection(textTypes, {{"text/plain;charset=utf-8", QByteArray(101, 't')}});
    EXPECT_EQ(m_clipboard.plainText(), std::nullopt);
    EXPECT_TRUE(m_clipboard.isContentTooLarge());
    EXPECT_EQ(text->requested.size(), 1);

    // Images have a limit of their own; a file list counts as text.
    m_control.queueSelection({"image/png", "text/uri-list"},
                             {{"image/png", QByteArray(1001, 'i')}, {"text/uri-list", "file:///tmp/a"}});
    EXPECT_FALSE(m_clipboard.isContentTooLarge());
    EXPECT_EQ(m_clipboard.fileURLs(), QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/tmp/a"))});
    EXPECT_TRUE(m_clipboard.images().isEmpty());
    EXPECT_TRUE(m_clipboard.isContentTooLarge());

    // Exactly the limit is within it.
    m_control.queueSelection(textTypes, {{"text/plain;charset=utf-8", QByteArray(100, 'e')}});
    EXPECT_EQ(m_clipboard.plainText(), QString(100, QLatin1Char('e')));
    EXPECT_FALSE(m_clipboard.isContentTooLarge());
}

TEST_F(WaylandClipboardLogicTest, readsOnlyTheHintOfASecret) {
    FakeOffer* secret =
        m_control.queueSelection({"x-kde-passwordManagerHint", "text/plain;charset=utf-8"},
                                 {{"x-kde-passwordManagerHint", "secret"}, {"text/plain;charset=utf-8", "hunter2"}});
    EXPECT_TRUE(m_clipboard.isSecret());
    EXPECT_EQ(secret->requested, QList<QByteArray>{"x-kde-passwordManagerHint"});

    m_control.queueSelection({"x-kde-passwordManagerHint", "text/plain"},
                             {{"x-kde-passwordManagerHint", "public"}, {"text/plain", "shown"}});
    EXPECT_FALSE(m_clipboard.isSecret());
    FakeOffer* plain = m_control.queueSelection(textTypes, {{"text/plain;charset=utf-8", "plain"}});
    EXPECT_FALSE(m_clipboard.isSecret());
    EXPECT_TRUE(plain->requested.isEmpty());
}

TEST_F(WaylandClipboardLogicTest, takesAnImageOfferedBesideOneFileForThatFile) {
    const QByteArray png = test::encodedImage(QSize(3, 2), "PNG");
    const QUrl file = QUrl::fromLocalFile(QStringLiteral("/tmp/shot.png"));
    m_control.queueSelection({"text/uri-list", "image/png"},
                             {{"text/uri-list", "file:///tmp/shot.png\r\n"}, {"image/png", png}});
    EXPECT_EQ(m_clipboard.fileURLs(), QList<QUrl>{file});
    const QList<ClipboardImageRef> images = m_clipboard.imagesForFileURLs({file});
    ASSERT_EQ(images.size(), 1);
    ASSERT_NE(images.first(), nullptr);
    EXPECT_EQ(images.first()->encodedBytes(), png);
    // Not for another file, nor for several.
    EXPECT_EQ(m_clipboard.imagesForFileURLs({QUrl::fromLocalFile(QStringLiteral("/tmp/other.png"))}).first(), nullptr);
    EXPECT_EQ(m_clipboard.imagesForFileURLs({file, file}), (QList<ClipboardImageRef>{nullptr, nullptr}));
}

} // namespace

namespace {

TEST(WaylandWithoutCompositorTest, everyMechanismSaysItCannotRatherThanFailing) {
    WaylandConnection connection(QByteArrayLiteral("/nonexistent/wayland-socket"));
    EXPECT_FALSE(connection.isConnected());
    EXPECT_EQ(connection.describe(), QStringLiteral("connected=no"));
    EXPECT_EQ(connection.dataControl(), nullptr);
    connection.readPendingEvents();
    EXPECT_FALSE(connection.roundTrip(QDeadlineTimer(100)));

    WaylandClipboard clipboard(connection.dataControl());
    EXPECT_FALSE(clipboard.observeChanges([] {}));
    EXPECT_FALSE(clipboard.write(ClipboardItem::makeText(QStringLiteral("nowhere"))));
    EXPECT_EQ(clipboard.changeCount(), 0);
    EXPECT_EQ(clipboard.plainText(), std::nullopt);

    WaylandPasteKeystroke keystroke(connection);
    EXPECT_FALSE(keystroke.canPostKeys());
    EXPECT_FALSE(keystroke.canPost(PasteKeys::controlV));
    EXPECT_EQ(keystroke.recipientClass(), std::nullopt);
    keystroke.post(PasteKeys::controlV);
    // It still knows where the keys would be.
    EXPECT_EQ(keystroke.keymap().origin(), WaylandKeymap::Origin::defaultLayout);

    WaylandWorkspace workspace(connection.toplevels());
    EXPECT_EQ(workspace.frontmostProgram(), std::nullopt);
    EXPECT_TRUE(workspace.isTerminated(RunningProgram{1, 0}));
    EXPECT_FALSE(workspace.activate(RunningProgram{1, 0}));
}

} // namespace
