// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11GrabbedShortcuts.h"
#include "engine/ClipboardItem.h"
#include "platform/x11/X11KeyboardLayout.h"
#include "platform/x11/X11Platform.h"
#include "shortcuts/ShortcutManager.h"
#include "tests/integration/support/ChildProcess.h"
#include "tests/integration/support/WindowActivation.h"
#include "tests/support/FakeShortcutStore.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

// Last: Xlib's macros (None, Bool…) would break the headers above.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace sorvu {
namespace {

using test::ChildProcess;
using test::waitUntil;

// Key codes of a PC keyboard with a US layout.
constexpr quint16 leftControl = 37;
constexpr quint16 leftSuper = 133;
constexpr quint16 keyOfC = 54;
constexpr quint16 keyOfV = 55;
constexpr quint16 keyOfF5 = 71;
constexpr quint16 keyOfI = 31;
constexpr quint64 ctrlSuper = quint64(KeyModifier::Ctrl) | quint64(KeyModifier::Super);
constexpr quint64 alt = quint64(KeyModifier::Alt);

bool xdotool(const QStringList& arguments) {
    return ChildProcess::run(QStringList{QStringLiteral("xdotool")} + arguments).succeeded();
}

bool setLayout(const QStringList& arguments) {
    return ChildProcess::run(QStringList{QStringLiteral("setxkbmap")} + arguments).succeeded();
}

// Whether another client could grab the combination on the root window now, that is whether nobody holds it.
bool freeForOthers(quint16 keyCode, unsigned int modifiers) {
    static bool refused = false;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    refused = false;
    const XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent* error) {
        refused |= error->error_code == BadAccess;
        return 0;
    });
    XGrabKey(display, keyCode, modifiers, DefaultRootWindow(display), False, GrabModeAsync, GrabModeAsync);
    XSync(display, False);
    XSetErrorHandler(previous);
    XCloseDisplay(display);
    return !refused;
}

// A focused field of our own that counts the key presses it receives.
class CountingField : public QLineEdit {
public:
    std::vector<quint32> pressedKeyCodes;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        pressedKeyCodes.push_back(event->nativeScanCode());
        QLineEdit::keyPressEvent(event);
    }
};

class X11GrabbedShortcutsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(setLayout({"us"}));
        m_field.resize(400, 40);
        ASSERT_TRUE(test::showActiveAndFocused(m_field));
    }

    void TearDown() override {
        m_shortcuts.reset();
        xdotool({"keyup", "ctrl+super+shift+alt+v"});
        setLayout({"us"});
    }

    void startShortcuts() {
        m_manager = std::make_unique<ShortcutManager>(
            m_store, [](quint16 keyCode) { return X11KeyboardLayout::shared().characterForKeyCode(keyCode); },
            [](const QString& text) { return X11KeyboardLayout::shared().keyCodeForCharacter(text); });
        m_shortcuts = std::make_unique<X11GrabbedShortcuts>(*m_manager);
        ASSERT_TRUE(m_shortcuts->isConnected());
        QObject::connect(m_shortcuts.get(), &GlobalShortcuts::activated, [this](ShortcutAction action) {
            m_fired += action == ShortcutAction::startStopCollecting ? 'T' : 'P';
        });
        m_shortcuts->start();
    }

    // Whether the keys xdotool presses fire exactly the expected actions ("T" toggle, "P" paste, in order).
    // Ctrl+Super+C follows them as a sentinel: once the toggles expected and the sentinel's have fired, every
    // press before it has been handled. The keys must fire no toggle unless the expected answer holds one.
    ::testing::AssertionResult fires(const QStringList& arguments, const std::string& expected) {
        m_fired.clear();
        const std::string withSentinel = expected + 'T';
        const auto toggles = std::count(withSentinel.begin(), withSentinel.end(), 'T');
        if (!xdotool(arguments + QStringList{"key", "ctrl+super+c"})) {
            return ::testing::AssertionFailure() << "xdotool failed";
        }
        waitUntil([&] { return std::count(m_fired.begin(), m_fired.end(), 'T') >= toggles; });
        if (m_fired != withSentinel) {
            return ::testing::AssertionFailure() << "fired \"" << m_fired << "\", expected \"" << withSentinel << "\"";
        }
        return ::testing::AssertionSuccess();
    }

    // Posts key events with XTest from a connection of the test: each a key code and whether it goes down.
    static void post(const std::vector<std::pair<quint16, bool>>& events) {
        Display* display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr);
        for (const auto& [keyCode, down] : events) {
            XTestFakeKeyEvent(display, keyCode, down, CurrentTime);
        }
        XSync(display, False);
        XCloseDisplay(display);
    }

    static void pressWithCtrlSuper(quint16 keyCode) {
        post({{leftControl, true},
              {leftSuper, true},
              {keyCode, true},
              {keyCode, false},
              {leftSuper, false},
              {leftControl, false}});
    }

    std::shared_ptr<test::FakeShortcutStore> m_store = std::make_shared<test::FakeShortcutStore>();
    std::unique_ptr<ShortcutManager> m_manager;
    std::unique_ptr<X11GrabbedShortcuts> m_shortcuts;
    std::string m_fired;
    CountingField m_field;
};

