// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Real sorvu programs on two X displays that share one session bus, as systemd's user bus serves every
// session of a user: commands from the command line, the well-known bus name, a stopped Sorvu, and a second
// start. The test's own display has a window manager and a panel; the second display is a bare X server.

#include "tests/integration/support/ChildProcess.h"
#include "tests/integration/support/SorvuLaunch.h"
#include "tests/integration/support/WindowProgram.h"
#include "tests/support/TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <signal.h>

// Last: its macros clash with the headers above.
#include <X11/Xlib.h>

using namespace sorvu::test;

namespace {

QByteArray startedOutput(ChildProcess& process) {
    QByteArray output;
    waitUntil([&] {
        output = process.standardOutput().trimmed();
        return !output.isEmpty();
    });
    return output;
}

class SessionBusEndToEnd : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_bus = ChildProcess::start({"dbus-daemon", "--session", "--nofork", "--print-address=1"});
        ASSERT_TRUE(s_bus);
        const QByteArray address = startedOutput(*s_bus);
        ASSERT_FALSE(address.isEmpty());
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
        s_panel = ChildProcess::start({"tint2"});
        ASSERT_TRUE(s_panel);
        ASSERT_TRUE(startOtherServer());
    }

    // A bare X server on a display number of its own choosing; each try gets a server of its own, as one that
    // comes up beside other test programs' servers may go at once.
    static bool startOtherServer() {
        for (int attempt = 0; attempt < 3; ++attempt) {
            s_otherServer = ChildProcess::start(
                {"Xvfb", "-displayfd", "1", "-noreset", "-screen", "0", "800x600x24", "-nolisten", "tcp"});
            const QByteArray number = s_otherServer ? startedOutput(*s_otherServer) : QByteArray();
            s_otherDisplay = ':' + number;
            if (!number.isEmpty() && waitUntil([] { return answers(s_otherDisplay); }, 5000)) {
                return true;
            }
            if (s_otherServer) {
                s_otherServer->stop();
            }
        }
        return false;
    }
    static bool answers(const QByteArray& display) {
        Display* connection = XOpenDisplay(display.constData());
        if (connection != nullptr) {
            XCloseDisplay(connection);
        }
        return connection != nullptr;
    }

    static void TearDownTestSuite() {
        for (auto* process : {&s_otherServer, &s_panel, &s_bus}) {
            if (*process) {
                (*process)->stop();
                process->reset();
            }
        }
    }

    void SetUp() override { ASSERT_TRUE(m_home.isValid()); }

    void TearDown() override {
        // A Sorvu a failed test left stopped ends like any other.
        if (m_sorvu && m_sorvu->isRunning()) {
            kill(m_sorvu->pid(), SIGCONT);
        }
        for (auto* process : {&m_field, &m_copy, &m_sorvu, &m_otherSorvu}) {
            if (*process) {
                (*process)->stop();
            }
        }
    }

    // Both share the user's home and runtime folder, as two sessions of one user do.
    ChildProcess::Options onDisplay(const QByteArray& display) const {
        ChildProcess::Options options = sorvuLaunchOptions(m_home);
        options.environment.insert("DISPLAY", display);
        return options;
    }
    std::unique_ptr<ChildProcess> startSorvu(const QByteArray& display) {
        auto sorvu = ChildProcess::start({SORVU_PROGRAM}, onDisplay(display));
        EXPECT_TRUE(sorvu);
        return sorvu;
    }
    ChildProcess::Result command(const QByteArray& display, const QStringList& arguments, int timeout = 10000) {
        return ChildProcess::run(QStringList{SORVU_PROGRAM} + arguments, timeout, onDisplay(display));
    }
    static bool waitForLog(const ChildProcess& sorvu, const QString& line, int timeout = 10000) {
        return waitUntil([&] { return log(sorvu).contains(line); }, timeout);
    }
    static QString log(const ChildProcess& sorvu) { return QString::fromUtf8(sorvu.standardError()); }

    // The process that owns the well-known name, as the bus tells.
    static QByteArray wellKnownNameOwner() {
        const auto reply = ChildProcess::run({"gdbus", "call", "--session", "--dest", "org.freedesktop.DBus",
                                              "--object-path", "/org/freedesktop/DBus", "--method",
                                              "org.freedesktop.DBus.GetConnectionUnixProcessID", "org.sorvu.Sorvu"});
        return reply.standardOutput.trimmed();
    }
    static QByteArray pidReply(const ChildProcess& process) {
        return "(uint32 " + QByteArray::number(process.pid()) + ",)";
    }

    static inline std::unique_ptr<ChildProcess> s_bus;
    static inline std::unique_ptr<ChildProcess> s_panel;
    static inline std::unique_ptr<ChildProcess> s_otherServer;
    static inline QByteArray s_otherDisplay;

    const QByteArray m_display = qgetenv("DISPLAY");
    QTemporaryDir m_home;
    std::unique_ptr<ChildProcess> m_sorvu;
    std::unique_ptr<ChildProcess> m_otherSorvu;
    std::unique_ptr<ChildProcess> m_field;
    std::unique_ptr<ChildProcess> m_copy;
};

