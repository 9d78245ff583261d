// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/PasteKeysTable.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TemporarySettings.h"

#include <gtest/gtest.h>

namespace sorvu {
namespace {

TEST(PasteKeysNames, ReadAsWrittenInAnyCaseSpacingAndModifierOrder) {
    for (const PasteKeys keys : {PasteKeys::controlV, PasteKeys::controlShiftV, PasteKeys::shiftInsert}) {
        EXPECT_EQ(pasteKeysFromName(pasteKeysName(keys)), keys) << pasteKeysName(keys).toStdString();
    }
    EXPECT_EQ(pasteKeysName(PasteKeys::controlShiftV), QStringLiteral("Ctrl+Shift+V"));
    EXPECT_EQ(pasteKeysFromName(QStringLiteral("shift+ctrl+v")), PasteKeys::controlShiftV);
    EXPECT_EQ(pasteKeysFromName(QStringLiteral(" Ctrl + V ")), PasteKeys::controlV);
    EXPECT_EQ(pasteKeysFromName(QStringLiteral("SHIFT+INSERT")), PasteKeys::shiftInsert);
    for (const char* other : {"", "V", "Ctrl+Q", "Ctrl+V+Shift", "Insert+Shift", "Alt+Shift+V", "Ctrl++V"}) {
        EXPECT_EQ(pasteKeysFromName(QString::fromLatin1(other)), std::nullopt) << other;
    }
}

TEST(PasteKeysTable, CommonTerminalsPasteWithTheirOwnKeystrokeAndEverythingElseWithCtrlV) {
    const PasteKeysTable table = PasteKeysTable::withDefaults();
    // WM_CLASS as these terminals set it.
    const QList<std::pair<WindowClass, PasteKeys>> expected = {
        {{"gnome-terminal-server", "Gnome-terminal"}, PasteKeys::controlShiftV},
        {{"xfce4-terminal", "Xfce4-terminal"}, PasteKeys::controlShiftV},
        {{"tilix", "Tilix"}, PasteKeys::controlShiftV},
        {{"terminator", "Terminator"}, PasteKeys::controlShiftV},
        {{"konsole", "konsole"}, PasteKeys::controlShiftV},
        {{"Alacritty", "Alacritty"}, PasteKeys::controlShiftV},
        {{"kitty", "kitty"}, PasteKeys::controlShiftV},
        {{"org.wezfurlong.wezterm", "org.wezfurlong.wezterm"}, PasteKeys::controlShiftV},
        {{"xterm", "XTerm"}, PasteKeys::shiftInsert},
        {{"uxterm", "UXTerm"}, PasteKeys::shiftInsert},
        {{"urxvt", "URxvt"}, PasteKeys::shiftInsert},
        // An xterm started with a name of its own is still an xterm by its class.
        {{"logs", "XTerm"}, PasteKeys::shiftInsert},
        {{"kate", "kate"}, PasteKeys::controlV},
        {{"", ""}, PasteKeys::controlV},
    };
    for (const auto& [windowClass, keys] : expected) {
        EXPECT_EQ(table.keysFor(windowClass), keys) << windowClass.className.toStdString();
    }
    EXPECT_EQ(table.keysFor(std::nullopt), PasteKeys::controlV);

    // On Wayland a window's only name is its app_id, given as both names.
    for (const char* appId : {"foot", "footclient", "kitty", "Alacritty", "org.wezfurlong.wezterm",
                              "org.gnome.Terminal", "org.gnome.Console", "org.kde.konsole", "xfce4-terminal"}) {
        EXPECT_EQ(table.keysFor(WindowClass{appId, appId}), PasteKeys::controlShiftV) << appId;
    }
    EXPECT_EQ(table.keysFor(WindowClass{"org.gnome.TextEditor", "org.gnome.TextEditor"}), PasteKeys::controlV);
}

class PasteKeysSettings : public test::TemporarySettings {};

TEST_F(PasteKeysSettings, ExtendAndOverrideTheBuiltInTableAndSkipWhatTheyCannotRead) {
    {
        const auto settings = openSettings();
        settings->beginGroup(PasteKeysTable::settingsGroup);
        settings->setValue(QStringLiteral("MyTerm"), QStringLiteral("shift+insert"));
        // An xterm whose paste key was moved to the clipboard.
        settings->setValue(QStringLiteral("XTerm"), QStringLiteral("Ctrl+Shift+V"));
        settings->setValue(QStringLiteral("kitty"), QStringLiteral("Ctrl+Q"));
        settings->setValue(QStringLiteral("konsole"), QStringLiteral("Ctrl+V, Shift+Insert"));
        settings->endGroup();
        settings->setValue(QStringLiteral("terminator"), QStringLiteral("Ctrl+V"));
    }
    test::LogCapture log;
    const PasteKeysTable table = PasteKeysTable::fromSettings(*openSettings());

    EXPECT_EQ(table.keysFor(WindowClass{"myterm", "MyTerm"}), PasteKeys::shiftInsert);
    EXPECT_EQ(table.keysFor(WindowClass{"other", "MYTERM"}), PasteKeys::shiftInsert);
    // The user's entry for the class outranks the built-in one for the instance.
    EXPECT_EQ(table.keysFor(WindowClass{"xterm", "XTerm"}), PasteKeys::controlShiftV);
    EXPECT_EQ(table.keysFor(WindowClass{"uxterm", "UXTerm"}), PasteKeys::shiftInsert);
    // Malformed entries leave the built-in table as it was; a key outside the group is no entry.
    EXPECT_EQ(table.keysFor(WindowClass{"kitty", "kitty"}), PasteKeys::controlShiftV);
    EXPECT_EQ(table.keysFor(WindowClass{"konsole", "konsole"}), PasteKeys::controlShiftV);
    EXPECT_EQ(table.keysFor(WindowClass{"terminator", "Terminator"}), PasteKeys::controlShiftV);
    EXPECT_EQ(log.messagesStartingWith(QStringLiteral("paste keystroke setting ignored")),
              (QStringList{QStringLiteral("paste keystroke setting ignored window=kitty reason=unknownKeystroke"),
                           QStringLiteral("paste keystroke setting ignored window=konsole reason=unknownKeystroke")}));
}

} // namespace
} // namespace sorvu
