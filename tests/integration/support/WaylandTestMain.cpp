// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/integration/support/WaylandSession.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // The compositor must run before the mechanisms connect to it. Without one the tests fail: a skipped
    // Wayland test would hide a broken environment.
    sorvu::test::WaylandSession session;
    if (!session.start()) {
        std::fprintf(stderr, "Wayland tests: no Wayland session could be started\n");
        return 1;
    }
    // The mechanisms under test connect to the socket themselves; Qt keeps off the compositor.
    qputenv("WAYLAND_DISPLAY", session.socketPath());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int result = 1;
    {
        QGuiApplication application(argc, argv);
        result = RUN_ALL_TESTS();
    }
    session.stop();
    return result;
}