TEST_F(X11GrabbedShortcutsTest, ShortcutsFireAndTheirKeysNeverReachTheFocusedField) {
    startShortcuts();
    EXPECT_TRUE(fires({"key", "x", "ctrl+super+v", "y", "ctrl+super+c", "z"}, "PT"));
    EXPECT_TRUE(waitUntil([&] { return m_field.text() == "xyz"; })) << m_field.text().toStdString();
    for (const quint32 keyCode : m_field.pressedKeyCodes) {
        EXPECT_NE(keyCode, keyOfV);
        EXPECT_NE(keyCode, keyOfC);
    }
    EXPECT_TRUE(m_shortcuts->takenActions().isEmpty());
}

TEST_F(X11GrabbedShortcutsTest, HoldingAShortcutFiresOnceAndLockKeysChangeNothing) {
    startShortcuts();
    EXPECT_TRUE(fires({"keydown", "ctrl+super+v", "keydown", "v", "keydown", "v", "keyup", "ctrl+super+v"}, "P"));
    // Held long enough for the server's own repeat.
    EXPECT_TRUE(fires({"keydown", "ctrl+super+v", "sleep", "0.8", "keyup", "ctrl+super+v"}, "P"));
    EXPECT_TRUE(fires({"key", "Caps_Lock", "key", "ctrl+super+v", "key", "Caps_Lock"}, "P"));
    EXPECT_TRUE(fires({"key", "Num_Lock", "key", "ctrl+super+v", "key", "Caps_Lock", "key", "ctrl+super+v", "key",
                       "Caps_Lock", "key", "Num_Lock"},
                      "PP"));
}

TEST_F(X11GrabbedShortcutsTest, AnExtraModifierOrOneBeyondTheFourMatchesNothing) {
    startShortcuts();
    EXPECT_TRUE(fires({"key", "ctrl+super+shift+v", "key", "ctrl+super+alt+v", "key", "ctrl+v", "key", "super+v"}, ""));
    // AltGr is Mod5: not grabbed, and while a grab is active it still keeps the next key from matching.
    EXPECT_TRUE(fires({"key", "ctrl+super+ISO_Level3_Shift+v"}, ""));
    EXPECT_TRUE(fires({"keydown", "ctrl+super+c", "keydown", "ISO_Level3_Shift", "key", "v", "keyup",
                       "ISO_Level3_Shift", "keyup", "ctrl+super+c"},
                      "T"));
}

TEST_F(X11GrabbedShortcutsTest, GrabsNothingBeforeStartOnlyOnceAfterAndNothingOnceGone) {
    m_manager = std::make_unique<ShortcutManager>(
        m_store, [](quint16 keyCode) { return X11KeyboardLayout::shared().characterForKeyCode(keyCode); },
        [](const QString& text) { return X11KeyboardLayout::shared().keyCodeForCharacter(text); });
    {
        X11GrabbedShortcuts unstarted(*m_manager);
        EXPECT_TRUE(freeForOthers(keyOfV, ControlMask | Mod4Mask));
    }
    startShortcuts();
    m_shortcuts->start();
    EXPECT_FALSE(freeForOthers(keyOfV, ControlMask | Mod4Mask));
    EXPECT_FALSE(freeForOthers(keyOfC, ControlMask | Mod4Mask | LockMask));
    EXPECT_TRUE(fires({"key", "ctrl+super+v"}, "P"));
    m_shortcuts.reset();
    EXPECT_TRUE(freeForOthers(keyOfV, ControlMask | Mod4Mask));
    EXPECT_TRUE(freeForOthers(keyOfC, ControlMask | Mod4Mask | LockMask));
}

