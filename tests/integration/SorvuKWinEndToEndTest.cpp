// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The real program on KDE Plasma's compositor: a headless KWin 5.27 with the desktop portal and its KDE backend.
// Copies made with wl-copy are collected through data-control; both shortcuts are bound through the GlobalShortcuts
// portal and fired through KWin's own shortcut service; pastes reach a Wayland GTK 3 field through the
// RemoteDesktop portal; and the popup's Enter (its Paste button), with no window list to bring the field back,
// closes the popup so that KWin gives the field the keyboard again, and pastes there.

#include "tests/integration/support/DesktopSession.h"
#include "tests/integration/support/GtkTextView.h"
#include "tests/support/TestSupport.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <cstdio>

using namespace sorvu;
using sorvu::test::ChildProcess;
using sorvu::test::lastTextOf;
using sorvu::test::waitUntil;

namespace {

// Evdev's Enter.
constexpr int enterKey = 28;

class SorvuOnKWin : public ::testing::Test {
protected:
    void SetUp() override {
        ChildProcess::Options options;
        options.environment = {{"QT_LOGGING_RULES", "sorvu.*.debug=true"}, {"SORVU_LOG_STDERR", "1"}};
        m_sinceStart.start();
        m_sorvu = ChildProcess::start({SORVU_PROGRAM}, options);
        ASSERT_TRUE(m_sorvu);
        ASSERT_TRUE(waitUntil([&] { return status().contains("collecting="); }, 20000)) << log().toStdString();
    }

    void TearDown() override {
        ChildProcess::run({SORVU_PROGRAM, "--quit"});
        if (m_sorvu && !m_sorvu->waitForExit(5000)) {
            ADD_FAILURE() << "sorvu did not quit";
        }
        if (m_field) {
            m_field->stop();
        }
    }

    QString log() const { return QString::fromUtf8(m_sorvu ? m_sorvu->standardError() : QByteArray()); }
    bool logSays(const QString& line) const {
        return waitUntil([&] { return log().contains(line); }, 10000);
    }
    static QByteArray status() { return ChildProcess::run({SORVU_PROGRAM, "--status"}).standardOutput; }
    static bool statusIs(const QByteArray& expected) {
        return waitUntil([&] { return status() == expected; }, 10000);
    }

    static void invokeShortcut(const QString& id) {
        const QString error = sorvu::test::DesktopSession::invokeKdeShortcut(id);
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    }

    static void copy(const QString& text) { ASSERT_TRUE(ChildProcess::run({"wl-copy", text}, 5000).succeeded()); }

    void startField() {
        m_field = ChildProcess::start({"/usr/bin/python3", SORVU_GTK_TEXT_VIEW_SCRIPT});
        ASSERT_TRUE(waitUntil([&] { return m_field->standardOutput().contains("focused"); }, 15000))
            << m_field->standardError().constData();
    }

    QElapsedTimer m_sinceStart;
    std::unique_ptr<ChildProcess> m_sorvu;
    std::unique_ptr<ChildProcess> m_field;
};

TEST_F(SorvuOnKWin, CollectsThroughDataControlFiresThePortalsShortcutsAndPastesThroughItsRemoteDesktop) {
    // The keyboard is lent at the start, before any paste asks for it.
    ASSERT_TRUE(logSays("remote desktop keyboard road=portal state=ready")) << log().toStdString();
    std::printf("KWin: the RemoteDesktop portal's keyboard ready %lld ms after Sorvu started\n",
                static_cast<long long>(m_sinceStart.elapsed()));
    ASSERT_TRUE(logSays("global shortcuts portal state=bound")) << log().toStdString();
    EXPECT_TRUE(log().contains("platform chosen name=wayland"));
    EXPECT_TRUE(log().contains("virtual-keyboard=no")) << log().toStdString();
    EXPECT_TRUE(log().contains("paste keystroke Ctrl+V for every window")) << log().toStdString();
    EXPECT_EQ(status(), "collecting=false\nqueueCount=0\n");

    invokeShortcut(QStringLiteral("toggle-collecting"));
    ASSERT_TRUE(statusIs("collecting=true\nqueueCount=0\n")) << log().toStdString();
    const QString first = QStringLiteral("Grüße aus KWin ✓");
    const QString second = QStringLiteral(" – <b>zwei</b> & 日本語");
    copy(first);
    ASSERT_TRUE(statusIs("collecting=true\nqueueCount=1\n")) << log().toStdString();
    copy(second);
    ASSERT_TRUE(statusIs("collecting=true\nqueueCount=2\n")) << log().toStdString();

    startField();
    invokeShortcut(QStringLiteral("paste-next"));
    ASSERT_TRUE(waitUntil([&] { return lastTextOf(*m_field) == first; }, 10000))
        << lastTextOf(*m_field).toStdString() << log().toStdString();
    EXPECT_TRUE(log().contains("paste keystroke keys=Ctrl+V windowClass=\n")) << log().toStdString();
    invokeShortcut(QStringLiteral("paste-next"));
    ASSERT_TRUE(waitUntil([&] { return lastTextOf(*m_field) == first + second; }, 10000))
        << lastTextOf(*m_field).toStdString() << log().toStdString();
    // The drained queue stopped collecting; nothing but the pastes arrived.
    EXPECT_TRUE(statusIs("collecting=false\nqueueCount=0\n"));
    test::runEventLoopFor(300);
    EXPECT_EQ(lastTextOf(*m_field), first + second);
}

TEST_F(SorvuOnKWin, ThePopupStepsAsideForItsPasteAndKWinGivesTheFieldTheKeyboardBack) {
    ASSERT_TRUE(logSays("remote desktop keyboard road=portal state=ready")) << log().toStdString();
    ASSERT_TRUE(ChildProcess::run({SORVU_PROGRAM, "--toggle-collecting"}).succeeded());
    copy(QStringLiteral("aus dem Popup"));
    copy(QStringLiteral("bleibt"));
    ASSERT_TRUE(statusIs("collecting=true\nqueueCount=2\n")) << log().toStdString();
    startField();

    ASSERT_TRUE(ChildProcess::run({SORVU_PROGRAM, "--show"}).succeeded());
    ASSERT_TRUE(waitUntil([&] { return m_field->standardOutput().contains("focus lost"); }, 10000))
        << "the popup never took the keyboard: " << log().toStdString();
    QElapsedTimer sinceEnter;
    sinceEnter.start();
    const ChildProcess::Result enter =
        ChildProcess::run({"/usr/bin/python3", SORVU_PORTAL_KEY_CHORD_SCRIPT, QString::number(enterKey)}, 15000);
    ASSERT_TRUE(enter.succeeded()) << enter.standardError.constData();
    ASSERT_TRUE(waitUntil([&] { return lastTextOf(*m_field) == QStringLiteral("aus dem Popup"); }, 10000))
        << lastTextOf(*m_field).toStdString() << log().toStdString();
    std::printf("KWin: Enter in the popup to the text in the field: %lld ms\n",
                static_cast<long long>(sinceEnter.elapsed()));
    EXPECT_TRUE(log().contains("popover close requested reason=pasteHandOff")) << log().toStdString();
    EXPECT_TRUE(log().contains("paste hand-off started"));
    EXPECT_FALSE(log().contains("recipient restore failed"));
    EXPECT_EQ(status(), "collecting=true\nqueueCount=1\n");
}

} // namespace
