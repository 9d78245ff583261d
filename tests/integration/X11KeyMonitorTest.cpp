#include "platform/x11/X11KeyMonitor.h"
#include "platform/x11/SyntheticKeyGuard.h"
#include "platform/x11/X11PointerMonitor.h"
#include "tests/integration/support/ChildProcess.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <vector>

// Last: Xlib's macros (None, Bool…) would break the headers above.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace sorvu {
namespace {

using test::ChildProcess;
using test::waitUntil;

// F12 ends every typed sequence: once its press is reported, every press before it has been too.
constexpr quint16 sentinelKey = 96;

bool xdotool(const QStringList& arguments) {
    return ChildProcess::run(QStringList{QStringLiteral("xdotool")} + arguments).succeeded();
}

struct Press {
    quint16 keyCode;
    quint64 modifiers;
    bool repeat;
    friend bool operator==(const Press&, const Press&) = default;
};

void PrintTo(const Press& press, std::ostream* out) {
    *out << "{key " << press.keyCode << ", modifiers 0x" << std::hex << press.modifiers << std::dec
         << (press.repeat ? ", repeat}" : "}");
}

class X11KeyMonitorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_monitor.isWatching());
        m_monitor.installKeyDownMonitor([this](const KeyDownEvent& event) {
            m_presses.push_back(Press{event.keyCode, quint64(event.modifiers.toInt()), event.isRepeat});
        });
    }

    bool sentinelSeen() const {
        return std::any_of(m_presses.begin(), m_presses.end(),
                           [](const Press& press) { return press.keyCode == sentinelKey; });
    }

    // Runs xdotool with the arguments followed by a press of the sentinel key and answers the presses
    // reported before the sentinel's.
    std::vector<Press> pressesOf(const QStringList& arguments) {
        m_presses.clear();
        if (!xdotool(arguments + QStringList{QStringLiteral("key"), QStringLiteral("F12")}) ||
            !waitUntil([this] { return sentinelSeen(); })) {
            ADD_FAILURE() << "the sentinel key never arrived after " << arguments.join(' ').toStdString();
            return {};
        }
        std::vector<Press> before;
        for (const Press& press : m_presses) {
            if (press.keyCode == sentinelKey) {
                break;
            }
            before.push_back(press);
        }
        return before;
    }

    // The same for key codes posted with XTest: each pair is a key code and whether it goes down.
    std::vector<Press> pressesOfKeyCodes(const std::vector<std::pair<int, bool>>& events) {
        Display* display = XOpenDisplay(nullptr);
        if (display == nullptr) {
            ADD_FAILURE() << "no display";
            return {};
        }
        for (const auto& [keyCode, down] : events) {
            XTestFakeKeyEvent(display, unsigned(keyCode), down, CurrentTime);
        }
        XCloseDisplay(display);
        return pressesOf({});
    }

    X11KeyMonitor m_monitor;
    std::vector<Press> m_presses;
};

TEST_F(X11KeyMonitorTest, ReportsEachPressOnceWithTheModifierKeysDownAtThatMoment) {
    using Presses = std::vector<Press>;
    EXPECT_EQ(pressesOf({"key", "ctrl+super+v"}), (Presses{{55, 0x140000, false}}));
    EXPECT_EQ(pressesOf({"key", "ctrl+super+c"}), (Presses{{54, 0x140000, false}}));
    EXPECT_EQ(pressesOf({"key", "shift+a"}), (Presses{{38, 0x20000, false}}));
    EXPECT_EQ(pressesOf({"key", "alt+F1"}), (Presses{{67, 0x80000, false}}));
    EXPECT_EQ(pressesOf({"key", "ctrl+alt+shift+super+x"}), (Presses{{53, 0x1E0000, false}}));
    EXPECT_EQ(pressesOf({"key", "Escape", "x", "shift+x"}),
              (Presses{{9, 0, false}, {53, 0, false}, {53, 0x20000, false}}));
    // Both Control keys count, and a modifier held across several presses applies to each.
    EXPECT_EQ(pressesOf({"keydown", "Control_R", "key", "v", "key", "c", "keyup", "Control_R", "key", "v"}),
              (Presses{{55, 0x40000, false}, {54, 0x40000, false}, {55, 0, false}}));
}

TEST_F(X11KeyMonitorTest, LockKeysNeverTakePartInTheModifiers) {
    using Presses = std::vector<Press>;
    // Caps Lock switched on, and Num Lock held down.
    EXPECT_EQ(pressesOf({"key", "Caps_Lock", "keydown", "Num_Lock", "key", "ctrl+super+v", "key", "v"}),
              (Presses{{55, 0x140000, false}, {55, 0, false}}));
    EXPECT_EQ(pressesOf({"keyup", "Num_Lock", "key", "Caps_Lock"}), Presses{});
}

