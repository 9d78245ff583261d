// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/ShortcutRecorderModel.h"
#include "shortcuts/GlobalShortcuts.h"
#include "tests/unit/views/ViewsFixture.h"
#include "views/ViewLanguage.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace sorvu {
namespace {

// US keycodes.
constexpr quint16 key1 = 10;
constexpr quint16 keyP = 33;
constexpr quint16 keyX = 53;
constexpr quint16 keyC = 54;
constexpr quint16 keyV = 55;
constexpr quint16 keyComma = 59;
constexpr quint16 keySpace = 65;
constexpr quint16 keyF5 = 71;
constexpr quint16 keyEscape = 9;

const KeyModifiers ctrl = KeyModifier::Ctrl;
const KeyModifiers ctrlSuper = KeyModifiers(KeyModifier::Ctrl) | KeyModifier::Super;

class FakeGlobalShortcuts : public GlobalShortcuts {
public:
    void start() override {}
    QList<ShortcutAction> takenActions() const override { return taken; }
    QList<ShortcutAction> taken;
};

class ShortcutRecorderModelTest : public test::ViewsFixture {
protected:
    void SetUp() override {
        ViewsFixture::SetUp();
        makeRecorders();
    }

    // Recorders over the current manager, as the settings screen makes them.
    void makeRecorders() {
        paste.reset();
        collecting.reset();
        viewLanguage = std::make_unique<ViewLanguage>(*language);
        collecting = std::make_unique<ShortcutRecorderModel>(ShortcutAction::startStopCollecting, *shortcuts,
                                                             *viewLanguage, &globalShortcuts);
        paste = std::make_unique<ShortcutRecorderModel>(ShortcutAction::pasteNext, *shortcuts, *viewLanguage,
                                                        &globalShortcuts);
    }

    static quint64 raw(KeyModifiers modifiers) { return quint64(modifiers.toInt()); }

