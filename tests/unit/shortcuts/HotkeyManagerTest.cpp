#include "shortcuts/HotkeyManager.h"
#include "tests/support/FakeKeyEventMonitor.h"
#include "tests/support/FakeKeyboardLayout.h"
#include "tests/support/FakeShortcutStore.h"
#include "tests/unit/shortcuts/ShortcutPrinters.h"

#include <gtest/gtest.h>

#include <memory>

namespace sorvu {
namespace {

using test::FakeKeyboardLayout;

constexpr quint64 shift = HotkeySpec::shiftFlag;
constexpr quint64 control = HotkeySpec::controlFlag;
constexpr quint64 option = HotkeySpec::optionFlag;
constexpr quint64 command = HotkeySpec::commandFlag;
constexpr quint64 controlCommand = control | command;
constexpr quint64 capsLock = 0x10000;
constexpr quint64 function = 0x800000;

// US keycodes.
constexpr quint16 keyC = 54;
constexpr quint16 keyV = 55;
constexpr quint16 keyX = 53;
constexpr quint16 keyF5 = 71;

class HotkeyManagerTest : public ::testing::Test {
protected:
    // A started manager over the layout, with the store's current overrides.
    void startWith(const FakeKeyboardLayout& layout) {
        m_manager = std::make_unique<HotkeyManager>(
            m_store, [this] { ++m_provisionalCalls; }, [this] { ++m_provisionalCalls; }, layout.characterForKeyCode(),
            layout.keyCodeForCharacter(), m_monitor);
        m_manager->start([this] { ++m_toggles; }, [this] { ++m_pastes; });
    }

    // Presses the key once and answers what fired: "toggle", "paste", "" or several of them.
    std::string fired(quint16 keyCode, quint64 modifiers, bool isRepeat = false) {
        const int toggles = m_toggles;
        const int pastes = m_pastes;
        m_monitor->press(keyCode, modifiers, isRepeat);
        return std::string(m_toggles - toggles, 'T') + std::string(m_pastes - pastes, 'P');
    }