TEST_F(SessionBusEndToEnd, CommandsReachTheSorvuOfTheirOwnDisplayAndTheWellKnownNameMovesOnWhenItsOwnerQuits) {
    m_sorvu = startSorvu(m_display);
    ASSERT_TRUE(waitForLog(*m_sorvu, "session bus name acquired name=org.sorvu.Sorvu\n"))
        << log(*m_sorvu).toStdString();
    m_otherSorvu = startSorvu(s_otherDisplay);
    const QString otherSessionName = "org.sorvu.Sorvu.Session.s" + QString::fromLatin1(s_otherDisplay.mid(1));
    ASSERT_TRUE(waitForLog(*m_otherSorvu, "session bus name acquired name=" + otherSessionName))
        << log(*m_otherSorvu).toStdString();
    ASSERT_TRUE(waitForLog(*m_otherSorvu, "session bus name queued name=org.sorvu.Sorvu\n"));
    EXPECT_FALSE(log(*m_otherSorvu).contains("session bus control unavailable"));
    EXPECT_EQ(wellKnownNameOwner(), pidReply(*m_sorvu)) << "the first keeps the name other programs call";

    // Each display's commands reach its own Sorvu, however the display is written.
    EXPECT_EQ(command(s_otherDisplay, {"--toggle-collecting"}).exitCode, 0);
    ASSERT_TRUE(waitForLog(*m_otherSorvu, "toggleCollecting isCollecting=true"));
    EXPECT_EQ(command(s_otherDisplay, {"--paste-next"}).exitCode, 0);
    ASSERT_TRUE(waitForLog(*m_otherSorvu, "paste requested source=command"));
    EXPECT_EQ(command("unix" + s_otherDisplay + ".0", {"--status"}).standardOutput, "collecting=true\nqueueCount=0\n");
    EXPECT_EQ(command(m_display, {"--status"}).standardOutput, "collecting=false\nqueueCount=0\n");
    EXPECT_FALSE(log(*m_sorvu).contains("toggleCollecting"));
    EXPECT_FALSE(log(*m_sorvu).contains("paste requested"));

    // A display without a Sorvu has none to talk to, although others run on the bus.
    const auto elsewhere = command(":" + QByteArray::number(s_otherDisplay.mid(1).toInt() + 500), {"--paste-next"});
    EXPECT_EQ(elsewhere.exitCode, 3);
    EXPECT_EQ(elsewhere.standardError, "sorvu: Sorvu is not running in this session.\n");

    // Once the first quits, the other takes the well-known name; the first display has no Sorvu any more.
    EXPECT_EQ(command(m_display, {"--quit"}).exitCode, 0);
    EXPECT_EQ(m_sorvu->waitForExit(5000), 0);
    ASSERT_TRUE(waitForLog(*m_otherSorvu, "session bus name acquired name=org.sorvu.Sorvu\n"))
        << log(*m_otherSorvu).toStdString();
    EXPECT_EQ(wellKnownNameOwner(), pidReply(*m_otherSorvu));
    const auto collecting = ChildProcess::run({"gdbus", "call", "--session", "--dest", "org.sorvu.Sorvu",
                                               "--object-path", "/org/sorvu/Sorvu", "--method",
                                               "org.freedesktop.DBus.Properties.Get", "org.sorvu.Sorvu", "Collecting"});
    EXPECT_EQ(collecting.standardOutput.trimmed(), "(<true>,)");
    EXPECT_EQ(command(m_display, {"--status"}).exitCode, 3);
}

