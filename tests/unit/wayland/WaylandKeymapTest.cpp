// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/wayland/WaylandKeymap.h"

#include <gtest/gtest.h>

#include <linux/input-event-codes.h>

using namespace sorvu;
using Keystroke = WaylandKeymap::Keystroke;

namespace {

std::shared_ptr<const WaylandKeymap> named(const QByteArray& layouts, const QByteArray& variants = {}) {
    auto keymap = WaylandKeymap::fromNames(layouts, variants);
    EXPECT_NE(keymap, nullptr) << layouts.constData();
    return keymap;
}

TEST(WaylandKeymapTest, takesTheSeatsKeymapWhenItHasOneThatCompilesElseTheDefaultLayout) {
    const auto german = named("de");
    // As the seat sends it: the text with its terminating zero.
    const auto fromSeat = WaylandKeymap::choose(german->text() + '\0');
    ASSERT_NE(fromSeat, nullptr);
    EXPECT_EQ(fromSeat->origin(), WaylandKeymap::Origin::seat);
    EXPECT_EQ(fromSeat->text(), german->text());

    const auto fallback = WaylandKeymap::choose(QByteArray("xkb_keymap { this is no keymap"));
    ASSERT_NE(fallback, nullptr);
    EXPECT_EQ(fallback->origin(), WaylandKeymap::Origin::defaultLayout);
    // xkbcommon's default: the layout XKB_DEFAULT_LAYOUT names, else US.
    qunsetenv("XKB_DEFAULT_LAYOUT");
    EXPECT_EQ(WaylandKeymap::choose(std::nullopt)->text(), named("us")->text());
    EXPECT_EQ(WaylandKeymap::choose(QByteArray())->origin(), WaylandKeymap::Origin::defaultLayout);
}

TEST(WaylandKeymapTest, findsTheKeysOfEachPasteKeystrokeWhereTheLayoutHasThem) {
    const Keystroke controlV{{KEY_LEFTCTRL}, KEY_V, 0};
    const Keystroke controlShiftV{{KEY_LEFTCTRL, KEY_LEFTSHIFT}, KEY_V, 0};
    const Keystroke shiftInsert{{KEY_LEFTSHIFT}, KEY_INSERT, 0};
    for (const QByteArray layout : {"us", "de", "fr"}) {
        const auto keymap = named(layout);
        EXPECT_EQ(keymap->keystroke(PasteKeys::controlV), controlV) << layout.constData();
        EXPECT_EQ(keymap->keystroke(PasteKeys::controlShiftV), controlShiftV) << layout.constData();
        EXPECT_EQ(keymap->keystroke(PasteKeys::shiftInsert), shiftInsert) << layout.constData();
    }
    // Dvorak types v where a PC keyboard has its full stop.
    EXPECT_EQ(named("us", "dvorak")->keystroke(PasteKeys::controlV), (Keystroke{{KEY_LEFTCTRL}, KEY_DOT, 0}));
    // Russian first: the v is in the second layout, the US one.
    EXPECT_EQ(named("ru,us")->keystroke(PasteKeys::controlV), (Keystroke{{KEY_LEFTCTRL}, KEY_V, 1}));
    // No Latin letters at all: the V of a PC keyboard, as on X11.
    EXPECT_EQ(named("ru")->keystroke(PasteKeys::controlShiftV), controlShiftV);
}

TEST(WaylandKeymapTest, reportsTheModifiersOfTheKeysHeldDown) {
    const auto keymap = named("ru,us");
    const WaylandKeymap::ModifierState none = keymap->modifiersWithKeysDown({}, 1);
    EXPECT_EQ(none, (WaylandKeymap::ModifierState{0, 0, 0, 1}));
    const WaylandKeymap::ModifierState control = keymap->modifiersWithKeysDown({KEY_LEFTCTRL}, 1);
    const WaylandKeymap::ModifierState shift = keymap->modifiersWithKeysDown({KEY_LEFTSHIFT}, 1);
    const WaylandKeymap::ModifierState both = keymap->modifiersWithKeysDown({KEY_LEFTCTRL, KEY_LEFTSHIFT}, 1);
    EXPECT_NE(control.depressed, 0u);
    EXPECT_NE(shift.depressed, 0u);
    EXPECT_EQ(control.depressed & shift.depressed, 0u);
    EXPECT_EQ(both.depressed, control.depressed | shift.depressed);
    EXPECT_EQ(both.layout, 1u);
    // The letter itself changes no modifier.
    EXPECT_EQ(keymap->modifiersWithKeysDown({KEY_LEFTCTRL, KEY_V}, 1), control);
}

} // namespace
