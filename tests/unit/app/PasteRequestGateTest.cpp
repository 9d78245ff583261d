// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/PasteRequestGate.h"
#include "engine/EnumNames.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace sorvu;
using namespace sorvu::test;

namespace {

constexpr quint16 ctrl = 37;
constexpr quint16 super = 133;
constexpr quint16 letterV = 55;

class Gate : public ::testing::Test {
protected:
    Gate()
        : gate([this] { return keysDown; }, [this] { return fetched; },
               [this](const PasteRequestKind& kind, PasteRequestSource source, PasteCompletion completion) {
                   dispatched.append(caseName(source));
                   if (std::holds_alternative<PasteAllText>(kind)) {
                       dispatched.last() += ":" + std::get<PasteAllText>(kind).separator;
                   }
                   if (completion) {
                       completion(PasteAttemptResult::commandPosted);
                   }
                   // Every paste writes the clipboard anew; the target has yet to fetch it.
                   fetched = false;
               },
               [this] { return now; }) {}

    QSet<quint16> keysDown;
    bool fetched = true;
    qint64 now = 0;
    QStringList dispatched;
    PasteRequestGate gate;
};

} // namespace

TEST_F(Gate, AShortcutPasteWaitsUntilItsKeysAreUp) {
    // Sorvu's own shortcut, and a desktop's shortcut that ran `sorvu --paste-next`: both still hold keys.
    for (const PasteRequestSource source : {PasteRequestSource::hotkey, PasteRequestSource::command}) {
        dispatched.clear();
        keysDown = {ctrl, super, letterV};
        gate.submit(PasteNextEntry{}, source);
        EXPECT_TRUE(dispatched.isEmpty());
        keysDown = {ctrl, super};
        gate.releaseReadyRequests();
        EXPECT_TRUE(dispatched.isEmpty());
        // A key pressed after the shortcut does not hold the paste back.
        keysDown = {38};
        fetched = true;
        gate.releaseReadyRequests();
        EXPECT_EQ(dispatched, QStringList({caseName(source)}));
    }
}

TEST_F(Gate, HeldKeysDelayAPasteByOneSecondAtMost) {
    keysDown = {ctrl, super, letterV};
    gate.submit(PasteNextEntry{}, PasteRequestSource::hotkey);
    now = 999;
    gate.releaseReadyRequests();
    EXPECT_TRUE(dispatched.isEmpty());
    now = 1000;
    gate.releaseReadyRequests();
    EXPECT_EQ(dispatched, QStringList({"hotkey"}));
}

TEST_F(Gate, ButtonsDoNotWaitForKeys) {
    keysDown = {ctrl};
    gate.submit(PasteNextEntry{}, PasteRequestSource::button);
    EXPECT_EQ(dispatched, QStringList({"button"}));
}

TEST_F(Gate, TappingVWhileHoldingTheModifiersPastesEveryTapInOrderOnceUp) {
    for (int tap = 0; tap < 5; ++tap) {
        keysDown = {ctrl, super, letterV};
        gate.submit(PasteAllText{QString::number(tap), {}}, PasteRequestSource::hotkey);
        keysDown = {ctrl, super};
        gate.releaseReadyRequests();
        now += 50;
    }
    EXPECT_TRUE(dispatched.isEmpty());
    EXPECT_EQ(gate.pendingCount(), 5);
    keysDown = {};
    for (int step = 0; step < 10 && gate.pendingCount() > 0; ++step) {
        gate.releaseReadyRequests();
        fetched = true;
    }
    EXPECT_EQ(dispatched, QStringList({"hotkey:0", "hotkey:1", "hotkey:2", "hotkey:3", "hotkey:4"}));
}

