// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11KeyboardLayout.h"
#include "tests/integration/support/ChildProcess.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

// Last: Xlib's macros (None, Bool…) would break the headers above.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace sorvu {
namespace {

using test::ChildProcess;

// Key codes of a PC keyboard, named by their place on it.
constexpr quint16 keyOfDigit1 = 10;
constexpr quint16 keyRightOfDigit0 = 20;
constexpr quint16 keyLeftOfBackspace = 21;
constexpr quint16 topRowFirstLetter = 24;
constexpr quint16 topRowSecondLetter = 25;
constexpr quint16 topRowSixthLetter = 29;
constexpr quint16 topRowEleventh = 34;
constexpr quint16 homeRowFirstLetter = 38;
constexpr quint16 keyLeftOfDigit1 = 49;
constexpr quint16 bottomRowFirstLetter = 52;
constexpr quint16 bottomRowThirdLetter = 54;
constexpr quint16 bottomRowFourthLetter = 55;
constexpr quint16 escapeKey = 9;
constexpr quint16 functionKey1 = 67;

// The layout object outlives every switch: each test checks that it follows the server at run time.
class X11KeyboardLayoutTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_layout = new X11KeyboardLayout; }
    static void TearDownTestSuite() {
        delete s_layout;
        s_layout = nullptr;
    }

    void SetUp() override { ASSERT_TRUE(s_layout->isAvailable()); }

    static void useLayouts(const QString& layouts, const QString& variants = {}) {
        ASSERT_TRUE(ChildProcess::run({QStringLiteral("setxkbmap"), QStringLiteral("-layout"), layouts,
                                       QStringLiteral("-variant"), variants})
                        .succeeded())
            << layouts.toStdString() << " " << variants.toStdString();
    }

    // Switches the active group the way a layout indicator does.
    static void lockGroup(unsigned int group) {
        Display* display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr);
        XkbLockGroup(display, XkbUseCoreKbd, group);
        XSync(display, False);
        XCloseDisplay(display);
    }

    static X11KeyboardLayout& layout() { return *s_layout; }

    static inline X11KeyboardLayout* s_layout = nullptr;
};

std::optional<QString> text(const char* value) {
    return QString::fromUtf8(value);
}

TEST_F(X11KeyboardLayoutTest, UsLayoutTypesItsLettersAndNothingForControlAndFunctionKeys) {
    useLayouts(QStringLiteral("us"));
    EXPECT_EQ(layout().characterForKeyCode(topRowFirstLetter), text("q"));
    EXPECT_EQ(layout().characterForKeyCode(topRowSixthLetter), text("y"));
    EXPECT_EQ(layout().characterForKeyCode(keyOfDigit1), text("1"));
    EXPECT_EQ(layout().characterForKeyCode(escapeKey), std::nullopt);
    EXPECT_EQ(layout().characterForKeyCode(functionKey1), std::nullopt);
    EXPECT_EQ(layout().characterForKeyCode(3), std::nullopt);

    EXPECT_EQ(layout().keyCodeForCharacter(QStringLiteral("c")), bottomRowThirdLetter);
    EXPECT_EQ(layout().keyCodeForCharacter(QStringLiteral("V")), bottomRowFourthLetter);
    EXPECT_EQ(layout().keyCodeForCharacter(QStringLiteral("1")), keyOfDigit1);
    EXPECT_EQ(layout().keyCodeForCharacter(QStringLiteral("ß")), std::nullopt);
    EXPECT_EQ(layout().keyCodeTypingV(), bottomRowFourthLetter);
}

TEST_F(X11KeyboardLayoutTest, GermanLayoutSwapsYAndZAndItsDeadKeysTypeNothing) {
    useLayouts(QStringLiteral("de"));
    EXPECT_EQ(layout().characterForKeyCode(topRowSixthLetter), text("z"));
    EXPECT_EQ(layout().characterForKeyCode(bottomRowFirstLetter), text("y"));
    EXPECT_EQ(layout().characterForKeyCode(keyRightOfDigit0), text("ß"));
    EXPECT_EQ(layout().characterForKeyCode(topRowEleventh), text("ü"));
    EXPECT_EQ(layout().characterForKeyCode(keyLeftOfDigit1), std::nullopt);
    EXPECT_EQ(layout().characterForKeyCode(keyLeftOfBackspace), std::nullopt);

    EXPECT_EQ(layout().keyCodeForCharacter(QStringLiteral("y")), bottomRowFirstLetter);
    EXPECT_EQ(layout().keyCodeForCharacter(QStringLiteral("Z")), topRowSixthLetter);
    EXPECT_EQ(layout().keyCodeForCharacter(QStringLiteral("Ü")), topRowEleventh);
    EXPECT_EQ(layout().keyCodeForCharacter(QStringLiteral("v")), bottomRowFourthLetter);
}

