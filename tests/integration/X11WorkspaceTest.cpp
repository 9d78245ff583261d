// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11Workspace.h"
#include "tests/integration/support/ChildProcess.h"
#include "tests/support/TestSupport.h"

#include <QRasterWindow>

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

// Last: Xlib's macros (None, Bool…) would break the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace sorvu {
namespace {

using test::ChildProcess;
using test::waitUntil;

// Another program with a window: a process of its own, as the tests' stand-in for "another application".
struct OtherProgram {
    std::unique_ptr<ChildProcess> process;
    RunningProgram application;
};

std::optional<OtherProgram> startOtherProgram(const QString& title) {
    OtherProgram program;
    program.process = ChildProcess::start({QStringLiteral(SORVU_TEST_WINDOW_PROGRAM), title});
    if (!program.process ||
        !waitUntil([&] { return program.process->standardOutput().contains('\n') || !program.process->isRunning(); })) {
        return std::nullopt;
    }
    bool valid = false;
    program.application.window = program.process->standardOutput().trimmed().toUInt(&valid);
    program.application.processId = program.process->pid();
    if (!valid) {
        return std::nullopt;
    }
    return program;
}

class X11WorkspaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_workspace.isConnected());
        QObject::connect(&m_workspace, &X11Workspace::programActivated,
                         [this](const RunningProgram& application) { m_activations.push_back(application); });
    }

    bool isFrontmost(const RunningProgram& application) {
        return m_workspace.frontmostProgram() == std::optional<RunningProgram>(application);
    }

    bool activationAnnounced(const RunningProgram& application) const {
        return std::find(m_activations.begin(), m_activations.end(), application) != m_activations.end();
    }

    X11Workspace m_workspace;
    std::vector<RunningProgram> m_activations;
};

TEST_F(X11WorkspaceTest, FollowsAndSwitchesTheActiveWindowBetweenTwoPrograms) {
    EXPECT_TRUE(m_workspace.hasWindowManager());
    auto first = startOtherProgram(QStringLiteral("first"));
    ASSERT_TRUE(first);
    // The window manager gives a new window the focus.
    ASSERT_TRUE(waitUntil([&] { return isFrontmost(first->application); }));
    auto second = startOtherProgram(QStringLiteral("second"));
    ASSERT_TRUE(second);
    ASSERT_TRUE(waitUntil([&] { return isFrontmost(second->application); }));
    EXPECT_TRUE(waitUntil([&] { return activationAnnounced(second->application); }));
    EXPECT_FALSE(m_workspace.isOwnProcessFrontmost());

    for (const OtherProgram* target : {&*first, &*second, &*first}) {
        m_activations.clear();
        ASSERT_TRUE(m_workspace.activate(target->application));
        EXPECT_TRUE(waitUntil([&] { return activationAnnounced(target->application); }))
            << "no announcement for window " << target->application.window;
        EXPECT_TRUE(isFrontmost(target->application));
    }
}

TEST_F(X11WorkspaceTest, AProgramThatEndedIsTerminatedAndCannotBeActivated) {
    auto first = startOtherProgram(QStringLiteral("first"));
    auto second = startOtherProgram(QStringLiteral("second"));
    ASSERT_TRUE(first && second);
    ASSERT_TRUE(waitUntil([&] { return isFrontmost(second->application); }));
    EXPECT_FALSE(m_workspace.isTerminated(first->application));
    EXPECT_FALSE(m_workspace.isTerminated(second->application));

    first->process->stop();
    EXPECT_TRUE(waitUntil([&] { return m_workspace.isTerminated(first->application); }));
    EXPECT_FALSE(m_workspace.activate(first->application));
    EXPECT_FALSE(m_workspace.isTerminated(second->application));

    // A window that still exists but whose process has gone counts as terminated too.
    const RunningProgram orphan{second->application.window, first->application.processId};
    EXPECT_TRUE(m_workspace.isTerminated(orphan));
}

TEST_F(X11WorkspaceTest, RecognisesItsOwnWindowInFront) {
    auto other = startOtherProgram(QStringLiteral("other"));
    ASSERT_TRUE(other);
    ASSERT_TRUE(waitUntil([&] { return isFrontmost(other->application); }));
    EXPECT_NE(other->application.processId, m_workspace.ownProcessId());
    EXPECT_EQ(m_workspace.ownProcessId(), qint64(getpid()));

    QRasterWindow own;
    own.resize(200, 100);
    own.show();
    own.requestActivate();
    ASSERT_TRUE(waitUntil([&] { return m_workspace.isOwnProcessFrontmost(); }));
    const auto front = m_workspace.frontmostProgram();
    ASSERT_TRUE(front);
    EXPECT_EQ(front->processId, m_workspace.ownProcessId());
    EXPECT_TRUE(waitUntil([&] { return activationAnnounced(*front); }));

    ASSERT_TRUE(m_workspace.activate(other->application));
    EXPECT_TRUE(waitUntil([&] { return !m_workspace.isOwnProcessFrontmost(); }));
}

