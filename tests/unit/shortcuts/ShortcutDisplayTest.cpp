// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shortcuts/ShortcutDisplay.h"
#include "tests/support/FakeKeyboardLayout.h"
#include "tests/unit/shortcuts/RawModifiers.h"

#include <QTranslator>

#include <gtest/gtest.h>

#include <memory>

namespace sorvu {
namespace {

using namespace test;

QString shown(quint16 keyCode, quint64 modifiers, const FakeKeyboardLayout& layout = FakeKeyboardLayout::usQwerty()) {
    return displayString(keyCode, modifiers, layout.characterForKeyCode(), TranslationCatalog(), QLocale::c());
}

TEST(ShortcutDisplayTest, ModifiersAlwaysInTheSameOrder) {
    EXPECT_EQ(shown(67, control | option | shift | command), "Ctrl+Alt+Shift+Super+F1");
    EXPECT_EQ(shown(53, command), "Super+X");
    EXPECT_EQ(shown(200, control), "Ctrl+Key 200");
    EXPECT_EQ(shown(55, command | shift), "Shift+Super+V");
    EXPECT_EQ(shown(55, option | control), "Ctrl+Alt+V");
    EXPECT_EQ(shown(55, 0), "V");
    // Caps Lock, Num Lock and device bits are never shown.
    EXPECT_EQ(shown(55, capsLock | function | 0x100 | control), "Ctrl+V");
}

TEST(ShortcutDisplayTest, FunctionKeysByTheirX11Keycodes) {
    const QList<quint16> keyCodes{67, 68, 69,  70,  71,  72,  73,  74,  75,  76,
                                  95, 96, 191, 192, 193, 194, 195, 196, 197, 198};
    for (qsizetype index = 0; index < keyCodes.size(); ++index) {
        EXPECT_EQ(functionKeyName(keyCodes[index]), QStringLiteral("F%1").arg(index + 1));
        EXPECT_EQ(shown(keyCodes[index], option), QStringLiteral("Alt+F%1").arg(index + 1));
    }
    for (const quint16 neighbour : {66, 77, 94, 97, 190, 199, 122, 0}) {
        EXPECT_EQ(functionKeyName(neighbour), std::nullopt) << neighbour;
    }
}

TEST(ShortcutDisplayTest, KeyNameIsWhatTheKeyTypesInTheLayout) {
    EXPECT_EQ(shown(52, control, FakeKeyboardLayout::usQwerty()), "Ctrl+Z");
    EXPECT_EQ(shown(52, control, FakeKeyboardLayout::germanQwertz()), "Ctrl+Y");
    EXPECT_EQ(shown(29, control, FakeKeyboardLayout::germanQwertz()), "Ctrl+Z");
    EXPECT_EQ(shown(34, control, FakeKeyboardLayout::germanQwertz()), QString::fromUtf8("Ctrl+\u00dc"));
    EXPECT_EQ(shown(24, control, FakeKeyboardLayout::frenchAzerty()), "Ctrl+A");
    EXPECT_EQ(shown(11, command, FakeKeyboardLayout::frenchAzerty()), QString::fromUtf8("Super+\u00c9"));
    EXPECT_EQ(shown(10, command | shift), "Shift+Super+1");
    // A dead key types nothing.
    EXPECT_EQ(shown(34, control, FakeKeyboardLayout::frenchAzerty()), "Ctrl+Key 34");
}

TEST(ShortcutDisplayTest, KeyNumberWhenTheLayoutYieldsNothing) {
    const CharacterForKeyCode empty = [](quint16) -> std::optional<QString> { return QString(); };
    EXPECT_EQ(displayString(54, control, empty, TranslationCatalog(), QLocale::c()), "Ctrl+Key 54");
    EXPECT_EQ(displayString(54, command, nullptr, TranslationCatalog(), QLocale::c()), "Super+Key 54");
    EXPECT_EQ(displayString(KeyCombination{65535, 0}, nullptr, TranslationCatalog(), QLocale::c()), "Key 65535");
}

TEST(ShortcutDisplayTest, DefaultWithoutKeyIsShownByItsCharacter) {
    EXPECT_EQ(defaultShortcutTextWithoutKey(ShortcutAction::startStopCollecting), "Ctrl+Super+C");
    EXPECT_EQ(defaultShortcutTextWithoutKey(ShortcutAction::pasteNext), "Ctrl+Super+V");
}

// Answers a few English keys with marked texts, the way a translation file would.
class MarkingTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* sourceText, const char*, int) const override {
        const QString key = QString::fromUtf8(sourceText);
        if (QByteArray(context) != "Sorvu" || !marked.contains(key)) {
            return {};
        }
        return QStringLiteral("[") + key + QStringLiteral("]");
    }
    bool isEmpty() const override { return false; }

    QStringList marked{"Start/Stop Collecting", "Paste Next Item", "Key %lld"};
};

TEST(ShortcutDisplayTest, TitlesAndKeyNumbersGoThroughTheTranslationCatalog) {
    EXPECT_EQ(localizedTitle(ShortcutAction::startStopCollecting, TranslationCatalog(), QLocale::c()),
              "Start/Stop Collecting");
    EXPECT_EQ(localizedTitle(ShortcutAction::pasteNext, TranslationCatalog(), QLocale::c()), "Paste Next Item");

    const TranslationCatalog catalog(std::make_shared<MarkingTranslator>(), QStringLiteral("xx"));
    EXPECT_EQ(localizedTitle(ShortcutAction::startStopCollecting, catalog, QLocale::c()), "[Start/Stop Collecting]");
    EXPECT_EQ(localizedTitle(ShortcutAction::pasteNext, catalog, QLocale::c()), "[Paste Next Item]");
    EXPECT_EQ(displayString(200, control, nullptr, catalog, QLocale::c()), "Ctrl+[Key 200]");
    // Names and key texts stay as they are: only the number fallback is a text of the language.
    EXPECT_EQ(displayString(67, control, nullptr, catalog, QLocale::c()), "Ctrl+F1");
}

} // namespace
} // namespace sorvu
