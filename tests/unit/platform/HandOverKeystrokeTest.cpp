// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/HandOverKeystroke.h"
#include "tests/support/FakePasteOutput.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace sorvu;
using sorvu::test::FakePasteOutput;
using sorvu::test::runEventLoopFor;
using sorvu::test::waitUntil;

namespace {

TEST(HandOverKeystrokeTest, waitsForTheCompositorsReadOfTheClaimWhichIsNoPaste) {
    FakePasteOutput keyboard;
    HandOverKeystroke keystroke(keyboard);
    keystroke.post(PasteKeys::controlV, 7);
    EXPECT_TRUE(keyboard.posted.isEmpty());

    // A read of an earlier claim is a late paste of that one, and releases nothing.
    EXPECT_FALSE(keystroke.contentFetched(6));
    EXPECT_TRUE(keyboard.posted.isEmpty());

    EXPECT_TRUE(keystroke.contentFetched(7));
    EXPECT_EQ(keyboard.posted, QList<PasteKeys>{PasteKeys::controlV});
    // The recipient's read after the keystroke is the paste.
    EXPECT_FALSE(keystroke.contentFetched(7));
    runEventLoopFor(HandOverKeystroke::deadlineMilliseconds + 50);
    EXPECT_EQ(keyboard.posted.size(), 1) << "the deadline passed without a second keystroke";
}

TEST(HandOverKeystrokeTest, goesOutAtTheDeadlineWhenNothingIsReadAndInOrderWhenTheNextComesFirst) {
    FakePasteOutput keyboard;
    HandOverKeystroke keystroke(keyboard);
    keystroke.post(PasteKeys::shiftInsert, 3);
    ASSERT_TRUE(waitUntil([&] { return !keyboard.posted.isEmpty(); }, 2000));
    EXPECT_EQ(keyboard.posted, QList<PasteKeys>{PasteKeys::shiftInsert});
    // A read that comes later is the recipient's.
    EXPECT_FALSE(keystroke.contentFetched(3));

    // A second paste before the first was taken up: one keystroke each, in order.
    keystroke.post(PasteKeys::controlV, 4);
    keystroke.post(PasteKeys::controlShiftV, 5);
    EXPECT_EQ(keyboard.posted, (QList<PasteKeys>{PasteKeys::shiftInsert, PasteKeys::controlV}));
    EXPECT_FALSE(keystroke.contentFetched(4));
    EXPECT_TRUE(keystroke.contentFetched(5));
    EXPECT_EQ(keyboard.posted,
              (QList<PasteKeys>{PasteKeys::shiftInsert, PasteKeys::controlV, PasteKeys::controlShiftV}));
}

} // namespace