TEST_F(X11WorkspaceTest, TellsBothNamesOfTheClassOfAWindowThatExists) {
    auto terminal =
        ChildProcess::start({"xterm", "-name", "probe-instance", "-class", "ProbeClass", "-e", "sleep", "60"});
    ASSERT_TRUE(terminal);
    const WindowClass expected{QStringLiteral("probe-instance"), QStringLiteral("ProbeClass")};
    std::optional<RunningProgram> front;
    EXPECT_TRUE(waitUntil([&] {
        front = m_workspace.frontmostProgram();
        return front && m_workspace.windowClass(*front) == expected;
    }));
    // A window that is gone says nothing.
    terminal->stop();
    ASSERT_TRUE(front);
    EXPECT_TRUE(waitUntil([&] { return m_workspace.isTerminated(*front); }));
    EXPECT_EQ(m_workspace.windowClass(*front), std::nullopt);
}

TEST_F(X11WorkspaceTest, ReportsEveryWindowThatBecomesActiveJustAfterNone) {
    // A window manager moving the focus writes None first and the new window a moment later. Another thread
    // plays that part here, so that the second write can reach the workspace while it is re-reading the value.
    Display* helper = XOpenDisplay(nullptr);
    ASSERT_NE(helper, nullptr);
    const Window root = DefaultRootWindow(helper);
    const Atom activeWindow = XInternAtom(helper, "_NET_ACTIVE_WINDOW", False);
    const Window windows[] = {XCreateSimpleWindow(helper, root, 0, 0, 10, 10, 0, 0, 0),
                              XCreateSimpleWindow(helper, root, 0, 0, 10, 10, 0, 0, 0)};
    XSync(helper, False);

    constexpr int rounds = 2000;
    std::atomic<int> roundToWrite{-1};
    std::atomic<bool> finished{false};
    std::thread writer([&] {
        for (int round = 0; round < rounds; ++round) {
            while (roundToWrite.load() < round) {
                if (finished.load()) {
                    return;
                }
                std::this_thread::sleep_for(std::chrono::microseconds(50));
            }
            const unsigned long none = 0;
            XChangeProperty(helper, root, activeWindow, XA_WINDOW, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(&none), 1);
            XSync(helper, False);
            // Gaps from none to 0.2 ms, spun rather than slept (a sleep overshoots them): some of the second writes
            // land while the workspace is reading the first.
            const auto gapEnd = std::chrono::steady_clock::now() + std::chrono::microseconds(round % 40 * 5);
            while (std::chrono::steady_clock::now() < gapEnd) {
            }
            const unsigned long window = windows[round % 2];
            XChangeProperty(helper, root, activeWindow, XA_WINDOW, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(&window), 1);
            XFlush(helper);
        }
    });

    int missed = -1;
    for (int round = 0; round < rounds && missed < 0; ++round) {
        roundToWrite.store(round);
        const quint64 expected = windows[round % 2];
        if (!waitUntil([&] { return !m_activations.empty() && m_activations.back().window == expected; }, 2000)) {
            missed = round;
        }
    }
    finished.store(true);
    writer.join();
    EXPECT_EQ(missed, -1) << "the change of round " << missed << " was never reported";

    for (const Window window : windows) {
        XDestroyWindow(helper, window);
    }
    XCloseDisplay(helper);
}

TEST(X11WorkspaceWithoutWindowManagerTest, NothingIsFrontmostAndActivationIsRefused) {
    // A second, bare X server: no window manager keeps _NET_ACTIVE_WINDOW there.
    auto server = ChildProcess::start({QStringLiteral("Xvfb"), QStringLiteral("-displayfd"), QStringLiteral("1"),
                                       QStringLiteral("-noreset"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    ASSERT_TRUE(server);
    ASSERT_TRUE(waitUntil([&] { return server->standardOutput().contains('\n'); }));
    const QByteArray displayName = ':' + server->standardOutput().trimmed();

    Display* display = XOpenDisplay(displayName.constData());
    ASSERT_NE(display, nullptr);
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 100, 100, 0, 0, 0);
    XMapWindow(display, window);
    XSync(display, False);

    {
        X11Workspace workspace(displayName);
        ASSERT_TRUE(workspace.isConnected());
        EXPECT_FALSE(workspace.hasWindowManager());
        EXPECT_EQ(workspace.frontmostProgram(), std::nullopt);
        const RunningProgram application{quint32(window), qint64(getpid())};
        EXPECT_FALSE(workspace.isTerminated(application));
        EXPECT_FALSE(workspace.activate(application));
    }
    XCloseDisplay(display);
}

TEST(X11WorkspaceWithoutDisplayTest, KnowsNothingAndLogsWhy) {
    test::LogCapture log;
    X11Workspace workspace(QByteArrayLiteral(":9999"));
    EXPECT_FALSE(workspace.isConnected());
    EXPECT_FALSE(workspace.hasWindowManager());
    EXPECT_EQ(workspace.frontmostProgram(), std::nullopt);
    EXPECT_FALSE(workspace.activate(RunningProgram{1, qint64(getpid())}));
    EXPECT_FALSE(workspace.isOwnProcessFrontmost());
    EXPECT_EQ(log.messages(), QStringList{"workspace unavailable display=:9999 reason=noDisplay"});
}

} // namespace
} // namespace sorvu