TEST_F(X11GrabbedShortcutsTest, FollowsOverridesAndLetsGoOfWhatItNoLongerUses) {
    startShortcuts();
    m_manager->setOverride(KeyCombination{keyOfF5, alt}, ShortcutAction::pasteNext);
    EXPECT_TRUE(freeForOthers(keyOfV, ControlMask | Mod4Mask));
    EXPECT_TRUE(fires({"key", "alt+F5", "key", "ctrl+super+v", "key", "F5"}, "P"));
    m_manager->setOverride(std::nullopt, ShortcutAction::pasteNext);
    EXPECT_TRUE(freeForOthers(keyOfF5, Mod1Mask));
    EXPECT_TRUE(fires({"key", "alt+F5", "key", "ctrl+super+v"}, "P"));
}

TEST_F(X11GrabbedShortcutsTest, RecordingLiftsEveryGrabUntilItEnds) {
    startShortcuts();
    m_manager->setRecordingAction(ShortcutAction::pasteNext);
    EXPECT_TRUE(freeForOthers(keyOfV, ControlMask | Mod4Mask));
    EXPECT_TRUE(freeForOthers(keyOfC, ControlMask | Mod4Mask));
    ASSERT_TRUE(xdotool({"key", "ctrl+super+v", "r"}));
    // The recorder's field sees the keys.
    EXPECT_TRUE(waitUntil([&] { return m_field.text() == "r"; }));
    m_manager->setRecordingAction(std::nullopt);
    EXPECT_FALSE(freeForOthers(keyOfV, ControlMask | Mod4Mask));
    EXPECT_TRUE(fires({"key", "ctrl+super+v"}, "P"));
}

TEST_F(X11GrabbedShortcutsTest, FollowsTheKeymapAndTheLayoutGroup) {
    startShortcuts();
    // Dvorak types c with the key of i.
    ASSERT_TRUE(setLayout({"us", "-variant", "dvorak"}));
    EXPECT_TRUE(waitUntil([] { return !freeForOthers(keyOfI, ControlMask | Mod4Mask); }));
    EXPECT_TRUE(freeForOthers(keyOfC, ControlMask | Mod4Mask));
    m_fired.clear();
    pressWithCtrlSuper(keyOfI);
    EXPECT_TRUE(waitUntil([&] { return m_fired == "T"; })) << m_fired;

    // Azerbaijani lacks w but types c and v.
    ASSERT_TRUE(setLayout({"az"}));
    EXPECT_TRUE(waitUntil([] { return !freeForOthers(keyOfC, ControlMask | Mod4Mask); }));
    EXPECT_TRUE(fires({"key", "ctrl+super+v"}, "P"));

    ASSERT_TRUE(setLayout({"-layout", "us,us", "-variant", ",dvorak"}));
    EXPECT_TRUE(waitUntil([] { return !freeForOthers(keyOfC, ControlMask | Mod4Mask); }));
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    XkbLockGroup(display, XkbUseCoreKbd, 1);
    XSync(display, False);
    EXPECT_TRUE(waitUntil([] { return !freeForOthers(keyOfI, ControlMask | Mod4Mask); }));
    m_fired.clear();
    pressWithCtrlSuper(keyOfI);
    EXPECT_TRUE(waitUntil([&] { return m_fired == "T"; })) << m_fired;
    XkbLockGroup(display, XkbUseCoreKbd, 0);
    XSync(display, False);
    XCloseDisplay(display);
    EXPECT_TRUE(waitUntil([] { return !freeForOthers(keyOfC, ControlMask | Mod4Mask); }));
}

