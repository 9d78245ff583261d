// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/wayland/WaylandClipboard.h"
#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandPasteKeystroke.h"
#include "platform/wayland/WaylandToplevels.h"
#include "platform/wayland/WaylandWorkspace.h"
#include "tests/integration/support/GtkTextView.h"
#include "tests/integration/support/WaylandSession.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace sorvu;
using sorvu::test::ChildProcess;
using sorvu::test::lastTextOf;
using sorvu::test::waitUntil;
using sorvu::test::WaylandSession;

namespace {

WaylandSession& session() {
    return *WaylandSession::current();
}

const QString gtkAppId = QStringLiteral("sorvu-gtk-field");

class WaylandPasteTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_connection = std::make_unique<WaylandConnection>();
        ASSERT_TRUE(m_connection->isConnected());
        m_clipboard = std::make_unique<WaylandClipboard>(m_connection->dataControl());
        m_keystroke = std::make_unique<WaylandPasteKeystroke>(*m_connection);
        m_workspace = std::make_unique<WaylandWorkspace>(m_connection->toplevels());
    }

    void TearDown() override {
        m_programs.clear();
        m_workspace.reset();
        m_keystroke.reset();
        m_clipboard.reset();
        m_connection.reset();
    }

    // Starts a program with a window and waits until the compositor reports that window as the activated one.
    ChildProcess* startWindow(const QStringList& command, const QString& appId) {
        m_programs.push_back(session().start(command));
        ChildProcess* program = m_programs.back().get();
        EXPECT_TRUE(program);
        const bool shown = waitUntil(
            [&] {
                const std::optional<RunningProgram> front = m_workspace->frontmostProgram();
                return front && m_workspace->windowClass(*front) == WindowClass{appId, appId};
            },
            20000);
        EXPECT_TRUE(shown) << program->standardError().constData();
        return program;
    }

    ChildProcess* startGtkField() {
        ChildProcess* field = startWindow({"/usr/bin/python3", SORVU_GTK_TEXT_VIEW_SCRIPT, gtkAppId}, gtkAppId);
        // The window has the keyboard once the virtual keyboard has reached it.
        EXPECT_TRUE(waitUntil([&] { return field->standardOutput().contains("focused"); }, 10000))
            << field->standardError().constData();
        return field;
    }

    void pasteText(const QString& text, PasteKeys keys) {
        ASSERT_TRUE(m_keystroke->canPost(keys));
        ASSERT_TRUE(m_clipboard->write(ClipboardItem::makeText(text)));
        m_keystroke->post(keys);
    }

    std::unique_ptr<WaylandConnection> m_connection;
    std::unique_ptr<WaylandClipboard> m_clipboard;
    std::unique_ptr<WaylandPasteKeystroke> m_keystroke;
    std::unique_ptr<WaylandWorkspace> m_workspace;
    std::vector<std::unique_ptr<ChildProcess>> m_programs;
};

TEST_F(WaylandPasteTest, findsWhatItNeedsOnSway) {
    const QString offered = m_connection->describe();
    std::printf("sway offers: %s\n", qPrintable(offered));
    EXPECT_NE(m_connection->offered().dataControl, WaylandConnection::DataControlFlavour::none);
    EXPECT_TRUE(m_connection->offered().virtualKeyboard) << offered.toStdString();
    EXPECT_TRUE(m_connection->offered().foreignToplevel) << offered.toStdString();
    EXPECT_EQ(m_connection->offered().seatName, QStringLiteral("seat0"));
    EXPECT_TRUE(m_keystroke->canPostKeys());
    for (const PasteKeys keys : {PasteKeys::controlV, PasteKeys::controlShiftV, PasteKeys::shiftInsert}) {
        EXPECT_TRUE(m_keystroke->canPost(keys)) << pasteKeysName(keys).toStdString();
    }
    // The virtual keyboard is the seat's keyboard now.
    EXPECT_TRUE(waitUntil([&] { return m_connection->seatHasKeyboard(); }));
}

TEST_F(WaylandPasteTest, pastesTextByteForByteIntoAGtkFieldOneAfterAnother) {
    ChildProcess* field = startGtkField();
    EXPECT_EQ(m_keystroke->recipientClass(), (WindowClass{gtkAppId, gtkAppId}));

    const QString first = QStringLiteral("Grüße ✓ eins\n\tzwei  ");
    pasteText(first, PasteKeys::controlV);
    ASSERT_TRUE(waitUntil([&] { return lastTextOf(*field) == first; }, 10000)) << lastTextOf(*field).toStdString();

    const QString second = QStringLiteral("日本語 & <b>drei</b>");
    pasteText(second, PasteKeys::controlV);
    ASSERT_TRUE(waitUntil([&] { return lastTextOf(*field) == first + second; }, 10000))
        << lastTextOf(*field).toStdString();
}

