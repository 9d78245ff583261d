// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/SettingsScreenModel.h"
#include "tests/unit/views/ViewsFixture.h"
#include "views/ViewLanguage.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace sorvu {
namespace {

class SettingsScreenModelTest : public test::ViewsFixture {
protected:
    SettingsScreenModel& makeSettings(const QString& version = "1.4.0", const QString& buildNumber = "27",
                                      const QUrl& website = QUrl("https://sorvu.example/")) {
        auto dependencies = settingsDependencies();
        dependencies.version = version;
        dependencies.buildNumber = buildNumber;
        dependencies.website = website;
        dependencies.openUrl = [this](const QUrl& url) { opened.append(url); };
        settingsModel.reset();
        viewLanguage = std::make_unique<ViewLanguage>(*language);
        settingsModel = std::make_unique<SettingsScreenModel>(*language, *viewLanguage, dependencies);
        return *settingsModel;
    }

    QList<QUrl> opened;
    std::unique_ptr<ViewLanguage> viewLanguage;
    std::unique_ptr<SettingsScreenModel> settingsModel;
};

TEST_F(SettingsScreenModelTest, TheLanguagePickerListsSystemThenTheLanguagesByTheirOwnNamesAndSwitchesAtOnce) {
    auto& model = makeSettings();
    EXPECT_EQ(model.languageNames(), (QStringList{"System", "English", "Русский", "简体中文", "Español", "日本語",
                                                  "Deutsch", "Português (Brasil)"}));
    EXPECT_EQ(model.languageIndex(), 1) << "the fixture chose English";

    QSignalSpy texts(&model, &SettingsScreenModel::textsChanged);
    QSignalSpy recorder(model.pasteRecorder(), &ShortcutRecorderModel::changed);
    model.chooseLanguage(6);
    EXPECT_EQ(language->preferredLanguageCode(), "de");
    EXPECT_EQ(settings->value("preferredLanguageCode").toString(), "de") << "saved at once";
    EXPECT_EQ(texts.count(), 1);
    EXPECT_EQ(recorder.count(), 1);
    EXPECT_EQ(model.languageIndex(), 6);
    EXPECT_EQ(model.languageLabel(), "Sprache");
    EXPECT_EQ(model.launchAtLoginText(), "Beim Anmelden starten");
    EXPECT_EQ(model.pasteRecorder()->title(), "Nächsten Eintrag einfügen");
    EXPECT_EQ(model.languageNames().at(6), "Deutsch") << "names are never translated";

    // "System" forgets the stored choice.
    model.chooseLanguage(0);
    EXPECT_EQ(language->preferredLanguageCode(), std::nullopt);
    EXPECT_FALSE(settings->contains("preferredLanguageCode"));
    EXPECT_EQ(model.languageIndex(), 0);

    // Out of range: nothing changes.
    language->choose(QStringLiteral("en"));
    model.chooseLanguage(8);
    model.chooseLanguage(-1);
    EXPECT_EQ(language->preferredLanguageCode(), "en");

    // A code written by hand that Sorvu does not offer selects no entry.
    language->choose(QStringLiteral("fr"));
    EXPECT_EQ(model.languageIndex(), -1);
}

TEST_F(SettingsScreenModelTest, LaunchAtLoginShowsTheWarningWhenTheDesktopTurnedItOffAndPressingReenablesIt) {
    auto& model = makeSettings();
    EXPECT_FALSE(model.launchAtLoginEnabled());
    EXPECT_FALSE(model.launchAtLoginDesynced());

    model.toggleLaunchAtLogin();
    EXPECT_TRUE(model.launchAtLoginEnabled());
    EXPECT_EQ(loginService->registerCalls, 1);

    // The entry is removed behind Sorvu's back; the screen sees it when it appears.
    loginService->status = 0;
    QSignalSpy changes(&model, &SettingsScreenModel::launchAtLoginChanged);
    model.appeared();
    EXPECT_GE(changes.count(), 1);
    EXPECT_TRUE(model.launchAtLoginDesynced());
    EXPECT_FALSE(model.launchAtLoginEnabled());
    EXPECT_EQ(model.launchAtLoginDisabledText(), "⚠️ Launch at Login disabled");
    EXPECT_EQ(model.launchAtLoginHint(), "This was turned off in your desktop's startup settings. Click to re-enable.");

    model.toggleLaunchAtLogin();
    EXPECT_EQ(loginService->registerCalls, 2);
    EXPECT_TRUE(model.launchAtLoginEnabled());
    EXPECT_FALSE(model.launchAtLoginDesynced());
}

TEST_F(SettingsScreenModelTest, TheFooterShowsTheVersionWithDashesForWhatIsMissingAndOpensOnlyAValidWebsite) {
    EXPECT_EQ(makeSettings().versionText(), "Version 1.4.0 (27)");
    EXPECT_EQ(makeSettings("1.4.0", "").versionText(), "Version 1.4.0 (\u2014)");
    EXPECT_EQ(makeSettings("", "").versionText(), "Version \u2014 (\u2014)");

    auto& model = makeSettings();
    EXPECT_EQ(model.websiteText(), "Visit our website");
    model.openWebsite();
    EXPECT_EQ(opened, QList<QUrl>{QUrl("https://sorvu.example/")});

    makeSettings("1", "2", QUrl("http://[invalid")).openWebsite();
    makeSettings("1", "2", QUrl()).openWebsite();
    EXPECT_EQ(opened.size(), 1);

    // Without a program for links (no xdg-utils) the screen says so, until the next try.
    auto& withoutOpener = makeSettings();
    EXPECT_EQ(withoutOpener.websiteProblem(), "");
    withoutOpener.reportLinkNotOpened();
    EXPECT_EQ(withoutOpener.websiteProblem(), "No program opened the link. Install xdg-utils, then try again.");
    language->choose(QStringLiteral("de"));
    EXPECT_TRUE(withoutOpener.websiteProblem().contains("xdg-utils"));
    EXPECT_NE(withoutOpener.websiteProblem(), "No program opened the link. Install xdg-utils, then try again.");
    withoutOpener.openWebsite();
    EXPECT_EQ(withoutOpener.websiteProblem(), "");
}

TEST_F(SettingsScreenModelTest, KeysReachOnlyTheRecorderThatRecords) {
    auto& model = makeSettings();
    constexpr quint16 keyP = 33;
    const KeyModifiers ctrlAlt = KeyModifiers(KeyModifier::Ctrl) | KeyModifier::Alt;
    EXPECT_FALSE(model.keyPressed(keyP, ctrlAlt, false));

    model.pasteRecorder()->pressButton();
    EXPECT_TRUE(model.keyPressed(keyP, ctrlAlt, false));
    EXPECT_EQ(shortcuts->overrides().value(ShortcutAction::pasteNext),
              (KeyCombination{keyP, quint64(ctrlAlt.toInt())}));
    EXPECT_FALSE(shortcuts->overrides().contains(ShortcutAction::startStopCollecting));
    EXPECT_EQ(model.pasteRecorder()->shortcutText(), "Ctrl+Alt+P");
}

} // namespace
} // namespace sorvu
