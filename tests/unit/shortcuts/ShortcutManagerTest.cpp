// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shortcuts/ShortcutManager.h"
#include "tests/support/FakeKeyboardLayout.h"
#include "tests/support/FakeShortcutStore.h"
#include "tests/support/LogCapture.h"
#include "tests/unit/shortcuts/RawModifiers.h"
#include "tests/unit/shortcuts/ShortcutPrinters.h"

#include <gtest/gtest.h>

#include <memory>

namespace sorvu {
namespace {

using namespace test;

// US keycodes.
constexpr quint16 keyC = 54;
constexpr quint16 keyV = 55;
constexpr quint16 keyX = 53;
constexpr quint16 keyF5 = 71;

class ShortcutManagerTest : public ::testing::Test {
protected:
    // A manager over the layout, with the store's current overrides.
    void startWith(const FakeKeyboardLayout& layout) {
        m_manager =
            std::make_unique<ShortcutManager>(m_store, layout.characterForKeyCode(), layout.keyCodeForCharacter());
    }

    // Matches one press of the key, with the modifiers the session reports of the raw value, and answers what
    // it fires: "T" (toggle), "P" (paste) or "".
    std::string fired(quint16 keyCode, quint64 modifiers, bool isRepeat = false) const {
        const std::optional<ShortcutAction> action =
            m_manager->matchedAction(KeyDownEvent{keyCode, keyModifiersOf(modifiers), isRepeat});
        if (!action) {
            return "";
        }
        return *action == ShortcutAction::startStopCollecting ? "T" : "P";
    }

