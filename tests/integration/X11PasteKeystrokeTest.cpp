// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11PasteKeystroke.h"
#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11InputAccess.h"
#include "tests/integration/support/ChildProcess.h"
#include "tests/integration/support/WindowActivation.h"
#include "tests/integration/support/X11ServerState.h"
#include "tests/support/TestSupport.h"

#include <QLineEdit>

#include <gtest/gtest.h>

using namespace sorvu;
using sorvu::test::ChildProcess;
using sorvu::test::keyCodesDown;
using sorvu::test::showActiveAndFocused;
using sorvu::test::waitUntil;

namespace {

bool xdotool(const QStringList& arguments) {
    return ChildProcess::run(QStringList{"xdotool"} + arguments).succeeded();
}

class X11PasteKeystrokeTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_field.resize(400, 40);
        ASSERT_TRUE(showActiveAndFocused(m_field))
            << "active " << m_field.isActiveWindow() << " focus " << m_field.hasFocus();
    }

    void TearDown() override {
        xdotool({"keyup", "ctrl+super+v"});
        ChildProcess::run({"setxkbmap", "us"});
    }

    // The user's shortcut: its keys are still down when the paste is asked for.
    void pasteWhileShortcutHeld(const QString& text) {
        ASSERT_TRUE(m_clipboard.write(ClipboardItem::makeText(text)));
        const std::optional<std::function<void()>> keystroke = makeX11PasteKeystroke(PasteKeys::controlV);
        ASSERT_TRUE(keystroke.has_value());
        ASSERT_TRUE(xdotool({"keydown", "ctrl+super+v"}));
        ASSERT_TRUE(waitUntil([] { return keyCodesDown().size() == 3; }));
        EXPECT_EQ(x11KeysDown().size(), 3);
        (*keystroke)();
        ASSERT_TRUE(waitUntil([&] { return m_field.text() == text; })) << m_field.text().toStdString();
        ASSERT_TRUE(xdotool({"keyup", "ctrl+super+v"}));
        EXPECT_TRUE(waitUntil([] { return keyCodesDown().isEmpty(); })) << keyCodesDown().size();
        EXPECT_TRUE(x11KeysDown().isEmpty());
        EXPECT_EQ(m_field.text(), text);
    }

    X11Clipboard m_clipboard;
    QLineEdit m_field;
};

TEST_F(X11PasteKeystrokeTest, pastesTheClipboardIntoTheFocusedFieldWhileTheShortcutIsStillHeld) {
    pasteWhileShortcutHeld(QStringLiteral("pasted ✓ text"));
}

TEST_F(X11PasteKeystrokeTest, usesTheKeyThatTypesVInTheCurrentLayout) {
    // Dvorak puts v where the US layout has the full stop; the US key of v types k there.
    ASSERT_TRUE(ChildProcess::run({"setxkbmap", "us", "-variant", "dvorak"}).succeeded());
    pasteWhileShortcutHeld(QStringLiteral("pasted under dvorak"));
}

TEST_F(X11PasteKeystrokeTest, countsHeldLockKeysAsNoKeyDown) {
    ASSERT_TRUE(xdotool({"keydown", "Caps_Lock"}));
    ASSERT_TRUE(waitUntil([] { return keyCodesDown().size() == 1; }));
    EXPECT_TRUE(x11KeysDown().isEmpty());
    ASSERT_TRUE(xdotool({"keyup", "Caps_Lock"}));
    // Pressed and released once, Caps Lock is now on: still no key down.
    ASSERT_TRUE(waitUntil([] { return keyCodesDown().isEmpty(); }));
    ASSERT_TRUE(xdotool({"key", "Caps_Lock"}));
}

TEST(X11InputAccessTest, IsThereOnAnXServerWithXTestAndXInput2AndNotWithoutADisplay) {
    EXPECT_TRUE(hasX11InputAccess());

    ChildProcess::Options withoutDisplay;
    withoutDisplay.environment.insert("DISPLAY", QByteArray());
    withoutDisplay.environment.insert("QT_QPA_PLATFORM", "offscreen");
    const ChildProcess::Result probe = ChildProcess::run({SORVU_INPUT_ACCESS_PROBE_PROGRAM}, 10000, withoutDisplay);
    ASSERT_TRUE(probe.succeeded()) << probe.standardError.constData();
    EXPECT_EQ(probe.standardOutput.trimmed(), "inputAccess=0 keystroke=0 keyDown=0");
}

} // namespace