TEST_F(X11KeyboardLayoutTest, FrenchLayoutMovesLettersAndShiftsItsDigits) {
    useLayouts(QStringLiteral("fr"));
    EXPECT_EQ(layout().characterForKeyCode(topRowFirstLetter), text("a"));
    EXPECT_EQ(layout().characterForKeyCode(topRowSecondLetter), text("z"));
    EXPECT_EQ(layout().characterForKeyCode(homeRowFirstLetter), text("q"));
    EXPECT_EQ(layout().characterForKeyCode(bottomRowFirstLetter), text("w"));
    EXPECT_EQ(layout().characterForKeyCode(keyOfDigit1), text("&"));
    EXPECT_EQ(layout().characterForKeyCode(topRowEleventh), std::nullopt);

    EXPECT_EQ(layout().keyCodeForCharacter(QStringLiteral("a")), topRowFirstLetter);
    EXPECT_EQ(layout().keyCodeForCharacter(QStringLiteral("q")), homeRowFirstLetter);
    EXPECT_EQ(layout().keyCodeForCharacter(QStringLiteral("1")), std::nullopt);
    EXPECT_EQ(layout().keyCodeTypingV(), bottomRowFourthLetter);
}

TEST_F(X11KeyboardLayoutTest, RussianWithUsResolvesToUsWhicheverGroupIsActive) {
    useLayouts(QStringLiteral("ru,us"));
    for (const unsigned int active : {0u, 1u, 0u}) {
        lockGroup(active);
        EXPECT_EQ(layout().asciiCapableGroup(), 1u) << "active group " << active;
        EXPECT_EQ(layout().characterForKeyCode(topRowSixthLetter), text("y")) << "active group " << active;
        EXPECT_EQ(layout().keyCodeForCharacter(QStringLiteral("v")), bottomRowFourthLetter);
    }
}

TEST_F(X11KeyboardLayoutTest, AnActiveGroupThatTypesLatinLettersIsTheOneUsed) {
    useLayouts(QStringLiteral("us,de"));
    lockGroup(1);
    EXPECT_EQ(layout().characterForKeyCode(topRowSixthLetter), text("z"));
    EXPECT_EQ(layout().keyCodeForCharacter(QStringLiteral("y")), bottomRowFirstLetter);
    lockGroup(0);
    EXPECT_EQ(layout().characterForKeyCode(topRowSixthLetter), text("y"));
    EXPECT_EQ(layout().keyCodeForCharacter(QStringLiteral("y")), topRowSixthLetter);
}

TEST_F(X11KeyboardLayoutTest, LatinLayoutsThatLackSomeLettersStillTranslateAndFindCAndV) {
    struct Layout {
        const char* layout;
        const char* variant;
        quint16 keyOfC;
        quint16 keyOfV;
    };
    // Azerbaijani has no w, Esperanto and the Unicode Croatian no q, w, x, y, the Sámi and IBM Lithuanian no
    // q, w, x; the ergonomic Latvian layout puts c and v elsewhere.
    for (const Layout& each : {Layout{"az", "", bottomRowThirdLetter, bottomRowFourthLetter},
                               Layout{"epo", "", bottomRowThirdLetter, bottomRowFourthLetter},
                               Layout{"hr", "unicode", bottomRowThirdLetter, bottomRowFourthLetter},
                               Layout{"se", "smi", bottomRowThirdLetter, bottomRowFourthLetter},
                               Layout{"lt", "ibm", bottomRowThirdLetter, bottomRowFourthLetter},
                               Layout{"lv", "ergonomic", 47, topRowSixthLetter}}) {
        useLayouts(QString::fromLatin1(each.layout), QString::fromLatin1(each.variant));
        const std::string name = std::string(each.layout) + "(" + each.variant + ")";
        EXPECT_EQ(layout().asciiCapableGroup(), 0u) << name;
        EXPECT_EQ(layout().keyCodeForCharacter(QStringLiteral("c")), each.keyOfC) << name;
        EXPECT_EQ(layout().keyCodeForCharacter(QStringLiteral("v")), each.keyOfV) << name;
        EXPECT_EQ(layout().characterForKeyCode(each.keyOfC), text("c")) << name;
        EXPECT_EQ(layout().keyCodeTypingV(), each.keyOfV) << name;
    }
}

