#include "shortcuts/HotkeySpec.h"
#include "tests/support/FakeKeyboardLayout.h"
#include "tests/unit/shortcuts/ShortcutPrinters.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <limits>

namespace sorvu {
namespace {

using Problem = HotkeySpec::Problem;

HotkeySpec::CodingError errorOf(const char* json) {
    const auto decoded = HotkeySpec::decode(QByteArray(json));
    EXPECT_TRUE(std::holds_alternative<HotkeySpec::CodingError>(decoded)) << json;
    if (const auto* error = std::get_if<HotkeySpec::CodingError>(&decoded)) {
        return *error;
    }
    return {};
}

TEST(ShortcutActionTest, RawValuesOrderAndDefaultCharacters) {
    ASSERT_EQ(allShortcutActions.size(), 2u);
    EXPECT_EQ(rawValue(allShortcutActions[0]), "startStopCollecting");
    EXPECT_EQ(rawValue(allShortcutActions[1]), "pasteNext");
    EXPECT_EQ(defaultCharacter(ShortcutAction::startStopCollecting), "c");
    EXPECT_EQ(defaultCharacter(ShortcutAction::pasteNext), "v");
    for (const ShortcutAction action : allShortcutActions) {
        EXPECT_EQ(shortcutActionFromRawValue(rawValue(action)), action);
    }
    EXPECT_EQ(shortcutActionFromRawValue("PasteNext"), std::nullopt);
    EXPECT_EQ(shortcutActionFromRawValue(""), std::nullopt);
}

TEST(HotkeySpecTest, ReadsBothMembersInAnyOrderIgnoringOthers) {
    const HotkeySpec expected{54, 1310720};
    EXPECT_EQ(HotkeySpec::fromJson(R"({"keyCode":54,"modifiersRawValue":1310720})"), expected);
    EXPECT_EQ(HotkeySpec::fromJson(R"({"modifiersRawValue":1310720,"keyCode":54})"), expected);
    EXPECT_EQ(HotkeySpec::fromJson(" \n{ \"keyCode\" : 54 ,\t\"modifiersRawValue\" : 1310720 }\n"), expected);
    EXPECT_EQ(
        HotkeySpec::fromJson(R"({"extra":[1,{"a":null}],"keyCode":54,"version":"2","modifiersRawValue":1310720})"),
        expected);
    EXPECT_EQ(HotkeySpec::fromJson(R"({"key\u0043ode":54,"modifiersRawValue":1310720})"), expected);
}

TEST(HotkeySpecTest, AcceptsTheWholeRangeAndKeepsForeignBits) {
    EXPECT_EQ(HotkeySpec::fromJson(R"({"keyCode":0,"modifiersRawValue":0})"), (HotkeySpec{0, 0}));
    EXPECT_EQ(HotkeySpec::fromJson(R"({"keyCode":65535,"modifiersRawValue":9223372036854775807})"),
              (HotkeySpec{65535, std::numeric_limits<qint64>::max()}));
    // Caps Lock plus Ctrl+Super: no sanity check on read.
    EXPECT_EQ(HotkeySpec::fromJson(R"({"keyCode":54,"modifiersRawValue":1376256})"), (HotkeySpec{54, 0x150000}));
    // Beyond the signed range only as a double, which is exact here.
    EXPECT_EQ(HotkeySpec::fromJson(R"({"keyCode":1,"modifiersRawValue":9223372036854775808})"),
              (HotkeySpec{1, 0x8000000000000000u}));
    EXPECT_EQ(HotkeySpec::fromJson(R"({"keyCode":1,"modifiersRawValue":1.8446744073709550e19})"),
              (HotkeySpec{1, 18446744073709549568u}));
}

TEST(HotkeySpecTest, AcceptsWholeNumbersWrittenAsDoubles) {
    EXPECT_EQ(HotkeySpec::fromJson(R"({"keyCode":54.0,"modifiersRawValue":1.31072e6})"), (HotkeySpec{54, 1310720}));
    EXPECT_EQ(HotkeySpec::fromJson(R"({"keyCode":6.5535E4,"modifiersRawValue":-0})"), (HotkeySpec{65535, 0}));
}

TEST(HotkeySpecTest, RefusesMissingMembersAndNonIntegers) {
    const auto shape = [](Problem problem) { return HotkeySpec::CodingError::problem(problem); };
    EXPECT_EQ(errorOf(R"({"keyCode":54})"), shape(Problem::missingMember));
    EXPECT_EQ(errorOf(R"({"modifiersRawValue":1310720})"), shape(Problem::missingMember));
    EXPECT_EQ(errorOf(R"({"keycode":54,"modifiersRawValue":1310720})"), shape(Problem::missingMember));
    EXPECT_EQ(errorOf(R"({"keyCode":"54","modifiersRawValue":1310720})"), shape(Problem::notAnInteger));
    EXPECT_EQ(errorOf(R"({"keyCode":54,"modifiersRawValue":null})"), shape(Problem::notAnInteger));
    EXPECT_EQ(errorOf(R"({"keyCode":true,"modifiersRawValue":1310720})"), shape(Problem::notAnInteger));
    EXPECT_EQ(errorOf(R"({"keyCode":[54],"modifiersRawValue":1310720})"), shape(Problem::notAnInteger));
    EXPECT_EQ(errorOf(R"({"keyCode":{"v":54},"modifiersRawValue":1310720})"), shape(Problem::notAnInteger));
    EXPECT_EQ(errorOf(R"({"keyCode":54.5,"modifiersRawValue":1310720})"), shape(Problem::notAnInteger));
    EXPECT_EQ(errorOf(R"({"keyCode":54,"modifiersRawValue":1310720.25})"), shape(Problem::notAnInteger));
    EXPECT_EQ(errorOf(R"([54,1310720])"), shape(Problem::notAnObject));
}

TEST(HotkeySpecTest, RefusesNumbersOutOfRange) {
    const auto outOfRange = HotkeySpec::CodingError::problem(Problem::outOfRange);
    EXPECT_EQ(errorOf(R"({"keyCode":70000,"modifiersRawValue":1310720})"), outOfRange);
    EXPECT_EQ(errorOf(R"({"keyCode":65536,"modifiersRawValue":0})"), outOfRange);
    EXPECT_EQ(errorOf(R"({"keyCode":-1,"modifiersRawValue":0})"), outOfRange);
    EXPECT_EQ(errorOf(R"({"keyCode":-1e300,"modifiersRawValue":0})"), outOfRange);
    EXPECT_EQ(errorOf(R"({"keyCode":54,"modifiersRawValue":-1})"), outOfRange);
    // 2^64 - 1 rounds to 2^64 as a double.
    EXPECT_EQ(errorOf(R"({"keyCode":54,"modifiersRawValue":18446744073709551615})"), outOfRange);
    EXPECT_EQ(errorOf(R"({"keyCode":54,"modifiersRawValue":1e30})"), outOfRange);
}

TEST(HotkeySpecTest, ReportsSyntaxErrorsWithTheParserCode) {
    for (const char* json :
         {"", "{", R"({"keyCode":54,"modifiersRawValue":1310720}x)", R"({"keyCode":54 "modifiersRawValue":1310720})",
          "{\"keyCode\":1e999,\"modifiersRawValue\":0}", "NaN"}) {
        const HotkeySpec::CodingError error = errorOf(json);
        EXPECT_EQ(error.domain, "QJsonParseError") << json;
        EXPECT_GT(error.code, 0) << json;
    }
}

TEST(HotkeySpecTest, EncodesExactlyTheTwoMembersAndReadsThemBack) {
    for (const HotkeySpec spec : {HotkeySpec{54, 0x140000}, HotkeySpec{0, 0}, HotkeySpec{65535, 0x1E0000},
                                  HotkeySpec{200, static_cast<quint64>(std::numeric_limits<qint64>::max())}}) {
        const auto encoded = spec.encode();
        ASSERT_TRUE(std::holds_alternative<QByteArray>(encoded));
        const QByteArray json = std::get<QByteArray>(encoded);
        const QJsonObject object = QJsonDocument::fromJson(json).object();
        EXPECT_EQ(object.keys(), (QStringList{"keyCode", "modifiersRawValue"})) << json.constData();
        EXPECT_EQ(HotkeySpec::fromJson(json), spec) << json.constData();
    }
    EXPECT_EQ(std::get<QByteArray>(HotkeySpec{54, 1310720}.encode()), R"({"keyCode":54,"modifiersRawValue":1310720})");
}

TEST(HotkeySpecTest, RefusesToEncodeWhatJsonCannotCarryExactly) {
    const auto encoded = HotkeySpec{54, 0x8000000000000001u}.encode();
    ASSERT_TRUE(std::holds_alternative<HotkeySpec::CodingError>(encoded));
    EXPECT_EQ(std::get<HotkeySpec::CodingError>(encoded), HotkeySpec::CodingError::problem(Problem::notRepresentable));
}

TEST(HotkeySpecTest, DefaultIsCtrlSuperWithTheKeyTypingTheCharacter) {
    using test::FakeKeyboardLayout;
    const auto defaultOn = [](const FakeKeyboardLayout& layout, ShortcutAction action) {
        return HotkeySpec::defaultShortcut(action, layout.keyCodeForCharacter());
    };
    EXPECT_EQ(defaultOn(FakeKeyboardLayout::usQwerty(), ShortcutAction::startStopCollecting),
              (HotkeySpec{54, 0x140000}));
    EXPECT_EQ(defaultOn(FakeKeyboardLayout::usQwerty(), ShortcutAction::pasteNext), (HotkeySpec{55, 0x140000}));
    EXPECT_EQ(defaultOn(FakeKeyboardLayout::usDvorak(), ShortcutAction::startStopCollecting),
              (HotkeySpec{31, 0x140000}));
    EXPECT_EQ(defaultOn(FakeKeyboardLayout::usDvorak(), ShortcutAction::pasteNext), (HotkeySpec{60, 0x140000}));
    EXPECT_EQ(defaultOn(FakeKeyboardLayout::withoutC(), ShortcutAction::startStopCollecting), std::nullopt);
    EXPECT_EQ(defaultOn(FakeKeyboardLayout::withoutC(), ShortcutAction::pasteNext), (HotkeySpec{55, 0x140000}));
    EXPECT_EQ(HotkeySpec::defaultShortcut(ShortcutAction::pasteNext, nullptr), std::nullopt);
}

} // namespace
} // namespace sorvu