TEST_F(X11GrabbedShortcutsTest, ACombinationAnotherProgramHoldsIsReportedAsTaken) {
    Display* other = XOpenDisplay(nullptr);
    ASSERT_NE(other, nullptr);
    XGrabKey(other, keyOfC, ControlMask | Mod4Mask, DefaultRootWindow(other), False, GrabModeAsync, GrabModeAsync);
    XSync(other, False);

    test::LogCapture log;
    startShortcuts();
    EXPECT_EQ(m_shortcuts->takenActions(), QList<ShortcutAction>{ShortcutAction::startStopCollecting});
    EXPECT_EQ(log.messagesStartingWith("shortcut taken"),
              QStringList{"shortcut taken by another program action=startStopCollecting keyCode=54 "
                          "modifiersRawValue=1310720"});

    // Once the other program lets go, the next change of the shortcuts takes it.
    XCloseDisplay(other);
    int changes = 0;
    QObject::connect(m_shortcuts.get(), &GlobalShortcuts::takenActionsChanged, [&] { ++changes; });
    m_manager->setOverride(KeyCombination{keyOfF5, alt}, ShortcutAction::startStopCollecting);
    EXPECT_TRUE(m_shortcuts->takenActions().isEmpty());
    EXPECT_EQ(changes, 1);
    m_manager->setOverride(std::nullopt, ShortcutAction::startStopCollecting);
    EXPECT_TRUE(fires({"key", "ctrl+super+v"}, "P"));
    EXPECT_EQ(log.messagesStartingWith("shortcut taken").size(), 1);
}

// Another program's grab of Ctrl+Super+C, until `release`.
class OtherProgramsGrab {
public:
    OtherProgramsGrab() : m_display(XOpenDisplay(nullptr)) {
        XGrabKey(m_display, keyOfC, ControlMask | Mod4Mask, DefaultRootWindow(m_display), False, GrabModeAsync,
                 GrabModeAsync);
        XSync(m_display, False);
    }
    ~OtherProgramsGrab() { release(); }
    // Done once the server has let go: a grab that follows on another connection must find the keys free.
    void release() {
        if (m_display != nullptr) {
            XUngrabKey(m_display, keyOfC, ControlMask | Mod4Mask, DefaultRootWindow(m_display));
            XSync(m_display, False);
            XCloseDisplay(m_display);
            m_display = nullptr;
        }
    }

private:
    Display* m_display;
};

TEST_F(X11GrabbedShortcutsTest, AShortcutAnotherProgramLetsGoOfIsTakenWhenAskedOnAKeymapChangeAndOnTheTimer) {
    test::LogCapture log;
    const QList<ShortcutAction> toggleTaken{ShortcutAction::startStopCollecting};
    int changes = 0;
    const auto startTaken = [&] {
        startShortcuts();
        QObject::connect(m_shortcuts.get(), &GlobalShortcuts::takenActionsChanged, [&] { ++changes; });
        EXPECT_EQ(m_shortcuts->takenActions(), toggleTaken);
        EXPECT_TRUE(m_shortcuts->isRetryScheduled());
    };

    // Asked, as the popup's opening asks: nothing changes while the other program holds on.
    auto other = std::make_unique<OtherProgramsGrab>();
    startTaken();
    m_shortcuts->retryTaken();
    EXPECT_EQ(m_shortcuts->takenActions(), toggleTaken);
    EXPECT_EQ(changes, 0);
    other->release();
    m_shortcuts->retryTaken();
    EXPECT_TRUE(m_shortcuts->takenActions().isEmpty());
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(m_shortcuts->isRetryScheduled()) << "no wakeups while nothing is taken";
    EXPECT_TRUE(fires({"key", "ctrl+super+v"}, "P"));

    // A keymap change.
    m_shortcuts.reset();
    other = std::make_unique<OtherProgramsGrab>();
    startTaken();
    other->release();
    ASSERT_TRUE(setLayout({"de"}));
    EXPECT_TRUE(waitUntil([&] { return m_shortcuts->takenActions().isEmpty(); }));
    EXPECT_TRUE(fires({}, ""));

    // The timer alone.
    m_shortcuts.reset();
    other = std::make_unique<OtherProgramsGrab>();
    startTaken();
    m_shortcuts->setRetryInterval(std::chrono::milliseconds(200));
    other->release();
    EXPECT_TRUE(waitUntil([&] { return m_shortcuts->takenActions().isEmpty(); }));
    EXPECT_FALSE(m_shortcuts->isRetryScheduled());
    EXPECT_TRUE(fires({}, ""));

    EXPECT_EQ(log.messagesStartingWith("shortcut taken by another program").size(), 3);
    EXPECT_EQ(log.messagesStartingWith("shortcut no longer taken by another program action=startStopCollecting").size(),
              3);
}