TEST_F(X11KeyboardLayoutTest, ALetterTheActiveGroupLacksComesFromTheFirstGroupThatTypesIt) {
    // Turkmen has neither c nor v.
    useLayouts(QStringLiteral("tm"));
    EXPECT_EQ(layout().asciiCapableGroup(), 0u);
    EXPECT_EQ(layout().characterForKeyCode(topRowSecondLetter), text("w"));
    EXPECT_EQ(layout().keyCodeForCharacter(QStringLiteral("c")), std::nullopt);

    useLayouts(QStringLiteral("tm,us"));
    lockGroup(0);
    EXPECT_EQ(layout().asciiCapableGroup(), 0u);
    EXPECT_EQ(layout().keyCodeForCharacter(QStringLiteral("c")), bottomRowThirdLetter);
    EXPECT_EQ(layout().keyCodeForCharacter(QStringLiteral("v")), bottomRowFourthLetter);
    EXPECT_NE(layout().characterForKeyCode(bottomRowThirdLetter), text("c"));
    EXPECT_EQ(layout().keyCodeForCharacter(QStringLiteral("w")), topRowSecondLetter);
    lockGroup(1);
    EXPECT_EQ(layout().characterForKeyCode(bottomRowThirdLetter), text("c"));
    lockGroup(0);
}

TEST_F(X11KeyboardLayoutTest, AScriptWithAStrayLatinLetterIsNoLatinLayout) {
    // The Bengali layout types one Latin letter among its own.
    useLayouts(QStringLiteral("in,us"), QStringLiteral("ben,"));
    lockGroup(0);
    EXPECT_EQ(layout().asciiCapableGroup(), 1u);
    EXPECT_EQ(layout().characterForKeyCode(bottomRowThirdLetter), text("c"));
    EXPECT_EQ(layout().keyCodeForCharacter(QStringLiteral("c")), bottomRowThirdLetter);
}

TEST_F(X11KeyboardLayoutTest, WithoutAnyLatinGroupKeysStandForWhatTheUsLayoutTypesAtTheirPlace) {
    test::LogCapture log;
    useLayouts(QStringLiteral("ru"));
    EXPECT_EQ(layout().asciiCapableGroup(), std::nullopt);
    EXPECT_EQ(layout().characterForKeyCode(topRowSixthLetter), text("y"));
    EXPECT_EQ(layout().characterForKeyCode(keyOfDigit1), text("1"));
    EXPECT_EQ(layout().characterForKeyCode(escapeKey), std::nullopt);
    for (int ask = 0; ask < 3; ++ask) {
        EXPECT_EQ(layout().keyCodeForCharacter(QStringLiteral("v")), bottomRowFourthLetter);
        EXPECT_EQ(layout().keyCodeForCharacter(QStringLiteral("C")), bottomRowThirdLetter);
    }
    EXPECT_EQ(layout().keyCodeTypingV(), bottomRowFourthLetter);
    // Once for each character, naming the key.
    EXPECT_EQ(log.messagesStartingWith("no layout types Latin letters"),
              (QStringList{"no layout types Latin letters, using the US layout's key character=v keyCode=55 "
                           "keyName=AB04",
                           "no layout types Latin letters, using the US layout's key character=c keyCode=54 "
                           "keyName=AB03"}));

    // A Latin group, even a second one, is what counts again.
    useLayouts(QStringLiteral("ru,fr"));
    EXPECT_EQ(layout().characterForKeyCode(topRowFirstLetter), text("a"));
    useLayouts(QStringLiteral("us"));
    EXPECT_EQ(layout().characterForKeyCode(topRowSixthLetter), text("y"));
    EXPECT_EQ(log.messagesStartingWith("no layout types Latin letters").size(), 2);
}

TEST(X11KeyboardLayoutWithoutDisplayTest, AnswersNothingAndLogsWhy) {
    test::LogCapture log;
    X11KeyboardLayout unreachable(QByteArrayLiteral(":9999"));
    EXPECT_FALSE(unreachable.isAvailable());
    EXPECT_EQ(unreachable.characterForKeyCode(bottomRowFourthLetter), std::nullopt);
    EXPECT_EQ(unreachable.keyCodeForCharacter(QStringLiteral("v")), std::nullopt);
    EXPECT_EQ(unreachable.keyCodeTypingV(), bottomRowFourthLetter);
    EXPECT_EQ(log.messages(), QStringList{"keyboard layout unavailable display=:9999 reason=noDisplay"});
}

} // namespace
} // namespace sorvu
