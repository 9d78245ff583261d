// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/LaunchAtLoginSetting.h"
#include "preferences/LanguagePreferenceStore.h"
#include "preferences/SettingsLanguagePreferenceStorage.h"
#include "shortcuts/ShortcutManager.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/FakeKeyboardLayout.h"
#include "tests/support/FakeLaunchAtLogin.h"
#include "tests/support/FakeShortcutStore.h"
#include "views/SettingsScreenModel.h"

namespace sorvu::test {

// A real queue over a fake clipboard and a language store over the test's settings, for the popup's models.
class ViewsFixture : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        makeQueue();
        language =
            std::make_unique<LanguagePreferenceStore>(std::make_shared<SettingsLanguagePreferenceStorage>(settings));
        // The tests read English texts unless they choose another language.
        language->choose(QStringLiteral("en"));
        makeShortcutManager(FakeKeyboardLayout::usQwerty());
        launchAtLogin = std::make_unique<LaunchAtLoginSetting>(loginService, settings);
    }

    // A manager over the layout that reads the store's overrides as they are now.
    void makeShortcutManager(const FakeKeyboardLayout& layout) {
        shortcuts = std::make_unique<ShortcutManager>(shortcutStore, layout.characterForKeyCode(),
                                                      layout.keyCodeForCharacter());
    }

    SettingsScreenModel::Dependencies settingsDependencies() {
        SettingsScreenModel::Dependencies dependencies;
        dependencies.shortcutManager = shortcuts.get();
        dependencies.launchAtLogin = launchAtLogin.get();
        return dependencies;
    }

    // Each entry as if it had been copied in another program while collecting.
    void addTexts(const QStringList& texts) {
        for (const QString& text : texts) {
            startCollecting();
            clipboard->copyText(text);
            queue->collector().checkClipboard();
        }
    }
    void addImage(int width = 4, int height = 3) {
        startCollecting();
        clipboard->copyImages({makeImage(width, height)});
        queue->collector().checkClipboard();
    }
    void addFile(const QString& name) {
        startCollecting();
        clipboard->copyFiles({makeSourceFile(name)});
        queue->collector().checkClipboard();
    }
    QUuid idAt(int index) const { return queue->queue().at(index).id; }
    QStringList queuedTexts() const {
        QStringList texts;
        for (const auto& entry : queue->queue()) {
            texts.append(entry.content.text());
        }
        return texts;
    }

    std::unique_ptr<LanguagePreferenceStore> language;
    std::shared_ptr<FakeShortcutStore> shortcutStore = std::make_shared<FakeShortcutStore>();
    std::unique_ptr<ShortcutManager> shortcuts;
    std::shared_ptr<FakeLaunchAtLogin> loginService = std::make_shared<FakeLaunchAtLogin>();
    std::unique_ptr<LaunchAtLoginSetting> launchAtLogin;

private:
    void startCollecting() {
        if (!queue->isCollecting()) {
            queue->toggleCollecting();
        }
    }
};

} // namespace sorvu::test