    std::shared_ptr<test::FakeShortcutStore> m_store = std::make_shared<test::FakeShortcutStore>();
    std::unique_ptr<ShortcutManager> m_manager;
};

TEST_F(ShortcutManagerTest, ReadsTheStoreOnceAtConstruction) {
    m_store->stored.insert(ShortcutAction::pasteNext, KeyCombination{keyF5, option});
    startWith(FakeKeyboardLayout::usQwerty());
    EXPECT_EQ(m_store->reads, 2);
    EXPECT_EQ(m_manager->overrides(), (ShortcutOverrides{{ShortcutAction::pasteNext, KeyCombination{keyF5, option}}}));

    m_store->stored.insert(ShortcutAction::startStopCollecting, KeyCombination{keyF5, shift});
    EXPECT_EQ(fired(keyF5, option), "P");
    EXPECT_EQ(fired(keyF5, shift), "");
    EXPECT_EQ(m_store->reads, 2);
    EXPECT_EQ(m_manager->recordingAction(), std::nullopt);
    EXPECT_FALSE(m_manager->cancelRecordingHandler());
}

TEST_F(ShortcutManagerTest, NothingMatchesWithoutALayoutButOverrides) {
    m_store->stored.insert(ShortcutAction::pasteNext, KeyCombination{keyF5, option});
    ShortcutManager layoutless(m_store, nullptr, nullptr);
    EXPECT_EQ(layoutless.matchedAction(KeyDownEvent{keyC, keyModifiersOf(controlCommand), false}), std::nullopt);
    EXPECT_EQ(layoutless.matchedAction(KeyDownEvent{keyF5, keyModifiersOf(option), false}), ShortcutAction::pasteNext);
}

TEST_F(ShortcutManagerTest, DefaultsNeedExactlyCtrlSuper) {
    startWith(FakeKeyboardLayout::usQwerty());
    EXPECT_EQ(fired(keyC, controlCommand), "T");
    EXPECT_EQ(fired(keyV, controlCommand), "P");
    EXPECT_EQ(fired(keyX, controlCommand), "");
    EXPECT_EQ(fired(keyC, controlCommand | capsLock), "T");
    EXPECT_EQ(fired(keyV, controlCommand | function | 0x100 | 0x1000000), "P");
    EXPECT_EQ(fired(keyV, controlCommand | shift), "");
    EXPECT_EQ(fired(keyV, controlCommand | option), "");
    EXPECT_EQ(fired(keyV, control), "");
    EXPECT_EQ(fired(keyV, command), "");
    EXPECT_EQ(fired(keyV, 0), "");
    // F1 types nothing.
    EXPECT_EQ(fired(67, controlCommand), "");
}

TEST_F(ShortcutManagerTest, RepeatsNeverFire) {
    m_store->stored.insert(ShortcutAction::pasteNext, KeyCombination{keyF5, option});
    startWith(FakeKeyboardLayout::usQwerty());
    EXPECT_EQ(fired(keyC, controlCommand, true), "");
    EXPECT_EQ(fired(keyF5, option, true), "");
    // Holding the shortcut: one press, then repeats.
    EXPECT_EQ(fired(keyC, controlCommand) + fired(keyC, controlCommand, true) + fired(keyC, controlCommand, true), "T");
}

TEST_F(ShortcutManagerTest, RecordingSuspendsAllMatching) {
    m_store->stored.insert(ShortcutAction::startStopCollecting, KeyCombination{keyF5, option});
    startWith(FakeKeyboardLayout::usQwerty());
    m_manager->setRecordingAction(ShortcutAction::startStopCollecting);
    EXPECT_EQ(fired(keyV, controlCommand), "");
    EXPECT_EQ(fired(keyF5, option), "");
    m_manager->setRecordingAction(std::nullopt);
    EXPECT_EQ(fired(keyV, controlCommand), "P");
    EXPECT_EQ(fired(keyF5, option), "T");
}

TEST_F(ShortcutManagerTest, DefaultsFollowTheCharacterNotTheKeyPosition) {
    startWith(FakeKeyboardLayout::usDvorak());
    EXPECT_EQ(fired(keyC, controlCommand), "");
    EXPECT_EQ(fired(31, controlCommand), "T");
    EXPECT_EQ(fired(60, controlCommand), "P");
    EXPECT_EQ(fired(keyV, controlCommand), "");
}

TEST_F(ShortcutManagerTest, DefaultsOnGermanAndFrenchLayouts) {
    for (const FakeKeyboardLayout& layout : {FakeKeyboardLayout::germanQwertz(), FakeKeyboardLayout::frenchAzerty()}) {
        startWith(layout);
        EXPECT_EQ(fired(keyC, controlCommand), "T");
        EXPECT_EQ(fired(keyV, controlCommand), "P");
        // The other letters that moved are no shortcuts.
        for (const quint16 keyCode : {24, 25, 29, 38, 47, 52}) {
            EXPECT_EQ(fired(keyCode, controlCommand), "") << keyCode;
        }
    }
}

TEST_F(ShortcutManagerTest, RussianWithUsUsesTheLatinGroup) {
    const FakeKeyboardLayout russian = FakeKeyboardLayout::russian();
    // Cyrillic "\u0441" on the c key only looks like c.
    startWith(russian);
    EXPECT_EQ(fired(keyC, controlCommand), "");
    EXPECT_EQ(fired(keyV, controlCommand), "");

    startWith(FakeKeyboardLayout::asciiCapable({russian, FakeKeyboardLayout::usQwerty()}, 0));
    EXPECT_EQ(fired(keyC, controlCommand), "T");
    EXPECT_EQ(fired(keyV, controlCommand), "P");
}

TEST_F(ShortcutManagerTest, LayoutWithoutCLeavesOnlyTheOtherDefault) {
    startWith(FakeKeyboardLayout::withoutC());
    for (quint16 keyCode = 8; keyCode < 256; ++keyCode) {
        EXPECT_NE(m_manager->matchedAction(KeyDownEvent{keyCode, keyModifiersOf(controlCommand), false}),
                  ShortcutAction::startStopCollecting)
            << keyCode;
    }
    EXPECT_EQ(fired(keyV, controlCommand), "P");
    EXPECT_EQ(m_manager->effectiveShortcut(ShortcutAction::startStopCollecting), std::nullopt);
    EXPECT_EQ(m_manager->effectiveShortcutText(ShortcutAction::startStopCollecting, TranslationCatalog(), QLocale::c()),
              "Ctrl+Super+C");
}

TEST_F(ShortcutManagerTest, TypedTextIsComparedLowerCased) {
    FakeKeyboardLayout shouting = FakeKeyboardLayout::usQwerty();
    shouting.keys[keyC] = QStringLiteral("C");
    shouting.keys[keyV] = QStringLiteral("vv");
    startWith(shouting);
    EXPECT_EQ(fired(keyC, controlCommand), "T");
    EXPECT_EQ(fired(keyV, controlCommand), "");
}

TEST_F(ShortcutManagerTest, OverridesMatchByKeyCodeAndExactModifiers) {
    m_store->stored.insert(ShortcutAction::startStopCollecting, KeyCombination{keyF5, option | shift});
    m_store->stored.insert(ShortcutAction::pasteNext, KeyCombination{24, command});
    startWith(FakeKeyboardLayout::frenchAzerty());
    EXPECT_EQ(fired(keyF5, option | shift), "T");
    EXPECT_EQ(fired(keyF5, option | shift | capsLock | function), "T");
    EXPECT_EQ(fired(keyF5, option), "");
    EXPECT_EQ(fired(keyF5, option | shift | command), "");
    // Key 24 types a here and q on a US keyboard; the override follows the key.
    EXPECT_EQ(fired(24, command), "P");
    EXPECT_EQ(fired(38, command), "");
    // Both actions overridden: the defaults are gone.
    EXPECT_EQ(fired(keyC, controlCommand), "");
    EXPECT_EQ(fired(keyV, controlCommand), "");
}

TEST_F(ShortcutManagerTest, OverrideReplacesOnlyItsOwnDefault) {
    m_store->stored.insert(ShortcutAction::startStopCollecting, KeyCombination{keyF5, option});
    startWith(FakeKeyboardLayout::usQwerty());
    EXPECT_EQ(fired(keyC, controlCommand), "");
    EXPECT_EQ(fired(keyV, controlCommand), "P");
}

TEST_F(ShortcutManagerTest, OverridesComeBeforeDefaultsAndInActionOrder) {
    startWith(FakeKeyboardLayout::usQwerty());
    m_manager->setOverride(KeyCombination{keyC, controlCommand}, ShortcutAction::pasteNext);
    EXPECT_EQ(fired(keyC, controlCommand), "P");
    EXPECT_EQ(fired(keyV, controlCommand), "");

    m_manager->setOverride(KeyCombination{keyC, controlCommand}, ShortcutAction::startStopCollecting);
    EXPECT_EQ(fired(keyC, controlCommand), "T");
}

TEST_F(ShortcutManagerTest, StoredOverridesTheRecorderWouldRefuseAreIgnoredWithALogLine) {
    LogCapture log;
    // A bare "a" would paste on every typed a; 65535 is no key at all.
    m_store->stored.insert(ShortcutAction::pasteNext, KeyCombination{38, 0});
    m_store->stored.insert(ShortcutAction::startStopCollecting, KeyCombination{65535, control});
    startWith(FakeKeyboardLayout::usQwerty());
    EXPECT_TRUE(m_manager->overrides().isEmpty());
    EXPECT_EQ(fired(38, 0), "");
    EXPECT_EQ(fired(keyC, controlCommand), "T");
    EXPECT_EQ(fired(keyV, controlCommand), "P");
    ASSERT_EQ(log.lines().size(), 2);
    EXPECT_EQ(log.lines().at(0).category, "sorvu.ShortcutStoring");
    EXPECT_EQ(log.messages(),
              (QStringList{"override ignored action=startStopCollecting keyCode=65535 modifiersRawValue=262144 "
                           "reason=unusableKey",
                           "override ignored action=pasteNext keyCode=38 modifiersRawValue=0 reason=noModifier"}));

    log.clear();
    m_store->stored.insert(ShortcutAction::startStopCollecting, KeyCombination{keyC, controlCommand | capsLock});
    m_store->stored.insert(ShortcutAction::pasteNext, KeyCombination{59, control});
    startWith(FakeKeyboardLayout::usQwerty());
    EXPECT_TRUE(m_manager->overrides().isEmpty());
    EXPECT_EQ(fired(keyC, controlCommand), "T");
    EXPECT_EQ(fired(59, control), "");
    ASSERT_EQ(log.messagesStartingWith("override ignored").size(), 2);
    EXPECT_TRUE(log.messages().at(0).endsWith("reason=otherModifier"));
    EXPECT_TRUE(log.messages().at(1).endsWith("reason=unusableKey"));
    // The values stay stored, as they are, until the user sets or resets the shortcut.
    EXPECT_TRUE(m_store->writes.empty());
    EXPECT_EQ(m_store->stored.size(), 2);
}

TEST_F(ShortcutManagerTest, AStoredOverrideOnTheOtherActionsCombinationIsIgnored) {
    LogCapture log;
    // On the other action's default.
    m_store->stored.insert(ShortcutAction::pasteNext, KeyCombination{keyC, controlCommand});
    startWith(FakeKeyboardLayout::usQwerty());
    EXPECT_TRUE(m_manager->overrides().isEmpty());
    EXPECT_EQ(fired(keyC, controlCommand), "T");
    EXPECT_EQ(fired(keyV, controlCommand), "P");
    EXPECT_EQ(log.messages(), QStringList{"override ignored action=pasteNext keyCode=54 modifiersRawValue=1310720 "
                                          "reason=usedByOtherAction other=startStopCollecting"});

    // Both actions on one combination: one keeps it, the other gets its default back.
    log.clear();
    m_store->stored.insert(ShortcutAction::startStopCollecting, KeyCombination{keyF5, option});
    m_store->stored.insert(ShortcutAction::pasteNext, KeyCombination{keyF5, option});
    startWith(FakeKeyboardLayout::usQwerty());
    EXPECT_EQ(m_manager->overrides().size(), 1);
    EXPECT_EQ(fired(keyF5, option) + fired(keyC, controlCommand) + fired(keyV, controlCommand), "PT");
    EXPECT_EQ(log.messagesStartingWith("override ignored action=startStopCollecting").size(), 1);

    // The other action's default is free once that action has an override of its own; a default without a key
    // takes nothing; each action on its own default is no clash.
    log.clear();
    m_store->stored.insert(ShortcutAction::startStopCollecting, KeyCombination{keyV, controlCommand});
    m_store->stored.insert(ShortcutAction::pasteNext, KeyCombination{keyF5, option});
    startWith(FakeKeyboardLayout::usQwerty());
    EXPECT_EQ(fired(keyV, controlCommand) + fired(keyF5, option), "TP");
    m_store->stored.clear();
    m_store->stored.insert(ShortcutAction::pasteNext, KeyCombination{keyC, controlCommand});
    startWith(FakeKeyboardLayout::withoutC());
    EXPECT_EQ(fired(keyC, controlCommand), "P");
    m_store->stored.insert(ShortcutAction::startStopCollecting, KeyCombination{keyC, controlCommand});
    m_store->stored.insert(ShortcutAction::pasteNext, KeyCombination{keyV, controlCommand});
    startWith(FakeKeyboardLayout::usQwerty());
    EXPECT_EQ(m_manager->overrides().size(), 2);
    EXPECT_TRUE(log.messages().isEmpty()) << log.messages().join('\n').toStdString();
}

TEST_F(ShortcutManagerTest, AModifierBeyondTheFourMatchesNothing) {
    m_store->stored.insert(ShortcutAction::pasteNext, KeyCombination{keyF5, option});
    startWith(FakeKeyboardLayout::usQwerty());
    const KeyModifiers ctrlSuper = keyModifiersOf(controlCommand);
    // AltGr, Mod3 and the like arrive as another modifier held.
    EXPECT_EQ(m_manager->matchedAction(KeyDownEvent{keyC, ctrlSuper, false, true}), std::nullopt);
    EXPECT_EQ(m_manager->matchedAction(KeyDownEvent{keyF5, keyModifiersOf(option), false, true}), std::nullopt);
    EXPECT_EQ(m_manager->matchedAction(KeyDownEvent{keyC, ctrlSuper, false, false}),
              ShortcutAction::startStopCollecting);
    EXPECT_EQ(m_manager->matchedAction(KeyDownEvent{keyF5, keyModifiersOf(option), false, false}),
              ShortcutAction::pasteNext);
}

TEST_F(ShortcutManagerTest, TheKeyALayoutNamesForADefaultFiresItEvenWhereItTypesAnotherLetter) {
    // As in a layout pair whose active group has no c: the key comes from the other group.
    ShortcutManager manager(m_store, FakeKeyboardLayout::withoutC().characterForKeyCode(),
                            FakeKeyboardLayout::usQwerty().keyCodeForCharacter());
    const KeyModifiers ctrlSuper = keyModifiersOf(controlCommand);
    EXPECT_EQ(manager.effectiveShortcut(ShortcutAction::startStopCollecting), (KeyCombination{keyC, controlCommand}));
    EXPECT_EQ(manager.matchedAction(KeyDownEvent{keyC, ctrlSuper}), ShortcutAction::startStopCollecting);
    EXPECT_EQ(manager.matchedAction(KeyDownEvent{keyV, ctrlSuper}), ShortcutAction::pasteNext);
    EXPECT_EQ(manager.matchedAction(KeyDownEvent{keyX, ctrlSuper}), std::nullopt);
    manager.setOverride(KeyCombination{keyF5, option}, ShortcutAction::startStopCollecting);
    EXPECT_EQ(manager.matchedAction(KeyDownEvent{keyC, ctrlSuper}), std::nullopt);
}

TEST_F(ShortcutManagerTest, TheActionUsingACombinationIsFound) {
    m_store->stored.insert(ShortcutAction::pasteNext, KeyCombination{keyF5, option});
    startWith(FakeKeyboardLayout::usQwerty());
    EXPECT_EQ(m_manager->otherActionUsing(KeyCombination{keyF5, option}, ShortcutAction::startStopCollecting),
              ShortcutAction::pasteNext);
    EXPECT_EQ(m_manager->otherActionUsing(KeyCombination{keyF5, option}, ShortcutAction::pasteNext), std::nullopt);
    EXPECT_EQ(m_manager->otherActionUsing(KeyCombination{keyC, controlCommand}, ShortcutAction::pasteNext),
              ShortcutAction::startStopCollecting);
    EXPECT_EQ(m_manager->otherActionUsing(KeyCombination{keyV, controlCommand}, ShortcutAction::startStopCollecting),
              std::nullopt);
}

TEST_F(ShortcutManagerTest, SettingAndResettingAnOverridePublishesAndStores) {
    startWith(FakeKeyboardLayout::usQwerty());
    int published = 0;
    QObject::connect(m_manager.get(), &ShortcutManager::overridesChanged, [&] { ++published; });

    m_manager->setOverride(KeyCombination{keyF5, option}, ShortcutAction::pasteNext);
    EXPECT_EQ(published, 1);
    EXPECT_EQ(m_manager->overrides().value(ShortcutAction::pasteNext), (KeyCombination{keyF5, option}));
    EXPECT_EQ(m_store->stored.value(ShortcutAction::pasteNext), (KeyCombination{keyF5, option}));
    EXPECT_EQ(fired(keyF5, option), "P");
    EXPECT_EQ(fired(keyV, controlCommand), "");
    EXPECT_EQ(m_manager->effectiveShortcutText(ShortcutAction::pasteNext, TranslationCatalog(), QLocale::c()),
              "Alt+F5");

    m_manager->setOverride(KeyCombination{keyF5, option}, ShortcutAction::pasteNext);
    EXPECT_EQ(published, 1);

    m_manager->setOverride(std::nullopt, ShortcutAction::pasteNext);
    EXPECT_EQ(published, 2);
    EXPECT_TRUE(m_manager->overrides().isEmpty());
    EXPECT_TRUE(m_store->stored.isEmpty());
    EXPECT_EQ(m_store->writes.size(), 3u);
    EXPECT_EQ(m_store->writes.back(), std::make_pair(std::optional<KeyCombination>(), ShortcutAction::pasteNext));
    EXPECT_EQ(fired(keyV, controlCommand), "P");
    EXPECT_EQ(m_manager->effectiveShortcut(ShortcutAction::pasteNext), (KeyCombination{keyV, controlCommand}));
}

TEST_F(ShortcutManagerTest, RecordingStateIsPublishedOnChange) {
    startWith(FakeKeyboardLayout::usQwerty());
    int published = 0;
    QObject::connect(m_manager.get(), &ShortcutManager::recordingActionChanged, [&] { ++published; });
    m_manager->setRecordingAction(ShortcutAction::pasteNext);
    m_manager->setRecordingAction(ShortcutAction::pasteNext);
    EXPECT_EQ(published, 1);
    EXPECT_EQ(m_manager->property("recordingAction").value<std::optional<ShortcutAction>>(), ShortcutAction::pasteNext);
    m_manager->setRecordingAction(std::nullopt);
    EXPECT_EQ(published, 2);
}

} // namespace
} // namespace sorvu
