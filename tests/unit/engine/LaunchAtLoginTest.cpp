// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/LaunchAtLoginSetting.h"
#include "tests/support/FakeLaunchAtLogin.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TemporarySettings.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace sorvu;
using namespace sorvu::test;

namespace {

class LaunchAtLoginState : public TemporarySettings {
protected:
    std::unique_ptr<LaunchAtLoginSetting> makeSetting() {
        return std::make_unique<LaunchAtLoginSetting>(loginService, settings);
    }

    std::shared_ptr<QSettings> settings = openSettings();
    std::shared_ptr<FakeLaunchAtLogin> loginService = std::make_shared<FakeLaunchAtLogin>();
    LogCapture logs;
};

} // namespace

TEST_F(LaunchAtLoginState, FollowsTheSystemAndFlagsAnItemSwitchedOffBehindOurBack) {
    loginService->status = 1;
    const auto setting = makeSetting();
    EXPECT_TRUE(setting->enabled());
    EXPECT_FALSE(setting->desynced());

    settings->setValue("userEnabledLaunchAtLogin", true);
    loginService->status = 0;
    logs.clear();
    setting->refreshStatus();
    EXPECT_FALSE(setting->enabled());
    EXPECT_TRUE(setting->desynced());
    EXPECT_EQ(logs.messages(),
              QStringList({"refreshLaunchAtLoginStatus status=notRegistered userIntended=true desynced=true"}));

    loginService->status = 3;
    setting->refreshStatus();
    EXPECT_TRUE(setting->desynced());
    loginService->status = 17;
    setting->refreshStatus();
    EXPECT_TRUE(setting->desynced());

    setting->toggle();
    EXPECT_EQ(loginService->registerCalls, 1);
    EXPECT_TRUE(setting->enabled());
    EXPECT_FALSE(setting->desynced());
}

TEST_F(LaunchAtLoginState, WithoutAStoredIntentionNothingIsDesynced) {
    const auto setting = makeSetting();
    EXPECT_FALSE(settings->contains("userEnabledLaunchAtLogin"));
    EXPECT_FALSE(setting->desynced());
}

TEST_F(LaunchAtLoginState, TogglingStoresTheIntentionOnlyOnSuccess) {
    const auto setting = makeSetting();
    setting->toggle();
    EXPECT_TRUE(settings->value("userEnabledLaunchAtLogin").toBool());
    setting->toggle();
    EXPECT_EQ(loginService->unregisterCalls, 1);
    EXPECT_FALSE(settings->value("userEnabledLaunchAtLogin").toBool());

    loginService->failure = SystemError::posix(13);
    logs.clear();
    QSignalSpy enabled(setting.get(), &LaunchAtLoginSetting::enabledChanged);
    QSignalSpy desynced(setting.get(), &LaunchAtLoginSetting::desyncedChanged);
    setting->toggle();
    EXPECT_FALSE(settings->value("userEnabledLaunchAtLogin").toBool());
    EXPECT_FALSE(setting->enabled());
    EXPECT_EQ(logs.messages().first(), "toggleLaunchAtLogin failed domain=POSIX code=13");
    // The refresh republishes the unchanged state.
    EXPECT_EQ(enabled.count(), 1);
    EXPECT_EQ(desynced.count(), 1);
}
