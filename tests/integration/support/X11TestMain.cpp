// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/integration/support/X11Session.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // The X server must exist before the Qt application connects to it. Without one the tests fail:
    // a skipped X11 test would hide a broken environment.
    sorvu::test::X11Session session;
    if (!session.start()) {
        std::fprintf(stderr, "X11 tests: no X session could be started\n");
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    int result = 1;
    {
        QApplication application(argc, argv);
        result = RUN_ALL_TESTS();
    }
    session.stop();
    return result;
}
