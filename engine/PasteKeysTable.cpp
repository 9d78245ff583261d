// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/PasteKeysTable.h"

#include "engine/Log.h"

namespace sorvu {

namespace {

// Window instance and class names, in lower case, of terminals that do not paste with Ctrl+V.
struct BuiltInEntry {
    const char* windowName;
    PasteKeys keys;
};

constexpr BuiltInEntry builtInEntries[] = {
    // VTE terminals.
    {"gnome-terminal", PasteKeys::controlShiftV},
    {"gnome-terminal-server", PasteKeys::controlShiftV},
    {"xfce4-terminal", PasteKeys::controlShiftV},
    {"tilix", PasteKeys::controlShiftV},
    {"terminator", PasteKeys::controlShiftV},
    {"mate-terminal", PasteKeys::controlShiftV},
    {"lxterminal", PasteKeys::controlShiftV},
    // Terminals of their own making.
    {"konsole", PasteKeys::controlShiftV},
    {"alacritty", PasteKeys::controlShiftV},
    {"kitty", PasteKeys::controlShiftV},
    {"org.wezfurlong.wezterm", PasteKeys::controlShiftV},
    // Wayland terminals, by their app_id (a Wayland window has no other name).
    {"foot", PasteKeys::controlShiftV},
    {"footclient", PasteKeys::controlShiftV},
    {"org.gnome.terminal", PasteKeys::controlShiftV},
    {"org.gnome.console", PasteKeys::controlShiftV},
    {"org.kde.konsole", PasteKeys::controlShiftV},
    // These paste PRIMARY on Shift+Insert and nothing from the clipboard without extra configuration
    // (urxvt takes Ctrl+Shift for entering a character by its code).
    {"xterm", PasteKeys::shiftInsert},
    {"uxterm", PasteKeys::shiftInsert},
    {"urxvt", PasteKeys::shiftInsert},
};

std::optional<PasteKeys> lookUp(const QHash<QString, PasteKeys>& table, const WindowClass& windowClass) {
    for (const QString& name : {windowClass.instanceName, windowClass.className}) {
        const auto found = table.constFind(name.toLower());
        if (!name.isEmpty() && found != table.constEnd()) {
            return *found;
        }
    }
    return std::nullopt;
}

} // namespace

const QString PasteKeysTable::settingsGroup = QStringLiteral("pasteKeystrokes");

PasteKeysTable PasteKeysTable::withDefaults() {
    PasteKeysTable table;
    for (const BuiltInEntry& entry : builtInEntries) {
        table.m_builtIn.insert(QString::fromLatin1(entry.windowName), entry.keys);
    }
    return table;
}

PasteKeysTable PasteKeysTable::fromSettings(QSettings& settings) {
    PasteKeysTable table = withDefaults();
    settings.beginGroup(settingsGroup);
    const QStringList windowNames = settings.childKeys();
    for (const QString& windowName : windowNames) {
        const QVariant value = settings.value(windowName);
        // A value with a comma reads as a list, which names no keystroke.
        const std::optional<PasteKeys> keys =
            value.typeId() == QMetaType::QString ? pasteKeysFromName(value.toString()) : std::nullopt;
        if (!keys) {
            qCWarning(lcUi).noquote()
                << QStringLiteral("paste keystroke setting ignored window=%1 reason=unknownKeystroke").arg(windowName);
            continue;
        }
        table.choose(windowName, *keys);
    }
    settings.endGroup();
    return table;
}

void PasteKeysTable::choose(const QString& windowName, PasteKeys keys) {
    m_chosen.insert(windowName.toLower(), keys);
}

PasteKeys PasteKeysTable::keysFor(const std::optional<WindowClass>& windowClass) const {
    if (!windowClass) {
        return PasteKeys::controlV;
    }
    return lookUp(m_chosen, *windowClass).value_or(lookUp(m_builtIn, *windowClass).value_or(PasteKeys::controlV));
}

} // namespace sorvu