    std::shared_ptr<test::FakeShortcutStore> m_store = std::make_shared<test::FakeShortcutStore>();
    std::shared_ptr<test::FakeKeyEventMonitor> m_monitor = std::make_shared<test::FakeKeyEventMonitor>();
    std::unique_ptr<HotkeyManager> m_manager;
    int m_provisionalCalls = 0;
    int m_toggles = 0;
    int m_pastes = 0;
};

TEST_F(HotkeyManagerTest, ReadsTheStoreOnceAtConstruction) {
    m_store->stored.insert(ShortcutAction::pasteNext, HotkeySpec{keyF5, option});
    startWith(FakeKeyboardLayout::usQwerty());
    EXPECT_EQ(m_store->reads, 2);
    EXPECT_EQ(m_manager->overrides(), (ShortcutOverrides{{ShortcutAction::pasteNext, HotkeySpec{keyF5, option}}}));

    m_store->stored.insert(ShortcutAction::startStopCollecting, HotkeySpec{keyF5, shift});
    EXPECT_EQ(fired(keyF5, option), "P");
    EXPECT_EQ(fired(keyF5, shift), "");
    EXPECT_EQ(m_store->reads, 2);
    EXPECT_EQ(m_manager->recordingAction(), std::nullopt);
    EXPECT_FALSE(m_manager->cancelRecordingHandler());
}

TEST_F(HotkeyManagerTest, StartAsksForTrustAndWatchesKeysThroughOneSource) {
    m_monitor->trusted = false;
    startWith(FakeKeyboardLayout::usQwerty());
    EXPECT_EQ(m_monitor->trustRequests, 1);
    ASSERT_EQ(m_monitor->handlers.size(), 1u);
    EXPECT_TRUE(m_manager->isMonitoring());

    m_manager->start([this] { m_toggles += 10; }, [this] { m_pastes += 10; });
    EXPECT_EQ(m_monitor->handlers.size(), 1u);
    EXPECT_EQ(fired(keyC, controlCommand), std::string(10, 'T'));
    EXPECT_EQ(fired(keyV, controlCommand), std::string(10, 'P'));
    EXPECT_EQ(m_provisionalCalls, 0);
}

TEST_F(HotkeyManagerTest, NothingIsWatchedBeforeStartOrWithoutASource) {
    HotkeyManager unstarted(m_store, nullptr, nullptr, FakeKeyboardLayout::usQwerty().characterForKeyCode(),
                            FakeKeyboardLayout::usQwerty().keyCodeForCharacter(), m_monitor);
    EXPECT_TRUE(m_monitor->handlers.empty());
    EXPECT_EQ(m_monitor->trustRequests, 0);

    HotkeyManager sourceless(m_store, nullptr, nullptr, nullptr, nullptr, nullptr);
    sourceless.start([this] { ++m_toggles; }, [this] { ++m_pastes; });
    EXPECT_FALSE(sourceless.isMonitoring());
    EXPECT_EQ(sourceless.matchedAction(KeyDownEvent{keyC, controlCommand, false}), std::nullopt);
}

TEST_F(HotkeyManagerTest, SourceOutlivingTheManagerCallsNothing) {
    startWith(FakeKeyboardLayout::usQwerty());
    m_manager.reset();
    EXPECT_EQ(fired(keyC, controlCommand), "");
    EXPECT_EQ(fired(keyV, controlCommand), "");
}

TEST_F(HotkeyManagerTest, DefaultsNeedExactlyCtrlSuper) {
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

TEST_F(HotkeyManagerTest, RepeatsNeverFire) {
    m_store->stored.insert(ShortcutAction::pasteNext, HotkeySpec{keyF5, option});
    startWith(FakeKeyboardLayout::usQwerty());
    EXPECT_EQ(fired(keyC, controlCommand, true), "");
    EXPECT_EQ(fired(keyF5, option, true), "");
    // Holding the shortcut: one press, then repeats.
    EXPECT_EQ(fired(keyC, controlCommand) + fired(keyC, controlCommand, true) + fired(keyC, controlCommand, true), "T");
}

TEST_F(HotkeyManagerTest, RecordingSuspendsAllMatching) {
    m_store->stored.insert(ShortcutAction::startStopCollecting, HotkeySpec{keyF5, option});
    startWith(FakeKeyboardLayout::usQwerty());
    m_manager->setRecordingAction(ShortcutAction::startStopCollecting);
    EXPECT_EQ(fired(keyV, controlCommand), "");
    EXPECT_EQ(fired(keyF5, option), "");
    m_manager->setRecordingAction(std::nullopt);
    EXPECT_EQ(fired(keyV, controlCommand), "P");
    EXPECT_EQ(fired(keyF5, option), "T");
}

TEST_F(HotkeyManagerTest, DefaultsFollowTheCharacterNotTheKeyPosition) {
    startWith(FakeKeyboardLayout::usDvorak());
    EXPECT_EQ(fired(keyC, controlCommand), "");
    EXPECT_EQ(fired(31, controlCommand), "T");
    EXPECT_EQ(fired(60, controlCommand), "P");
    EXPECT_EQ(fired(keyV, controlCommand), "");
}

TEST_F(HotkeyManagerTest, DefaultsOnGermanAndFrenchLayouts) {
    for (const FakeKeyboardLayout& layout : {FakeKeyboardLayout::germanQwertz(), FakeKeyboardLayout::frenchAzerty()}) {
        startWith(layout);
        EXPECT_EQ(fired(keyC, controlCommand), "T");
        EXPECT_EQ(fired(keyV, controlCommand), "P");
        // The other letters that moved are no shortcuts.
        for (const quint16 keyCode : {24, 25, 29, 38, 47, 52}) {
            EXPECT_EQ(fired(keyCode, controlCommand), "") << keyCode;
        }
        m_monitor->handlers.clear();
    }
}

TEST_F(HotkeyManagerTest, RussianWithUsUsesTheLatinGroup) {
    const FakeKeyboardLayout russian = FakeKeyboardLayout::russian();
    // Cyrillic "\u0441" on the c key only looks like c.
    startWith(russian);
    EXPECT_EQ(fired(keyC, controlCommand), "");
    EXPECT_EQ(fired(keyV, controlCommand), "");
    m_monitor->handlers.clear();

    startWith(FakeKeyboardLayout::asciiCapable({russian, FakeKeyboardLayout::usQwerty()}, 0));
    EXPECT_EQ(fired(keyC, controlCommand), "T");
    EXPECT_EQ(fired(keyV, controlCommand), "P");
}

TEST_F(HotkeyManagerTest, LayoutWithoutCLeavesOnlyTheOtherDefault) {
    startWith(FakeKeyboardLayout::withoutC());
    for (quint16 keyCode = 8; keyCode < 256; ++keyCode) {
        EXPECT_NE(m_manager->matchedAction(KeyDownEvent{keyCode, controlCommand, false}),
                  ShortcutAction::startStopCollecting)
            << keyCode;
    }
    EXPECT_EQ(fired(keyV, controlCommand), "P");
    EXPECT_EQ(m_manager->effectiveShortcut(ShortcutAction::startStopCollecting), std::nullopt);
    EXPECT_EQ(m_manager->effectiveShortcutText(ShortcutAction::startStopCollecting, LanguageBundle(), QLocale::c()),
              "Ctrl+Super+C");
}

TEST_F(HotkeyManagerTest, TypedTextIsComparedLowerCased) {
    FakeKeyboardLayout shouting = FakeKeyboardLayout::usQwerty();
    shouting.keys[keyC] = QStringLiteral("C");
    shouting.keys[keyV] = QStringLiteral("vv");
    startWith(shouting);
    EXPECT_EQ(fired(keyC, controlCommand), "T");
    EXPECT_EQ(fired(keyV, controlCommand), "");
}

TEST_F(HotkeyManagerTest, OverridesMatchByKeyCodeAndExactModifiers) {
    m_store->stored.insert(ShortcutAction::startStopCollecting, HotkeySpec{keyF5, option | shift});
    m_store->stored.insert(ShortcutAction::pasteNext, HotkeySpec{24, command});
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

TEST_F(HotkeyManagerTest, OverrideReplacesOnlyItsOwnDefault) {
    m_store->stored.insert(ShortcutAction::startStopCollecting, HotkeySpec{keyF5, option});
    startWith(FakeKeyboardLayout::usQwerty());
    EXPECT_EQ(fired(keyC, controlCommand), "");
    EXPECT_EQ(fired(keyV, controlCommand), "P");
}

TEST_F(HotkeyManagerTest, OverridesComeBeforeDefaultsAndInActionOrder) {
    m_store->stored.insert(ShortcutAction::pasteNext, HotkeySpec{keyC, controlCommand});
    startWith(FakeKeyboardLayout::usQwerty());
    EXPECT_EQ(fired(keyC, controlCommand), "P");
    EXPECT_EQ(fired(keyV, controlCommand), "");

    m_manager->setOverride(HotkeySpec{keyC, controlCommand}, ShortcutAction::startStopCollecting);
    EXPECT_EQ(fired(keyC, controlCommand), "T");
}

TEST_F(HotkeyManagerTest, OverrideWithForeignBitsNeverMatches) {
    m_store->stored.insert(ShortcutAction::startStopCollecting, HotkeySpec{keyC, controlCommand | capsLock});
    startWith(FakeKeyboardLayout::usQwerty());
    EXPECT_EQ(fired(keyC, controlCommand | capsLock), "");
    EXPECT_EQ(fired(keyC, controlCommand), "");
}

TEST_F(HotkeyManagerTest, SettingAndResettingAnOverridePublishesAndStores) {
    startWith(FakeKeyboardLayout::usQwerty());
    int published = 0;
    QObject::connect(m_manager.get(), &HotkeyManager::overridesChanged, [&] { ++published; });

    m_manager->setOverride(HotkeySpec{keyF5, option}, ShortcutAction::pasteNext);
    EXPECT_EQ(published, 1);
    EXPECT_EQ(m_manager->overrides().value(ShortcutAction::pasteNext), (HotkeySpec{keyF5, option}));
    EXPECT_EQ(m_store->stored.value(ShortcutAction::pasteNext), (HotkeySpec{keyF5, option}));
    EXPECT_EQ(fired(keyF5, option), "P");
    EXPECT_EQ(fired(keyV, controlCommand), "");
    EXPECT_EQ(m_manager->effectiveShortcutText(ShortcutAction::pasteNext, LanguageBundle(), QLocale::c()), "Alt+F5");

    m_manager->setOverride(HotkeySpec{keyF5, option}, ShortcutAction::pasteNext);
    EXPECT_EQ(published, 1);

    m_manager->setOverride(std::nullopt, ShortcutAction::pasteNext);
    EXPECT_EQ(published, 2);
    EXPECT_TRUE(m_manager->overrides().isEmpty());
    EXPECT_TRUE(m_store->stored.isEmpty());
    EXPECT_EQ(m_store->writes.size(), 3u);
    EXPECT_EQ(m_store->writes.back(), std::make_pair(std::optional<HotkeySpec>(), ShortcutAction::pasteNext));
    EXPECT_EQ(fired(keyV, controlCommand), "P");
    EXPECT_EQ(m_manager->effectiveShortcut(ShortcutAction::pasteNext), (HotkeySpec{keyV, controlCommand}));
}

TEST_F(HotkeyManagerTest, RecordingStateIsPublishedOnChange) {
    startWith(FakeKeyboardLayout::usQwerty());
    int published = 0;
    QObject::connect(m_manager.get(), &HotkeyManager::recordingActionChanged, [&] { ++published; });
    m_manager->setRecordingAction(ShortcutAction::pasteNext);
    m_manager->setRecordingAction(ShortcutAction::pasteNext);
    EXPECT_EQ(published, 1);
    EXPECT_EQ(m_manager->property("recordingAction").value<std::optional<ShortcutAction>>(), ShortcutAction::pasteNext);
    m_manager->setRecordingAction(std::nullopt);
    EXPECT_EQ(published, 2);
}

} // namespace
} // namespace sorvu