TEST_F(X11KeyMonitorTest, FollowsTheModifierMapWhenTheKeymapChanges) {
    using Presses = std::vector<Press>;
    constexpr int capsLockKey = 66;
    constexpr int leftControlKey = 37;
    constexpr int vKey = 55;
    ASSERT_TRUE(ChildProcess::run({"setxkbmap", "-layout", "us", "-option", "ctrl:swapcaps"}).succeeded());
    EXPECT_EQ(pressesOfKeyCodes({{capsLockKey, true}, {vKey, true}, {vKey, false}, {capsLockKey, false}}),
              (Presses{{55, 0x40000, false}}));
    // The left Control key is Caps Lock now: it locks (press it twice) and counts for nothing.
    EXPECT_EQ(pressesOfKeyCodes({{leftControlKey, true},
                                 {vKey, true},
                                 {vKey, false},
                                 {leftControlKey, false},
                                 {leftControlKey, true},
                                 {leftControlKey, false}}),
              (Presses{{55, 0, false}}));

    ASSERT_TRUE(ChildProcess::run({"setxkbmap", "-layout", "us", "-option", ""}).succeeded());
    EXPECT_EQ(pressesOfKeyCodes({{leftControlKey, true}, {vKey, true}, {vKey, false}, {leftControlKey, false}}),
              (Presses{{55, 0x40000, false}}));
}

TEST_F(X11KeyMonitorTest, APressOfAKeyAlreadyDownIsARepeatAndStrayReleasesChangeNothing) {
    using Presses = std::vector<Press>;
    EXPECT_EQ(pressesOf({"keydown", "ctrl+super+v", "keydown", "v", "keydown", "v"}),
              (Presses{{55, 0x140000, false}, {55, 0x140000, true}, {55, 0x140000, true}}));
    // Released once by the user, then a release of keys already up: the next press is new and bare.
    EXPECT_EQ(pressesOf({"keyup", "ctrl+super+v", "keyup", "ctrl+super+v", "key", "v"}), (Presses{{55, 0, false}}));
}

TEST_F(X11KeyMonitorTest, SeesKeysTypedIntoOurOwnWindowOnceAndLeavesThemToIt) {
    QLineEdit field;
    field.show();
    field.activateWindow();
    field.setFocus();
    ASSERT_TRUE(
        waitUntil([&] { return field.hasFocus() && QApplication::focusWidget() == &field && field.isActiveWindow(); }));

    EXPECT_EQ(pressesOf({"key", "x", "ctrl+super+v"}), (std::vector<Press>{{53, 0, false}, {55, 0x140000, false}}));
    EXPECT_TRUE(waitUntil([&] { return field.text() == QStringLiteral("x"); })) << field.text().toStdString();
}

TEST_F(X11KeyMonitorTest, KeysSorvuPostsItselfAreNotReported) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const KeyCode control = XKeysymToKeycode(display, XStringToKeysym("Control_L"));
    const KeyCode v = 55;
    SyntheticKeyGuard& guard = SyntheticKeyGuard::shared();
    for (const auto& [keyCode, press] : {std::pair{control, true}, {v, true}, {v, false}, {control, false}}) {
        guard.expect(keyCode, press);
        XTestFakeKeyEvent(display, keyCode, press, CurrentTime);
    }
    XFlush(display);
    // Once the monitor has used up every announcement, it has read all four events.
    EXPECT_TRUE(waitUntil([&] { return guard.pendingCount() == 0; }));
    EXPECT_TRUE(m_presses.empty());

    // The posted Control was taken as released: the user's next V is bare, an unannounced Ctrl+V is reported.
    EXPECT_EQ(pressesOf({"key", "v", "ctrl+v"}), (std::vector<Press>{{55, 0, false}, {55, 0x40000, false}}));
    XCloseDisplay(display);
}

struct Click {
    QPoint position;
    int button;
};

TEST(X11PointerMonitorTest, ReportsWhereEachButtonWasPressedButNotWheelSteps) {
    std::vector<Click> clicks;
    X11PointerMonitor monitor([&](QPoint position, int button) { clicks.push_back(Click{position, button}); });
    ASSERT_TRUE(monitor.isWatching());

    ASSERT_TRUE(xdotool({"mousemove", "321", "234", "click", "1"}));
    ASSERT_TRUE(waitUntil([&] { return !clicks.empty(); }));
    EXPECT_EQ(clicks.front().position, QPoint(321, 234));
    EXPECT_EQ(clicks.front().button, 1);

    ASSERT_TRUE(xdotool({"click", "4", "click", "5", "mousemove", "10", "700", "click", "3"}));
    ASSERT_TRUE(waitUntil([&] { return clicks.size() >= 2; }));
    EXPECT_EQ(clicks.back().position, QPoint(10, 700));
    EXPECT_EQ(clicks.back().button, 3);
    EXPECT_EQ(clicks.size(), 2u);
}

TEST(X11InputWithoutDisplayTest, WatchesNothingAndLogsWhy) {
    test::LogCapture log;
    X11KeyMonitor keys(QByteArrayLiteral(":9999"));
    X11PointerMonitor pointer([](QPoint, int) {}, QByteArrayLiteral(":9999"));
    EXPECT_FALSE(keys.isWatching());
    EXPECT_FALSE(pointer.isWatching());
    EXPECT_EQ(log.messages(), (QStringList{"key monitor unavailable display=:9999 reason=noDisplay",
                                           "pointer monitor unavailable display=:9999 reason=noDisplay"}));
}

} // namespace
} // namespace sorvu