    FakeGlobalShortcuts globalShortcuts;
    std::unique_ptr<ViewLanguage> viewLanguage;
    std::unique_ptr<ShortcutRecorderModel> collecting;
    std::unique_ptr<ShortcutRecorderModel> paste;
};

TEST_F(ShortcutRecorderModelTest, RecordingStartsAndStopsWithTheButtonEscapeAndAnotherRecorder) {
    EXPECT_EQ(paste->title(), "Paste Next Item");
    EXPECT_EQ(paste->shortcutText(), "Ctrl+Super+V");
    EXPECT_FALSE(paste->keyPressed(keyP, ctrl, false)) << "an idle recorder takes no key";

    paste->pressButton();
    EXPECT_TRUE(paste->isRecording());
    EXPECT_EQ(paste->shortcutText(), "Recording…");
    EXPECT_EQ(shortcuts->recordingAction(), ShortcutAction::pasteNext) << "the global shortcuts are suspended";
    ASSERT_TRUE(shortcuts->cancelRecordingHandler());

    // Escape is the popup's: it calls the cancel handler, which ends the recording without storing anything.
    EXPECT_FALSE(paste->keyPressed(keyEscape, {}, false));
    EXPECT_TRUE(paste->isRecording());
    shortcuts->cancelRecordingHandler()();
    EXPECT_FALSE(paste->isRecording());
    EXPECT_EQ(shortcuts->recordingAction(), std::nullopt);
    EXPECT_FALSE(shortcuts->cancelRecordingHandler());
    EXPECT_EQ(paste->shortcutText(), "Ctrl+Super+V");
    EXPECT_TRUE(shortcutStore->writes.empty());

    // A second press of the button stops.
    paste->pressButton();
    paste->pressButton();
    EXPECT_EQ(shortcuts->recordingAction(), std::nullopt);

    // Only one recorder records: the one that started last takes the keys.
    paste->pressButton();
    collecting->pressButton();
    EXPECT_FALSE(paste->isListening());
    EXPECT_FALSE(paste->keyPressed(keyP, ctrl, false));
    EXPECT_TRUE(collecting->keyPressed(keyP, ctrl, false));
    EXPECT_EQ(shortcuts->overrides().value(ShortcutAction::startStopCollecting), (KeyCombination{keyP, raw(ctrl)}));
    EXPECT_FALSE(shortcuts->overrides().contains(ShortcutAction::pasteNext));
    EXPECT_EQ(shortcuts->recordingAction(), std::nullopt);
}

TEST_F(ShortcutRecorderModelTest, TakesLettersDigitsAndFunctionKeysWithAModifierAndSwallowsTheRest) {
    paste->pressButton();
    // Swallowed and passed over: no modifier, a repeat, keys that type no letter or digit.
    for (const auto& [key, modifiers, repeat] : std::vector<std::tuple<quint16, KeyModifiers, bool>>{
             {keyF5, {}, false},
             {keyP, {}, false},
             {keyP, ctrl, true},
             {keySpace, ctrlSuper, false},
             {keyComma, KeyModifier::Super, false},
             {37, ctrl, false}, // Ctrl itself
         }) {
        EXPECT_TRUE(paste->keyPressed(key, modifiers, repeat)) << key;
        EXPECT_TRUE(paste->isRecording()) << key;
    }
    EXPECT_TRUE(shortcutStore->writes.empty());

    EXPECT_TRUE(paste->keyPressed(key1, KeyModifiers(KeyModifier::Shift) | KeyModifier::Super, false));
    EXPECT_EQ(shortcutStore->stored.value(ShortcutAction::pasteNext),
              (KeyCombination{key1, raw(KeyModifiers(KeyModifier::Shift) | KeyModifier::Super)}));
    EXPECT_EQ(paste->shortcutText(), "Shift+Super+1");

    paste->pressButton();
    EXPECT_TRUE(paste->keyPressed(keyF5, KeyModifier::Alt, false));
    EXPECT_EQ(paste->shortcutText(), "Alt+F5");
    EXPECT_EQ(shortcutStore->stored.value(ShortcutAction::pasteNext), (KeyCombination{keyF5, raw(KeyModifier::Alt)}));

    // The action's own default is stored as an override too.
    paste->pressButton();
    EXPECT_TRUE(paste->keyPressed(keyV, ctrlSuper, false));
    EXPECT_EQ(shortcutStore->stored.value(ShortcutAction::pasteNext), (KeyCombination{keyV, raw(ctrlSuper)}));
    EXPECT_TRUE(paste->canReset());
}

TEST_F(ShortcutRecorderModelTest, TheOtherActionsCombinationIsRefusedUntilTheNextStartOrAReset) {
    collecting->pressButton();
    EXPECT_TRUE(collecting->keyPressed(keyV, ctrlSuper, false));
    EXPECT_FALSE(collecting->isRecording()) << "a refusal ends the recording";
    EXPECT_EQ(collecting->duplicateAction(), ShortcutAction::pasteNext);
    EXPECT_EQ(collecting->warningText(), "Already used by Paste Next Item.");
    EXPECT_EQ(collecting->shortcutText(), "Ctrl+Super+C") << "the old shortcut stays";
    EXPECT_TRUE(shortcutStore->writes.empty());

    collecting->pressButton();
    EXPECT_EQ(collecting->warningText(), "") << "starting again clears the refusal";
    EXPECT_TRUE(collecting->keyPressed(keyV, ctrlSuper, false));
    EXPECT_FALSE(collecting->warningText().isEmpty());

    // Reset is off without an override, yet still clears the message.
    EXPECT_FALSE(collecting->canReset());
    collecting->reset();
    EXPECT_EQ(collecting->warningText(), "");

    // With an override, reset brings the default back and does not stop a recording under way.
    collecting->pressButton();
    EXPECT_TRUE(collecting->keyPressed(keyP, KeyModifier::Alt, false));
    EXPECT_EQ(collecting->shortcutText(), "Alt+P");
    collecting->pressButton();
    collecting->reset();
    EXPECT_EQ(shortcutStore->writes.back(), std::make_pair(std::optional<KeyCombination>(), collecting->action()));
    EXPECT_FALSE(collecting->canReset());
    EXPECT_TRUE(collecting->isRecording());
    collecting->pressButton();
    EXPECT_EQ(collecting->shortcutText(), "Ctrl+Super+C");
}

TEST_F(ShortcutRecorderModelTest, WarnsOfShadowedDefaultsTakenShortcutsAndTheSystemsCopyPasteCut) {
    // A second key typing c, bound by the paste action with Ctrl+Super: the collecting default (the first key
    // typing c) is unreachable, since overrides are matched first.
    auto layout = test::FakeKeyboardLayout::usQwerty();
    layout.keys.insert(200, "c");
    shortcutStore->stored.insert(ShortcutAction::pasteNext, KeyCombination{200, raw(ctrlSuper)});
    makeShortcutManager(layout);
    makeRecorders();
    EXPECT_EQ(collecting->warningText(), "Already used by Paste Next Item.");
    EXPECT_EQ(paste->warningText(), "");
    // An override of its own on another combination lifts the shadow.
    shortcuts->setOverride(KeyCombination{keyP, raw(ctrlSuper)}, ShortcutAction::startStopCollecting);
    EXPECT_EQ(collecting->warningText(), "");

    // Ctrl alone with c, v or x is every program's own Copy, Paste or Cut.
    QSignalSpy changes(collecting.get(), &ShortcutRecorderModel::changed);
    shortcuts->setOverride(KeyCombination{keyX, raw(ctrl)}, ShortcutAction::startStopCollecting);
    EXPECT_GE(changes.count(), 1);
    EXPECT_EQ(collecting->warningText(),
              "Matches the system's own Copy/Paste/Cut — will also fire on every ordinary use elsewhere.");
    shortcuts->setOverride(KeyCombination{keyC, raw(KeyModifiers(KeyModifier::Ctrl) | KeyModifier::Shift)},
                           ShortcutAction::startStopCollecting);
    EXPECT_EQ(collecting->warningText(), "");
    shortcuts->setOverride(KeyCombination{keyP, raw(ctrl)}, ShortcutAction::startStopCollecting);
    EXPECT_EQ(collecting->warningText(), "");

    // A shortcut another program grabbed first never reaches Sorvu.
    globalShortcuts.taken = {ShortcutAction::startStopCollecting};
    emit globalShortcuts.takenActionsChanged();
    EXPECT_EQ(collecting->warningText(), "Taken by another program");
    EXPECT_EQ(paste->warningText(), "");
}

TEST_F(ShortcutRecorderModelTest, ADefaultNoKeyTypesIsShownByItsLetterAndNeverConflicts) {
    makeShortcutManager(test::FakeKeyboardLayout::withoutC());
    makeRecorders();
    EXPECT_EQ(collecting->shortcutText(), "Ctrl+Super+C");
    // The key that types c on a US keyboard types ç here: free, since the default has no key.
    paste->pressButton();
    EXPECT_TRUE(paste->keyPressed(keyC, ctrlSuper, false));
    EXPECT_EQ(paste->duplicateAction(), std::nullopt);
    EXPECT_EQ(paste->shortcutText(), "Ctrl+Super+Ç");
}

TEST_F(ShortcutRecorderModelTest, TextsFollowTheChosenLanguageAtOnce) {
    EXPECT_EQ(paste->resetName(), "Reset to default, Paste Next Item");
    collecting->pressButton();
    collecting->keyPressed(keyV, ctrlSuper, false);
    QSignalSpy changes(collecting.get(), &ShortcutRecorderModel::changed);
    language->choose(QStringLiteral("de"));
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(collecting->title(), "Sammeln starten/stoppen");
    EXPECT_EQ(collecting->warningText(), "Bereits belegt durch „Nächsten Eintrag einfügen“.");
    EXPECT_EQ(paste->resetName(), "Auf Standard zurücksetzen, Nächsten Eintrag einfügen");
    paste->pressButton();
    EXPECT_EQ(paste->shortcutText(), "Aufnahme…");
}

} // namespace
} // namespace sorvu
