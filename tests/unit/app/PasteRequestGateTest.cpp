// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/PasteRequestGate.h"
#include "engine/EnumNames.h"
#include "tests/support/TestSupport.h"
#include "tests/unit/app/FakePlatform.h"

#include <gtest/gtest.h>

using namespace sorvu;
using namespace sorvu::test;

namespace {

constexpr quint16 ctrl = 37;
constexpr quint16 super = 133;
constexpr quint16 letterV = 55;

// Pastes as the coordinator would: every paste writes the clipboard anew, which the target has yet to fetch.
class RecordingHandler : public PasteRequestHandler {
public:
    explicit RecordingHandler(FakePlatform& platform) : m_platform(platform) {}

    QStringList dispatched;
    // When set, a completion is kept for the test to call, as a paste that waits for its recipient.
    bool holdCompletions = false;
    PasteCompletion held;

    void handlePasteRequest(const PasteRequestKind& kind, PasteRequestSource source,
                            PasteCompletion completion) override {
        dispatched.append(caseName(source));
        if (std::holds_alternative<PasteAllText>(kind)) {
            dispatched.last() += ":" + std::get<PasteAllText>(kind).separator;
        }
        ++m_platform.fakeClipboard->count;
        if (holdCompletions) {
            held = std::move(completion);
        } else if (completion) {
            completion(PasteAttemptResult::commandPosted);
        }
    }

private:
    FakePlatform& m_platform;
};

class Gate : public ::testing::Test {
protected:
    Gate() : handler(platform), gate(platform, handler, [this] { return now; }) {}

    void setKeysDown(QSet<quint16> keys) { platform.heldKeys = std::move(keys); }
    // The target fetched the last paste.
    void fetch() { platform.targetFetched(); }

    FakePlatform platform;
    RecordingHandler handler;
    QStringList& dispatched = handler.dispatched;
    qint64 now = 0;
    PasteRequestGate gate;
};

} // namespace

TEST_F(Gate, AShortcutPasteWaitsUntilItsKeysAreUp) {
    // Sorvu's own shortcut, and a desktop's shortcut that ran `sorvu --paste-next`: both still hold keys.
    for (const PasteRequestSource source : {PasteRequestSource::hotkey, PasteRequestSource::command}) {
        dispatched.clear();
        setKeysDown({ctrl, super, letterV});
        gate.submit(PasteNextEntry{}, source);
        EXPECT_TRUE(dispatched.isEmpty());
        setKeysDown({ctrl, super});
        gate.releaseReadyRequests();
        EXPECT_TRUE(dispatched.isEmpty());
        // A key pressed after the shortcut does not hold the paste back.
        setKeysDown({38});
        fetch();
        gate.releaseReadyRequests();
        EXPECT_EQ(dispatched, QStringList({caseName(source)}));
    }
}

TEST_F(Gate, HeldKeysDelayAPasteByOneSecondAtMost) {
    setKeysDown({ctrl, super, letterV});
    gate.submit(PasteNextEntry{}, PasteRequestSource::hotkey);
    now = 999;
    gate.releaseReadyRequests();
    EXPECT_TRUE(dispatched.isEmpty());
    now = 1000;
    gate.releaseReadyRequests();
    EXPECT_EQ(dispatched, QStringList({"hotkey"}));
}

TEST_F(Gate, ButtonsDoNotWaitForKeys) {
    setKeysDown({ctrl});
    gate.submit(PasteNextEntry{}, PasteRequestSource::button);
    EXPECT_EQ(dispatched, QStringList({"button"}));
}

TEST_F(Gate, TappingVWhileHoldingTheModifiersPastesEveryTapInOrderOnceUp) {
    for (int tap = 0; tap < 5; ++tap) {
        setKeysDown({ctrl, super, letterV});
        gate.submit(PasteAllText{QString::number(tap), {}}, PasteRequestSource::hotkey);
        setKeysDown({ctrl, super});
        gate.releaseReadyRequests();
        now += 50;
    }
    EXPECT_TRUE(dispatched.isEmpty());
    EXPECT_EQ(gate.pendingCount(), 5);
    setKeysDown({});
    for (int step = 0; step < 10 && gate.pendingCount() > 0; ++step) {
        gate.releaseReadyRequests();
        fetch();
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
    fetch();
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
    handler.holdCompletions = true;
    gate.submit(PasteNextEntry{}, PasteRequestSource::button);
    // The recipient took 0.4 s to come back before the paste was posted.
    now = 400;
    handler.held(PasteAttemptResult::commandPosted);
    now = 500;
    gate.submit(PasteNextEntry{}, PasteRequestSource::button);
    EXPECT_EQ(dispatched.size(), 1);
    now = 700;
    gate.releaseReadyRequests();
    EXPECT_EQ(dispatched.size(), 2);

    // A paste that failed was never posted: nothing to wait for after it.
    handler.held(PasteAttemptResult::recipientUnavailable);
    now = 750;
    gate.submit(PasteNextEntry{}, PasteRequestSource::button);
    EXPECT_EQ(dispatched.size(), 3);
}

TEST_F(Gate, AReplacedPasteAndAnUnknownKeyboardHoldNothingBack) {
    gate.submit(PasteNextEntry{}, PasteRequestSource::button);
    // Another program copied over the paste before anyone fetched it: it will never be fetched.
    platform.fakeClipboard->copyText("copied over");
    gate.submit(PasteNextEntry{}, PasteRequestSource::button);
    EXPECT_EQ(dispatched.size(), 2);

    // A session that does not tell which keys are down lets a shortcut's paste through at once.
    fetch();
    platform.heldKeys.reset();
    gate.submit(PasteNextEntry{}, PasteRequestSource::hotkey);
    EXPECT_EQ(dispatched.size(), 3);
}

TEST_F(Gate, ThePollTimerLetsRequestsThroughWithoutHelp) {
    PasteRequestGate realTime(platform, handler);
    realTime.submit(PasteNextEntry{}, PasteRequestSource::button);
    realTime.submit(PasteNextEntry{}, PasteRequestSource::button);
    EXPECT_EQ(dispatched.size(), 1);
    EXPECT_TRUE(waitUntil([&] { return dispatched.size() == 2; }, 2000));
    EXPECT_EQ(realTime.pendingCount(), 0);
}
