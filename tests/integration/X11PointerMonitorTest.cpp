// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11PointerMonitor.h"
#include "tests/integration/support/ChildProcess.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace sorvu {
namespace {

using test::ChildProcess;
using test::waitUntil;

bool xdotool(const QStringList& arguments) {
    return ChildProcess::run(QStringList{QStringLiteral("xdotool")} + arguments).succeeded();
}

struct Click {
    QPoint position;
    int button;
};

TEST(X11PointerMonitorTest, ReportsWhereEachButtonWasPressedButNotWheelSteps) {
    std::vector<Click> clicks;
    X11PointerMonitor monitor([&](QPoint position, int button) { clicks.push_back(Click{position, button}); });
    ASSERT_TRUE(monitor.isWatching());

    ASSERT_TRUE(xdotool({"mousemove", "321", "234", "click", "1"}));
    ASSERT_TRUE(waitUntil([&] { return !clicks.empty(); }));
    EXPECT_EQ(clicks.front().position, QPoint(321, 234));
    EXPECT_EQ(clicks.front().button, 1);

    ASSERT_TRUE(xdotool({"click", "4", "click", "5", "mousemove", "10", "700", "click", "3"}));
    ASSERT_TRUE(waitUntil([&] { return clicks.size() >= 2; }));
    EXPECT_EQ(clicks.back().position, QPoint(10, 700));
    EXPECT_EQ(clicks.back().button, 3);
    EXPECT_EQ(clicks.size(), 2u);
}

TEST(X11PointerMonitorWithoutDisplayTest, WatchesNothingAndLogsWhy) {
    test::LogCapture log;
    X11PointerMonitor pointer([](QPoint, int) {}, QByteArrayLiteral(":9999"));
    EXPECT_FALSE(pointer.isWatching());
    EXPECT_EQ(log.messages(), QStringList{"pointer monitor unavailable display=:9999 reason=noDisplay"});
}

} // namespace
} // namespace sorvu
