// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shortcuts/SettingsShortcutStore.h"
#include "tests/support/TestSupport.h"
#include "tests/unit/shortcuts/ShortcutPrinters.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace sorvu {
namespace {

class ShortcutStoreTest : public ::testing::Test {
protected:
    std::shared_ptr<QSettings> openSettings() const {
        return std::make_shared<QSettings>(m_directory.filePath("Sorvu.conf"), QSettings::IniFormat);
    }

    QStringList errorLines() const {
        QStringList result;
        for (const test::LogLine& line : m_log.lines()) {
            EXPECT_EQ(line.category, "sorvu.ShortcutStoring");
            if (line.type == QtCriticalMsg) {
                result.append(line.message);
            }
        }
        return result;
    }

    QTemporaryDir m_directory;
    std::shared_ptr<QSettings> m_settings = openSettings();
    SettingsShortcutStore m_store{m_settings};
    test::LogCapture m_log;
};

TEST_F(ShortcutStoreTest, NothingStoredIsNoOverrideAndNoLine) {
    for (const ShortcutAction action : allShortcutActions) {
        EXPECT_EQ(m_store.overrideFor(action), std::nullopt);
    }
    m_store.setOverride(std::nullopt, ShortcutAction::pasteNext);
    EXPECT_EQ(m_store.overrideFor(ShortcutAction::pasteNext), std::nullopt);
    EXPECT_TRUE(m_log.lines().isEmpty());
    EXPECT_TRUE(m_settings->allKeys().isEmpty());
}

TEST_F(ShortcutStoreTest, StoresUtf8JsonBytesUnderThePerActionKey) {
    m_store.setOverride(KeyCombination{67, 0x80000}, ShortcutAction::startStopCollecting);
    m_store.setOverride(KeyCombination{55, 0x40000}, ShortcutAction::pasteNext);

    QStringList keys = m_settings->allKeys();
    keys.sort();
    EXPECT_EQ(keys, (QStringList{"shortcutOverride.pasteNext", "shortcutOverride.startStopCollecting"}));
    const QVariant stored = m_settings->value("shortcutOverride.startStopCollecting");
    ASSERT_EQ(stored.typeId(), QMetaType::QByteArray);
    const QJsonObject object = QJsonDocument::fromJson(stored.toByteArray()).object();
    EXPECT_EQ(object.value("keyCode").toInteger(), 67);
    EXPECT_EQ(object.value("modifiersRawValue").toInteger(), 0x80000);
    EXPECT_EQ(object.size(), 2);

    m_settings->sync();
    const SettingsShortcutStore reopened(openSettings());
    EXPECT_EQ(reopened.overrideFor(ShortcutAction::startStopCollecting), (KeyCombination{67, 0x80000}));
    EXPECT_EQ(reopened.overrideFor(ShortcutAction::pasteNext), (KeyCombination{55, 0x40000}));
    EXPECT_TRUE(m_log.lines().isEmpty());
}

TEST_F(ShortcutStoreTest, ReplacingAndRemovingTouchOnlyTheirAction) {
    m_store.setOverride(KeyCombination{67, 0x80000}, ShortcutAction::startStopCollecting);
    m_store.setOverride(KeyCombination{55, 0x40000}, ShortcutAction::pasteNext);
    m_store.setOverride(KeyCombination{68, 0x20000}, ShortcutAction::startStopCollecting);
    EXPECT_EQ(m_store.overrideFor(ShortcutAction::startStopCollecting), (KeyCombination{68, 0x20000}));

    m_store.setOverride(std::nullopt, ShortcutAction::startStopCollecting);
    EXPECT_FALSE(m_settings->contains("shortcutOverride.startStopCollecting"));
    EXPECT_EQ(m_store.overrideFor(ShortcutAction::startStopCollecting), std::nullopt);
    EXPECT_EQ(m_store.overrideFor(ShortcutAction::pasteNext), (KeyCombination{55, 0x40000}));
}

TEST_F(ShortcutStoreTest, ForeignModifierBitsAreReturnedAsStored) {
    m_store.setOverride(KeyCombination{54, 0x140000 | 0x10000 | 0x800000}, ShortcutAction::pasteNext);
    EXPECT_EQ(m_store.overrideFor(ShortcutAction::pasteNext), (KeyCombination{54, 0x950000}));
}

TEST_F(ShortcutStoreTest, UnreadableValueIsLoggedOnEveryReadAndKept) {
    const QByteArray outOfRange = R"({"keyCode":70000,"modifiersRawValue":1310720})";
    m_settings->setValue("shortcutOverride.pasteNext", outOfRange);
    m_settings->setValue("shortcutOverride.startStopCollecting", QByteArray(R"({"keyCode":54})"));

    EXPECT_EQ(m_store.overrideFor(ShortcutAction::pasteNext), std::nullopt);
    EXPECT_EQ(m_store.overrideFor(ShortcutAction::pasteNext), std::nullopt);
    EXPECT_EQ(m_store.overrideFor(ShortcutAction::startStopCollecting), std::nullopt);
    EXPECT_EQ(errorLines(), (QStringList{
                                "override(for:) decode failed action=pasteNext domain=HotkeySpec code=4",
                                "override(for:) decode failed action=pasteNext domain=HotkeySpec code=4",
                                "override(for:) decode failed action=startStopCollecting domain=HotkeySpec code=2",
                            }));
    EXPECT_EQ(m_settings->value("shortcutOverride.pasteNext").toByteArray(), outOfRange);
}

TEST_F(ShortcutStoreTest, MalformedJsonReportsTheParserError) {
    m_settings->setValue("shortcutOverride.pasteNext", QByteArray("{\"keyCode\":"));
    EXPECT_EQ(m_store.overrideFor(ShortcutAction::pasteNext), std::nullopt);
    const QStringList lines = errorLines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith("override(for:) decode failed action=pasteNext domain=QJsonParseError code="))
        << lines[0].toStdString();
}

TEST_F(ShortcutStoreTest, ValueThatIsNoByteArrayIsSilentlyIgnored) {
    m_settings->setValue("shortcutOverride.pasteNext", QStringLiteral(R"({"keyCode":55,"modifiersRawValue":1310720})"));
    m_settings->setValue("shortcutOverride.startStopCollecting", 42);
    m_settings->sync();
    const SettingsShortcutStore reopened(openSettings());
    EXPECT_EQ(reopened.overrideFor(ShortcutAction::pasteNext), std::nullopt);
    EXPECT_EQ(reopened.overrideFor(ShortcutAction::startStopCollecting), std::nullopt);
    EXPECT_TRUE(m_log.lines().isEmpty());
}

TEST_F(ShortcutStoreTest, EncodingFailureIsLoggedAndLeavesTheStoredValue) {
    m_store.setOverride(KeyCombination{55, 0x140000}, ShortcutAction::startStopCollecting);
    m_store.setOverride(KeyCombination{56, 0x8000000000000000u}, ShortcutAction::startStopCollecting);
    EXPECT_EQ(errorLines(), QStringList{"setOverride(_:for:) encode failed action=startStopCollecting "
                                        "domain=HotkeySpec code=5"});
    EXPECT_EQ(m_store.overrideFor(ShortcutAction::startStopCollecting), (KeyCombination{55, 0x140000}));
}

} // namespace
} // namespace sorvu