TEST_F(X11GrabbedShortcutsTest, WithALayoutWithoutLatinLettersTheKeysAtTheUsLettersPlacesServe) {
    ASSERT_TRUE(setLayout({"ru"}));
    startShortcuts();
    EXPECT_TRUE(waitUntil([] { return !freeForOthers(keyOfV, ControlMask | Mod4Mask); }));
    EXPECT_FALSE(freeForOthers(keyOfC, ControlMask | Mod4Mask));
    m_fired.clear();
    pressWithCtrlSuper(keyOfV);
    pressWithCtrlSuper(keyOfC);
    EXPECT_TRUE(waitUntil([&] { return m_fired == "PT"; })) << m_fired;

    // Switching to Russian while running, from Dvorak (which types c with the key of i), moves the grab back.
    ASSERT_TRUE(setLayout({"us", "-variant", "dvorak"}));
    ASSERT_TRUE(waitUntil([] { return !freeForOthers(keyOfI, ControlMask | Mod4Mask); }));
    ASSERT_TRUE(setLayout({"ru"}));
    EXPECT_TRUE(waitUntil([] { return freeForOthers(keyOfI, ControlMask | Mod4Mask); }));
    EXPECT_FALSE(freeForOthers(keyOfC, ControlMask | Mod4Mask));
    m_fired.clear();
    pressWithCtrlSuper(keyOfC);
    EXPECT_TRUE(waitUntil([&] { return m_fired == "T"; })) << m_fired;
    EXPECT_TRUE(m_shortcuts->takenActions().isEmpty());
}

TEST_F(X11GrabbedShortcutsTest, TheKeysOfSorvusOwnPasteReachTheFieldAndFireNothing) {
    // The paste shortcut is Ctrl+V itself, the very keys the paste keystroke posts.
    m_store->stored.insert(ShortcutAction::pasteNext, KeyCombination{keyOfV, quint64(KeyModifier::Ctrl)});
    X11Platform platform(SessionEnvironment{}, QStringLiteral("test"));
    m_manager =
        std::make_unique<ShortcutManager>(m_store, platform.characterForKeyCode(), platform.keyCodeForCharacter());
    std::unique_ptr<GlobalShortcuts> shortcuts = platform.createGlobalShortcuts(*m_manager);
    QObject::connect(shortcuts.get(), &GlobalShortcuts::activated, [this](ShortcutAction action) {
        m_fired += action == ShortcutAction::startStopCollecting ? 'T' : 'P';
    });
    shortcuts->start();
    EXPECT_FALSE(freeForOthers(keyOfV, ControlMask));

    ASSERT_TRUE(platform.clipboard()->write(ClipboardItem::makeText(QStringLiteral("posted"))));
    PasteOutput& output = *platform.pasteOutput();
    ASSERT_TRUE(output.canPost(PasteKeys::controlV));
    output.post(PasteKeys::controlV);
    EXPECT_TRUE(waitUntil([&] { return m_field.text() == "posted"; })) << m_field.text().toStdString();
    // The grab is back for the user's own Ctrl+V.
    EXPECT_FALSE(freeForOthers(keyOfV, ControlMask));
    EXPECT_TRUE(fires({"key", "ctrl+v"}, "P"));
    EXPECT_EQ(m_field.text(), "posted");
}

TEST(X11GrabbedShortcutsWithoutDisplayTest, GrabsNothingAndLogsWhy) {
    test::LogCapture log;
    auto store = std::make_shared<test::FakeShortcutStore>();
    ShortcutManager manager(store, nullptr, nullptr);
    X11GrabbedShortcuts unreachable(manager, QByteArrayLiteral(":9999"));
    unreachable.start();
    EXPECT_FALSE(unreachable.isConnected());
    EXPECT_TRUE(unreachable.takenActions().isEmpty());
    EXPECT_EQ(log.messages(), QStringList{"global shortcuts unavailable display=:9999 reason=noDisplay"});
}

} // namespace
} // namespace sorvu
