// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shortcuts/KeyCombination.h"
#include "tests/support/FakeKeyboardLayout.h"
#include "tests/unit/shortcuts/ShortcutPrinters.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <limits>

namespace sorvu {
namespace {

using Problem = KeyCombination::Problem;

KeyCombination::CodingError errorOf(const char* json) {
    const auto decoded = KeyCombination::decode(QByteArray(json));
    EXPECT_TRUE(std::holds_alternative<KeyCombination::CodingError>(decoded)) << json;
    if (const auto* error = std::get_if<KeyCombination::CodingError>(&decoded)) {
        return *error;
    }
    return {};
}

TEST(ShortcutActionTest, RawValuesOrderAndDefaultCharacters) {
    ASSERT_EQ(allShortcutActions.size(), 2u);
    EXPECT_EQ(caseName(allShortcutActions[0]), "startStopCollecting");
    EXPECT_EQ(caseName(allShortcutActions[1]), "pasteNext");
    EXPECT_EQ(defaultCharacter(ShortcutAction::startStopCollecting), "c");
    EXPECT_EQ(defaultCharacter(ShortcutAction::pasteNext), "v");
    for (const ShortcutAction action : allShortcutActions) {
        EXPECT_EQ(fromCaseName<ShortcutAction>(caseName(action)), action);
    }
    EXPECT_EQ(fromCaseName<ShortcutAction>("PasteNext"), std::nullopt);
    EXPECT_EQ(fromCaseName<ShortcutAction>(""), std::nullopt);
}

TEST(KeyCombinationTest, ReadsBothMembersInAnyOrderIgnoringOthers) {
    const KeyCombination expected{54, 1310720};
    EXPECT_EQ(KeyCombination::fromJson(R"({"keyCode":54,"modifiersRawValue":1310720})"), expected);
    EXPECT_EQ(KeyCombination::fromJson(R"({"modifiersRawValue":1310720,"keyCode":54})"), expected);
    EXPECT_EQ(KeyCombination::fromJson(" \n{ \"keyCode\" : 54 ,\t\"modifiersRawValue\" : 1310720 }\n"), expected);
    EXPECT_EQ(
        KeyCombination::fromJson(R"({"extra":[1,{"a":null}],"keyCode":54,"version":"2","modifiersRawValue":1310720})"),
        expected);
    EXPECT_EQ(KeyCombination::fromJson(R"({"key\u0043ode":54,"modifiersRawValue":1310720})"), expected);
}

TEST(KeyCombinationTest, AcceptsTheWholeRangeAndKeepsForeignBits) {
    EXPECT_EQ(KeyCombination::fromJson(R"({"keyCode":0,"modifiersRawValue":0})"), (KeyCombination{0, 0}));
    EXPECT_EQ(KeyCombination::fromJson(R"({"keyCode":65535,"modifiersRawValue":9223372036854775807})"),
              (KeyCombination{65535, std::numeric_limits<qint64>::max()}));
    // Caps Lock plus Ctrl+Super: no sanity check on read.
    EXPECT_EQ(KeyCombination::fromJson(R"({"keyCode":54,"modifiersRawValue":1376256})"),
              (KeyCombination{54, 0x150000}));
    // Beyond the signed range only as a double, which is exact here.
    EXPECT_EQ(KeyCombination::fromJson(R"({"keyCode":1,"modifiersRawValue":9223372036854775808})"),
              (KeyCombination{1, 0x8000000000000000u}));
    EXPECT_EQ(KeyCombination::fromJson(R"({"keyCode":1,"modifiersRawValue":1.8446744073709550e19})"),
              (KeyCombination{1, 18446744073709549568u}));
}

TEST(KeyCombinationTest, AcceptsWholeNumbersWrittenAsDoubles) {
    EXPECT_EQ(KeyCombination::fromJson(R"({"keyCode":54.0,"modifiersRawValue":1.31072e6})"),
              (KeyCombination{54, 1310720}));
    EXPECT_EQ(KeyCombination::fromJson(R"({"keyCode":6.5535E4,"modifiersRawValue":-0})"), (KeyCombination{65535, 0}));
}

TEST(KeyCombinationTest, RefusesMissingMembersAndNonIntegers) {
    const auto shape = [](Problem problem) { return KeyCombination::CodingError::problem(problem); };
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

TEST(KeyCombinationTest, RefusesNumbersOutOfRange) {
    const auto outOfRange = KeyCombination::CodingError::problem(Problem::outOfRange);
    EXPECT_EQ(errorOf(R"({"keyCode":70000,"modifiersRawValue":1310720})"), outOfRange);
    EXPECT_EQ(errorOf(R"({"keyCode":65536,"modifiersRawValue":0})"), outOfRange);
    EXPECT_EQ(errorOf(R"({"keyCode":-1,"modifiersRawValue":0})"), outOfRange);
    EXPECT_EQ(errorOf(R"({"keyCode":-1e300,"modifiersRawValue":0})"), outOfRange);
    EXPECT_EQ(errorOf(R"({"keyCode":54,"modifiersRawValue":-1})"), outOfRange);
    // 2^64 - 1 rounds to 2^64 as a double.
    EXPECT_EQ(errorOf(R"({"keyCode":54,"modifiersRawValue":18446744073709551615})"), outOfRange);
    EXPECT_EQ(errorOf(R"({"keyCode":54,"modifiersRawValue":1e30})"), outOfRange);
}

TEST(KeyCombinationTest, ReportsSyntaxErrorsWithTheParserCode) {
    for (const char* json :
         {"", "{", R"({"keyCode":54,"modifiersRawValue":1310720}x)", R"({"keyCode":54 "modifiersRawValue":1310720})",
          "{\"keyCode\":1e999,\"modifiersRawValue\":0}", "NaN"}) {
        const KeyCombination::CodingError error = errorOf(json);
        EXPECT_EQ(error.domain, "QJsonParseError") << json;
        EXPECT_GT(error.code, 0) << json;
    }
}

TEST(KeyCombinationTest, EncodesExactlyTheTwoMembersAndReadsThemBack) {
    for (const KeyCombination spec :
         {KeyCombination{54, 0x140000}, KeyCombination{0, 0}, KeyCombination{65535, 0x1E0000},
          KeyCombination{200, static_cast<quint64>(std::numeric_limits<qint64>::max())}}) {
        const auto encoded = spec.encode();
        ASSERT_TRUE(std::holds_alternative<QByteArray>(encoded));
        const QByteArray json = std::get<QByteArray>(encoded);
        const QJsonObject object = QJsonDocument::fromJson(json).object();
        EXPECT_EQ(object.keys(), (QStringList{"keyCode", "modifiersRawValue"})) << json.constData();
        EXPECT_EQ(KeyCombination::fromJson(json), spec) << json.constData();
    }
    EXPECT_EQ(std::get<QByteArray>(KeyCombination{54, 1310720}.encode()),
              R"({"keyCode":54,"modifiersRawValue":1310720})");
}

TEST(KeyCombinationTest, RefusesToEncodeWhatJsonCannotCarryExactly) {
    const auto encoded = KeyCombination{54, 0x8000000000000001u}.encode();
    ASSERT_TRUE(std::holds_alternative<KeyCombination::CodingError>(encoded));
    EXPECT_EQ(std::get<KeyCombination::CodingError>(encoded),
              KeyCombination::CodingError::problem(Problem::notRepresentable));
}

TEST(KeyCombinationTest, DefaultIsCtrlSuperWithTheKeyTypingTheCharacter) {
    using test::FakeKeyboardLayout;
    const auto defaultOn = [](const FakeKeyboardLayout& layout, ShortcutAction action) {
        return KeyCombination::defaultShortcut(action, layout.keyCodeForCharacter());
    };
    EXPECT_EQ(defaultOn(FakeKeyboardLayout::usQwerty(), ShortcutAction::startStopCollecting),
              (KeyCombination{54, 0x140000}));
    EXPECT_EQ(defaultOn(FakeKeyboardLayout::usQwerty(), ShortcutAction::pasteNext), (KeyCombination{55, 0x140000}));
    EXPECT_EQ(defaultOn(FakeKeyboardLayout::usDvorak(), ShortcutAction::startStopCollecting),
              (KeyCombination{31, 0x140000}));
    EXPECT_EQ(defaultOn(FakeKeyboardLayout::usDvorak(), ShortcutAction::pasteNext), (KeyCombination{60, 0x140000}));
    EXPECT_EQ(defaultOn(FakeKeyboardLayout::withoutC(), ShortcutAction::startStopCollecting), std::nullopt);
    EXPECT_EQ(defaultOn(FakeKeyboardLayout::withoutC(), ShortcutAction::pasteNext), (KeyCombination{55, 0x140000}));
    EXPECT_EQ(KeyCombination::defaultShortcut(ShortcutAction::pasteNext, nullptr), std::nullopt);
}

} // namespace
} // namespace sorvu