TEST_F(Gate, ANextPasteWaitsUntilThePreviousOneWasFetched) {
    gate.submit(PasteNextEntry{}, PasteRequestSource::button);
    gate.submit(PasteAllText{"second", {}}, PasteRequestSource::button);
    gate.submit(PasteAllText{"third", {}}, PasteRequestSource::button);
    EXPECT_EQ(dispatched, QStringList({"button"}));
    now = 100;
    gate.releaseReadyRequests();
    EXPECT_EQ(dispatched.size(), 1);
    fetched = true;
    gate.releaseReadyRequests();
    EXPECT_EQ(dispatched, QStringList({"button", "button:second"}));
    // A target that never fetches costs 0.3 s, then the order goes on.
    now = 399;
    gate.releaseReadyRequests();
    EXPECT_EQ(dispatched.size(), 2);
    now = 400;
    gate.releaseReadyRequests();
    EXPECT_EQ(dispatched, QStringList({"button", "button:second", "button:third"}));
    EXPECT_EQ(gate.pendingCount(), 0);
}

TEST_F(Gate, TheFetchWaitCountsFromThePreviousPasteNotFromTheNextRequest) {
    gate.submit(PasteNextEntry{}, PasteRequestSource::button);
    EXPECT_EQ(dispatched.size(), 1);
    // Nobody fetched that paste, but its 0.3 s are long over when the next request comes.
    now = 1000;
    gate.submit(PasteNextEntry{}, PasteRequestSource::button);
    EXPECT_EQ(dispatched.size(), 2);

    // A request that comes 0.2 s after an unfetched paste waits only the 0.1 s that are left.
    now = 1200;
    gate.submit(PasteNextEntry{}, PasteRequestSource::button);
    EXPECT_EQ(dispatched.size(), 2);
    now = 1299;
    gate.releaseReadyRequests();
    EXPECT_EQ(dispatched.size(), 2);
    now = 1300;
    gate.releaseReadyRequests();
    EXPECT_EQ(dispatched.size(), 3);
}

TEST_F(Gate, APasteIsTimedFromWhenItWasPostedNotWhenItWasLetThrough) {
    PasteCompletion laterCompletion;
    PasteRequestGate delayed([] { return QSet<quint16>(); }, [this] { return fetched; },
                             [&](const PasteRequestKind&, PasteRequestSource, PasteCompletion completion) {
                                 dispatched.append("delayed");
                                 laterCompletion = std::move(completion);
                             },
                             [this] { return now; });
    fetched = false;
    delayed.submit(PasteNextEntry{}, PasteRequestSource::button);
    // The recipient took 0.4 s to come back before the paste was posted.
    now = 400;
    laterCompletion(PasteAttemptResult::commandPosted);
    now = 500;
    delayed.submit(PasteNextEntry{}, PasteRequestSource::button);
    EXPECT_EQ(dispatched.size(), 1);
    now = 700;
    delayed.releaseReadyRequests();
    EXPECT_EQ(dispatched.size(), 2);

    // A paste that failed was never posted: nothing to wait for after it.
    laterCompletion(PasteAttemptResult::recipientUnavailable);
    now = 750;
    delayed.submit(PasteNextEntry{}, PasteRequestSource::button);
    EXPECT_EQ(dispatched.size(), 3);
}

TEST_F(Gate, ThePollTimerLetsRequestsThroughWithoutHelp) {
    PasteRequestGate realTime([] { return QSet<quint16>(); }, [this] { return fetched; },
                              [this](const PasteRequestKind&, PasteRequestSource, PasteCompletion completion) {
                                  dispatched.append("real");
                                  completion(PasteAttemptResult::commandPosted);
                              });
    fetched = false;
    realTime.submit(PasteNextEntry{}, PasteRequestSource::button);
    realTime.submit(PasteNextEntry{}, PasteRequestSource::button);
    EXPECT_EQ(dispatched.size(), 1);
    EXPECT_TRUE(waitUntil([&] { return dispatched.size() == 2; }, 2000));
    EXPECT_EQ(realTime.pendingCount(), 0);
}
