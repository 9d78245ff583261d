// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shortcuts/ShortcutAcceptance.h"
#include "tests/support/FakeKeyboardLayout.h"
#include "tests/unit/shortcuts/RawModifiers.h"
#include "tests/unit/shortcuts/ShortcutPrinters.h"

#include <gtest/gtest.h>

namespace sorvu {
namespace {

using namespace test;
using Refusal = ShortcutAcceptance::Refusal;

std::optional<Refusal> refusalOf(quint16 keyCode, quint64 modifiers,
                                 const FakeKeyboardLayout& layout = FakeKeyboardLayout::usQwerty()) {
    return ShortcutAcceptance::refusal(KeyCombination{keyCode, modifiers}, layout.characterForKeyCode());
}

TEST(ShortcutAcceptanceTest, FunctionKeysAndSingleLettersOrDigitsWithAModifierAreAccepted) {
    for (const quint16 functionKey : {67, 76, 95, 96, 191, 198}) {
        EXPECT_EQ(refusalOf(functionKey, option), std::nullopt) << functionKey;
    }
    // a, 1, v and the German sharp s, each with one or more of the four modifiers.
    EXPECT_EQ(refusalOf(38, control), std::nullopt);
    EXPECT_EQ(refusalOf(10, shift | command), std::nullopt);
    EXPECT_EQ(refusalOf(55, control | option | shift | command), std::nullopt);
    EXPECT_EQ(refusalOf(20, control, FakeKeyboardLayout::germanQwertz()), std::nullopt);

    // One letter beyond the basic plane is still one character.
    FakeKeyboardLayout unusual = FakeKeyboardLayout::usQwerty();
    unusual.keys[38] = QString::fromUcs4(U"\U0001D400");
    EXPECT_EQ(refusalOf(38, control, unusual), std::nullopt);
}

TEST(ShortcutAcceptanceTest, ABareKeyOrAnyBitBeyondTheFourModifiersIsRefused) {
    EXPECT_EQ(refusalOf(38, 0), Refusal::noModifier);
    EXPECT_EQ(refusalOf(67, 0), Refusal::noModifier);
    EXPECT_EQ(refusalOf(54, controlCommand | capsLock), Refusal::otherModifier);
    EXPECT_EQ(refusalOf(54, controlCommand | function), Refusal::otherModifier);
    EXPECT_EQ(refusalOf(54, 0x1), Refusal::otherModifier);
}

TEST(ShortcutAcceptanceTest, KeysThatTypeNoSingleLetterOrDigitAreRefused) {
    // Space, Return, Tab, comma, a key that types nothing, and a key code no keyboard has.
    for (const quint16 keyCode : {65, 36, 23, 59, 200, 65535}) {
        EXPECT_EQ(refusalOf(keyCode, control), Refusal::unusableKey) << keyCode;
    }
    FakeKeyboardLayout doubled = FakeKeyboardLayout::usQwerty();
    doubled.keys[55] = QStringLiteral("vv");
    EXPECT_EQ(refusalOf(55, control, doubled), Refusal::unusableKey);
    // Without a layout, only the function keys can be told apart.
    EXPECT_EQ(ShortcutAcceptance::refusal(KeyCombination{38, control}, nullptr), Refusal::unusableKey);
    EXPECT_EQ(ShortcutAcceptance::refusal(KeyCombination{67, control}, nullptr), std::nullopt);
}

} // namespace
} // namespace sorvu
