// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/integration/support/DesktopSession.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cstdio>

// Which desktop the test program runs in, set by its build: busOnly, kwin or mutter.
#ifndef SORVU_TEST_DESKTOP
#error "SORVU_TEST_DESKTOP names the desktop of the test program"
#endif

int main(int argc, char** argv) {
    sorvu::test::DesktopSession::runAsUnprivilegedUser(argv);
    ::testing::InitGoogleTest(&argc, argv);
    sorvu::test::DesktopSession session;
    if (!session.prepare(sorvu::test::DesktopSession::Desktop::SORVU_TEST_DESKTOP)) {
        return 1;
    }
    // The mechanisms under test talk to the desktop over the bus; Qt itself keeps off the compositor.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int result = 1;
    {
        QGuiApplication application(argc, argv);
        // Without the desktop the tests fail: a skipped test would hide a broken environment.
        if (!session.start()) {
            std::fprintf(stderr, "desktop tests: the desktop session could not be started\n");
            return 1;
        }
        result = RUN_ALL_TESTS();
        session.stop();
    }
    return result;
}
