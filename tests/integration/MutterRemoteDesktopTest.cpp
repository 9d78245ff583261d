// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// GNOME's road on the real thing: a headless mutter 43 with XWayland. The clipboard is written on the X side, as
// Sorvu's X11 platform writes it there, and mutter hands it to Wayland programs; the paste keystroke goes
// through mutter's own remote-desktop service into a Wayland GTK 3 field.

#include "engine/EnumNames.h"
#include "platform/linux/MutterRemoteDesktopKeystroke.h"
#include "tests/integration/support/DesktopSession.h"
#include "tests/integration/support/GtkTextView.h"
#include "tests/support/TestSupport.h"

#include <QDBusConnection>
#include <QElapsedTimer>

#include <gtest/gtest.h>

using namespace sorvu;
using sorvu::test::ChildProcess;
using sorvu::test::DesktopSession;
using sorvu::test::lastTextOf;
using sorvu::test::waitUntil;

namespace {

// Owns the clipboard on XWayland with the text until another copy takes it; returns once X clients read it there.
std::unique_ptr<ChildProcess> copyOnX11(const QString& text) {
    ChildProcess::Options options = DesktopSession::current()->x11Client();
    options.input = text.toUtf8();
    std::unique_ptr<ChildProcess> copy = ChildProcess::start({"xclip", "-selection", "clipboard", "-quiet"}, options);
    EXPECT_TRUE(waitUntil([&] {
        return ChildProcess::run({"xclip", "-selection", "clipboard", "-o"}, 3000,
                                 DesktopSession::current()->x11Client())
                   .standardOutput == text.toUtf8();
    }));
    return copy;
}

TEST(MutterRemoteDesktopTest, typesThePasteKeystrokeIntoAWaylandGtkFieldFromTheFirstKeyOn) {
    // The headless seat has no keyboard: the field gets the focus once the remote-desktop session makes one.
    std::unique_ptr<ChildProcess> field = ChildProcess::start({"/usr/bin/python3", SORVU_GTK_TEXT_VIEW_SCRIPT});
    ASSERT_TRUE(waitUntil([&] { return field->standardOutput().contains("shown"); }, 15000))
        << field->standardError().constData();

    std::unique_ptr<ChildProcess> copy = copyOnX11(QStringLiteral("über XWayland ✓"));
    MutterRemoteDesktopKeystroke keystroke(QDBusConnection::sessionBus(), KeyCodeForCharacter());
    QElapsedTimer sinceStart;
    sinceStart.start();
    keystroke.start();
    ASSERT_TRUE(waitUntil([&] { return keystroke.state() == RemoteDesktopKeystroke::State::ready; }, 10000))
        << caseName(keystroke.state()).toStdString();
    std::printf("mutter's RemoteDesktop: session started after %lld ms\n",
                static_cast<long long>(sinceStart.elapsed()));

    // Posted the moment the session is ready: the first key after Start is the one a headless mutter loses.
    keystroke.post(PasteKeys::controlV);
    ASSERT_TRUE(waitUntil([&] { return lastTextOf(*field) == QStringLiteral("über XWayland ✓"); }, 10000))
        << field->standardOutput().constData() << field->standardError().constData();

    copy = copyOnX11(QStringLiteral(" – zwei"));
    // mutter hands an X11 copy to its Wayland programs on its own schedule, after X clients can read it: a key
    // sent at once may paste the copy before. Sorvu waits for mutter to read its own copies (HandOverKeystroke);
    // a copy of xclip's is given time here. What this test proves is the key.
    test::runEventLoopFor(300);
    keystroke.post(PasteKeys::controlV);
    ASSERT_TRUE(waitUntil([&] { return lastTextOf(*field) == QStringLiteral("über XWayland ✓ – zwei"); }, 10000))
        << lastTextOf(*field).toStdString();
    // Nothing but the pastes arrived: no stray letter from the key that woke the keyboard.
    test::runEventLoopFor(300);
    EXPECT_EQ(lastTextOf(*field), QStringLiteral("über XWayland ✓ – zwei"));
}

} // namespace