TEST_F(SessionBusEndToEnd, APasteAStoppedSorvuDidNotAnswerInTimeNeverHappensLater) {
    m_sorvu = startSorvu(m_display);
    ASSERT_TRUE(waitForLog(*m_sorvu, "status item image=menuBarIcon count=0")) << log(*m_sorvu).toStdString();
    ASSERT_EQ(command(m_display, {"--toggle-collecting"}).exitCode, 0);
    m_copy = startXclipCopy("early");
    ASSERT_TRUE(waitForLog(*m_sorvu, "status item image=menuBarIconFrameActiveRec count=1"))
        << log(*m_sorvu).toStdString();
    m_field = ChildProcess::start({SORVU_TEXT_FIELD_PROGRAM, "paste target"});
    ASSERT_TRUE(m_field);
    ASSERT_FALSE(bringWindowProgramToFront(*m_field).isEmpty());

    // Each command gives up within its few seconds (the run would be cut short at six) and says why.
    ASSERT_EQ(kill(m_sorvu->pid(), SIGSTOP), 0);
    for (const QStringList& arguments : {QStringList{"--paste-next"}, QStringList{"--status"}}) {
        const auto stuck = command(m_display, arguments, 6000);
        EXPECT_FALSE(stuck.timedOut) << arguments.first().toStdString();
        EXPECT_EQ(stuck.exitCode, 4) << arguments.first().toStdString();
        EXPECT_TRUE(stuck.standardError.startsWith("sorvu: Sorvu did not answer")) << stuck.standardError.toStdString();
    }
    ASSERT_EQ(kill(m_sorvu->pid(), SIGCONT), 0);

    // Woken up, Sorvu drops the paste the command had already reported as failed.
    ASSERT_TRUE(waitForLog(*m_sorvu, "paste request dropped as too late method=PasteNext"))
        << log(*m_sorvu).toStdString();
    EXPECT_EQ(command(m_display, {"--status"}).standardOutput, "collecting=true\nqueueCount=1\n");
    EXPECT_FALSE(log(*m_sorvu).contains("paste requested source=command"));
    EXPECT_EQ(lastTextOf(*m_field), "");

    // A caller that still waits for a dated paste that came too late learns that it was dropped.
    const auto late = ChildProcess::run({"gdbus", "call", "--session", "--dest", "org.sorvu.Sorvu", "--object-path",
                                         "/org/sorvu/Sorvu", "--method", "org.sorvu.Sorvu.PasteNextSentAt", "1"});
    EXPECT_FALSE(late.succeeded());
    EXPECT_TRUE(late.standardError.contains("org.sorvu.Sorvu.Error.TooLate")) << late.standardError.toStdString();
    EXPECT_EQ(log(*m_sorvu).count("paste request dropped as too late"), 2);

    // A paste in time still pastes.
    EXPECT_EQ(command(m_display, {"--paste-next"}).exitCode, 0);
    EXPECT_TRUE(waitUntil([&] { return lastTextOf(*m_field) == "early"; })) << log(*m_sorvu).toStdString();
    EXPECT_EQ(log(*m_sorvu).count("paste requested source=command"), 1);
}

TEST_F(SessionBusEndToEnd, StartingSorvuAgainOpensThePopupOfTheOneThatRuns) {
    m_sorvu = startSorvu(m_display);
    ASSERT_TRUE(waitForLog(*m_sorvu, "status item image=menuBarIcon count=0")) << log(*m_sorvu).toStdString();
    ASSERT_TRUE(waitForLog(*m_sorvu, "session bus name acquired name=org.sorvu.Sorvu.Session"));
    const auto again = command(m_display, {});
    EXPECT_TRUE(again.succeeded());
    EXPECT_TRUE(again.standardError.contains("Sorvu is already running.")) << again.standardError.toStdString();
    EXPECT_TRUE(waitForLog(*m_sorvu, "popover will open queueCount=0")) << log(*m_sorvu).toStdString();
    EXPECT_TRUE(m_sorvu->isRunning());
}

} // namespace
