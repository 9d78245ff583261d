#include "tests/support/EngineFixture.h"

#include <QSignalSpy>

using namespace sorvu;
using namespace sorvu::test;

namespace {

class LaunchAtLogin : public EngineFixture {};

} // namespace

TEST_F(LaunchAtLogin, FollowsTheSystemAndFlagsAnItemSwitchedOffBehindOurBack) {
    loginService->status = 1;
    makeStack();
    EXPECT_TRUE(stack->launchAtLoginEnabled());
    EXPECT_FALSE(stack->launchAtLoginDesynced());

    settings->setValue("userEnabledLaunchAtLogin", true);
    loginService->status = 0;
    logs.clear();
    stack->refreshLaunchAtLoginStatus();
    EXPECT_FALSE(stack->launchAtLoginEnabled());
    EXPECT_TRUE(stack->launchAtLoginDesynced());
    EXPECT_EQ(logs.messages(),
              QStringList({"refreshLaunchAtLoginStatus status=notRegistered userIntended=true desynced=true"}));

    loginService->status = 3;
    stack->refreshLaunchAtLoginStatus();
    EXPECT_TRUE(stack->launchAtLoginDesynced());
    loginService->status = 17;
    stack->refreshLaunchAtLoginStatus();
    EXPECT_TRUE(stack->launchAtLoginDesynced());

    stack->toggleLaunchAtLogin();
    EXPECT_EQ(loginService->registerCalls, 1);
    EXPECT_TRUE(stack->launchAtLoginEnabled());
    EXPECT_FALSE(stack->launchAtLoginDesynced());
}

TEST_F(LaunchAtLogin, WaitingForApprovalIsNeitherOnNorDesynced) {
    settings->setValue("userEnabledLaunchAtLogin", true);
    loginService->status = 2;
    makeStack();
    EXPECT_FALSE(stack->launchAtLoginEnabled());
    EXPECT_FALSE(stack->launchAtLoginDesynced());
    stack->toggleLaunchAtLogin();
    EXPECT_EQ(loginService->registerCalls, 1);
    EXPECT_EQ(loginService->unregisterCalls, 0);
}

TEST_F(LaunchAtLogin, WithoutAStoredIntentionNothingIsDesynced) {
    makeStack();
    EXPECT_FALSE(settings->contains("userEnabledLaunchAtLogin"));
    EXPECT_FALSE(stack->launchAtLoginDesynced());
}

TEST_F(LaunchAtLogin, TogglingStoresTheIntentionOnlyOnSuccess) {
    makeStack();
    stack->toggleLaunchAtLogin();
    EXPECT_TRUE(settings->value("userEnabledLaunchAtLogin").toBool());
    stack->toggleLaunchAtLogin();
    EXPECT_EQ(loginService->unregisterCalls, 1);
    EXPECT_FALSE(settings->value("userEnabledLaunchAtLogin").toBool());

    loginService->failure = SystemError::posix(13);
    logs.clear();
    QSignalSpy enabled(stack.get(), &PasteStack::launchAtLoginEnabledChanged);
    QSignalSpy desynced(stack.get(), &PasteStack::launchAtLoginDesyncedChanged);
    stack->toggleLaunchAtLogin();
    EXPECT_FALSE(settings->value("userEnabledLaunchAtLogin").toBool());
    EXPECT_FALSE(stack->launchAtLoginEnabled());
    EXPECT_EQ(logs.messages().first(), "toggleLaunchAtLogin failed domain=POSIX code=13");
    // The refresh republishes the unchanged state.
    EXPECT_EQ(enabled.count(), 1);
    EXPECT_EQ(desynced.count(), 1);
}
