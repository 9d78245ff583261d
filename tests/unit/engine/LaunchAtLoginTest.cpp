// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/EngineFixture.h"

#include <QSignalSpy>

using namespace sorvu;
using namespace sorvu::test;

namespace {

class LaunchAtLoginState : public EngineFixture {};

} // namespace

TEST_F(LaunchAtLoginState, FollowsTheSystemAndFlagsAnItemSwitchedOffBehindOurBack) {
    loginService->status = 1;
    makeQueue();
    EXPECT_TRUE(queue->launchAtLoginEnabled());
    EXPECT_FALSE(queue->launchAtLoginDesynced());

    settings->setValue("userEnabledLaunchAtLogin", true);
    loginService->status = 0;
    logs.clear();
    queue->refreshLaunchAtLoginStatus();
    EXPECT_FALSE(queue->launchAtLoginEnabled());
    EXPECT_TRUE(queue->launchAtLoginDesynced());
    EXPECT_EQ(logs.messages(),
              QStringList({"refreshLaunchAtLoginStatus status=notRegistered userIntended=true desynced=true"}));

    loginService->status = 3;
    queue->refreshLaunchAtLoginStatus();
    EXPECT_TRUE(queue->launchAtLoginDesynced());
    loginService->status = 17;
    queue->refreshLaunchAtLoginStatus();
    EXPECT_TRUE(queue->launchAtLoginDesynced());

    queue->toggleLaunchAtLogin();
    EXPECT_EQ(loginService->registerCalls, 1);
    EXPECT_TRUE(queue->launchAtLoginEnabled());
    EXPECT_FALSE(queue->launchAtLoginDesynced());
}

TEST_F(LaunchAtLoginState, WaitingForApprovalIsNeitherOnNorDesynced) {
    settings->setValue("userEnabledLaunchAtLogin", true);
    loginService->status = 2;
    makeQueue();
    EXPECT_FALSE(queue->launchAtLoginEnabled());
    EXPECT_FALSE(queue->launchAtLoginDesynced());
    queue->toggleLaunchAtLogin();
    EXPECT_EQ(loginService->registerCalls, 1);
    EXPECT_EQ(loginService->unregisterCalls, 0);
}

TEST_F(LaunchAtLoginState, WithoutAStoredIntentionNothingIsDesynced) {
    makeQueue();
    EXPECT_FALSE(settings->contains("userEnabledLaunchAtLogin"));
    EXPECT_FALSE(queue->launchAtLoginDesynced());
}

TEST_F(LaunchAtLoginState, TogglingStoresTheIntentionOnlyOnSuccess) {
    makeQueue();
    queue->toggleLaunchAtLogin();
    EXPECT_TRUE(settings->value("userEnabledLaunchAtLogin").toBool());
    queue->toggleLaunchAtLogin();
    EXPECT_EQ(loginService->unregisterCalls, 1);
    EXPECT_FALSE(settings->value("userEnabledLaunchAtLogin").toBool());

    loginService->failure = SystemError::posix(13);
    logs.clear();
    QSignalSpy enabled(queue.get(), &ClipboardQueue::launchAtLoginEnabledChanged);
    QSignalSpy desynced(queue.get(), &ClipboardQueue::launchAtLoginDesyncedChanged);
    queue->toggleLaunchAtLogin();
    EXPECT_FALSE(settings->value("userEnabledLaunchAtLogin").toBool());
    EXPECT_FALSE(queue->launchAtLoginEnabled());
    EXPECT_EQ(logs.messages().first(), "toggleLaunchAtLogin failed domain=POSIX code=13");
    // The refresh republishes the unchanged state.
    EXPECT_EQ(enabled.count(), 1);
    EXPECT_EQ(desynced.count(), 1);
}