TEST_F(WaylandPasteTest, pastesIntoFootWithCtrlShiftVExactlyTheBytesAProgramReads) {
    const QString text = QStringLiteral("echo 'Grüße ✓' | tr a b\nsecond line\t end\n");
    const QString output = QString::fromLocal8Bit(session().homeDirectory()) + QStringLiteral("/foot-input");
    const QByteArray expectedBytes = text.toUtf8();
    // The terminal in canonical mode hands a line on once it is complete; head ends once all has come.
    startWindow({"foot", "sh", "-c", QStringLiteral("head -c %1 > '%2'").arg(expectedBytes.size()).arg(output)},
                QStringLiteral("foot"));
    EXPECT_EQ(m_keystroke->recipientClass(), (WindowClass{QStringLiteral("foot"), QStringLiteral("foot")}));
    // The virtual keyboard existed before the window: the keyboard entered it before any key is sent.
    pasteText(text, PasteKeys::controlShiftV);
    QFile file(output);
    ASSERT_TRUE(waitUntil([&] { return !m_programs.back()->isRunning(); }, 10000))
        << m_programs.back()->standardError().constData();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), expectedBytes);
}

TEST_F(WaylandPasteTest, typesWithTheSeatsOwnKeymapSoThatKeyCodesMeanWhatWindowsExpect) {
    // The seat's keyboard types Dvorak: another client's, given xkbcommon's default layout while its environment
    // named Dvorak. Ours, made after it, takes the seat's keymap and finds the V where Dvorak has it.
    m_keystroke.reset();
    ChildProcess::Options dvorak;
    dvorak.environment = {{"XKB_DEFAULT_LAYOUT", "us"}, {"XKB_DEFAULT_VARIANT", "dvorak"}};
    m_programs.push_back(session().start({SORVU_WAYLAND_SCRIPTED_CLIENT_PROGRAM, "keyboard"}, dvorak));
    ASSERT_TRUE(waitUntil([&] { return m_programs.back()->standardOutput() == "keyboard\n"; }))
        << m_programs.back()->standardError().constData();

    m_keystroke = std::make_unique<WaylandPasteKeystroke>(*m_connection);
    EXPECT_EQ(m_keystroke->keymap().origin(), WaylandKeymap::Origin::seat);
    EXPECT_EQ(m_keystroke->keymap().text(), WaylandKeymap::fromNames("us", "dvorak")->text());
    EXPECT_EQ(m_keystroke->keymap().keystroke(PasteKeys::controlV)->key, 52u);

    // GTK matches Ctrl+V by the key code of its keymap, which is now the seat's.
    QSignalSpy keymapChanges(m_keystroke.get(), &WaylandPasteKeystroke::keymapChanged);
    ChildProcess* field = startGtkField();
    pasteText(QStringLiteral("typed on Dvorak"), PasteKeys::controlV);
    EXPECT_TRUE(waitUntil([&] { return lastTextOf(*field) == QStringLiteral("typed on Dvorak"); }, 10000))
        << lastTextOf(*field).toStdString();
    // Typing made our keyboard the seat's, which told our keymap back: no news, and no keymap going back and forth.
    test::runEventLoopFor(300);
    EXPECT_EQ(keymapChanges.count(), 0);
}

TEST_F(WaylandPasteTest, reportsTheActivatedWindowAndActivatesAnotherOneAgain) {
    startWindow({"foot", "sh", "-c", "sleep 60"}, QStringLiteral("foot"));
    const std::optional<RunningProgram> foot = m_workspace->frontmostProgram();
    ASSERT_TRUE(foot);
    EXPECT_EQ(foot->processId, 0);
    EXPECT_FALSE(m_workspace->isTerminated(*foot));

    startGtkField();
    const std::optional<RunningProgram> field = m_workspace->frontmostProgram();
    ASSERT_TRUE(field);
    EXPECT_NE(field->window, foot->window);

    QSignalSpy activated(m_workspace.get(), &Workspace::programActivated);
    ASSERT_TRUE(m_workspace->activate(*foot));
    ASSERT_TRUE(waitUntil([&] { return !activated.isEmpty(); }));
    EXPECT_EQ(activated.first().first().value<RunningProgram>(), *foot);
    EXPECT_EQ(m_workspace->frontmostProgram(), foot);
    EXPECT_EQ(m_keystroke->recipientClass(), (WindowClass{QStringLiteral("foot"), QStringLiteral("foot")}));

    // A window that closed is gone for good, and cannot be brought back.
    m_programs.front()->stop();
    EXPECT_TRUE(waitUntil([&] { return m_workspace->isTerminated(*foot); }));
    EXPECT_FALSE(m_workspace->activate(*foot));
    EXPECT_EQ(m_workspace->windowClass(*foot), std::nullopt);
}

} // namespace
