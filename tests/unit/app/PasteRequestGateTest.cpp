#include "app/PasteRequestGate.h"
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
                   dispatched.append(source == PasteRequestSource::hotkey ? "hotkey" : "button");
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
    keysDown = {ctrl, super, letterV};
    gate.submit(PasteNextEntry{}, PasteRequestSource::hotkey);
    EXPECT_TRUE(dispatched.isEmpty());
    keysDown = {ctrl, super};
    gate.releaseReadyRequests();
    EXPECT_TRUE(dispatched.isEmpty());
    // A key pressed after the shortcut does not hold the paste back.
    keysDown = {38};
    gate.releaseReadyRequests();
    EXPECT_EQ(dispatched, QStringList({"hotkey"}));
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

TEST_F(Gate, ThePollTimerLetsRequestsThroughWithoutHelp) {
    PasteRequestGate realTime(
        [] { return QSet<quint16>(); }, [this] { return fetched; },
        [this](const PasteRequestKind&, PasteRequestSource, PasteCompletion) { dispatched.append("real"); });
    fetched = false;
    realTime.submit(PasteNextEntry{}, PasteRequestSource::button);
    EXPECT_TRUE(dispatched.isEmpty());
    EXPECT_TRUE(waitUntil([&] { return !dispatched.isEmpty(); }, 2000));
    EXPECT_EQ(realTime.pendingCount(), 0);
}
