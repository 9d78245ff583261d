// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "preferences/Localization.h"
#include "tests/unit/views/ViewsFixture.h"
#include "views/PopupRootModel.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

namespace sorvu {
namespace {

const qint64 counts[] = {0, 1, 2, 5, 21, 99};

// What each language says for each count: its singular, its plural, and Russian's three forms (1 and 21
// take the first, 2 the second, 0, 5 and 99 the third). Chinese and Japanese have one form.
const std::map<QString, QStringList> queueCounts = {
    {"en",
     {"0 items in queue", "1 item in queue", "2 items in queue", "5 items in queue", "21 items in queue",
      "99 items in queue"}},
    {"de",
     {"0 Einträge in der Warteschlange", "1 Eintrag in der Warteschlange", "2 Einträge in der Warteschlange",
      "5 Einträge in der Warteschlange", "21 Einträge in der Warteschlange", "99 Einträge in der Warteschlange"}},
    {"es",
     {"0 elementos en la cola", "1 elemento en la cola", "2 elementos en la cola", "5 elementos en la cola",
      "21 elementos en la cola", "99 elementos en la cola"}},
    {"pt-BR",
     {"0 item na fila", "1 item na fila", "2 itens na fila", "5 itens na fila", "21 itens na fila",
      "99 itens na fila"}},
    {"ru",
     {"0 элементов в очереди", "1 элемент в очереди", "2 элемента в очереди", "5 элементов в очереди",
      "21 элемент в очереди", "99 элементов в очереди"}},
    {"ja",
     {"キューに 0 項目", "キューに 1 項目", "キューに 2 項目", "キューに 5 項目", "キューに 21 項目",
      "キューに 99 項目"}},
    {"zh-Hans",
     {"队列中有 0 项", "队列中有 1 项", "队列中有 2 项", "队列中有 5 项", "队列中有 21 项", "队列中有 99 项"}},
};

QString inLanguage(const char* key, const QString& code, qint64 count) {
    return localizedString(QString::fromUtf8(key), catalogForLanguage(code), localeForLanguage(code), {count});
}

class PluralFormsTest : public test::ViewsFixture {};

// The status row, the tray icon's tooltip and the other texts with a count take the form the count needs,
// in every language, English included.
TEST_F(PluralFormsTest, EveryLanguageSaysEachCountInTheRightForm) {
    for (const auto& [code, expected] : queueCounts) {
        for (size_t index = 0; index < std::size(counts); ++index) {
            EXPECT_EQ(inLanguage("%lld items in queue", code, counts[index]), expected.at(qsizetype(index)))
                << code.toStdString() << " " << counts[index];
        }
    }
    // The tray icon's tooltip and the tooltip's length follow the same rules.
    EXPECT_EQ(inLanguage("Sorvu, recording, %lld items in queue", "en", 1), "Sorvu, recording, 1 item in queue");
    EXPECT_EQ(inLanguage("Sorvu, %lld items queued, not recording", "en", 1), "Sorvu, 1 item queued, not recording");
    EXPECT_EQ(inLanguage("Sorvu, %lld items queued, not recording", "en", 21), "Sorvu, 21 items queued, not recording");
    EXPECT_EQ(inLanguage("Sorvu, recording, %lld items in queue", "ru", 21),
              "Sorvu, идёт запись, в очереди 21 элемент");
    EXPECT_EQ(inLanguage("Sorvu, recording, %lld items in queue", "ru", 2), "Sorvu, идёт запись, в очереди 2 элемента");
    EXPECT_EQ(inLanguage("%lld characters", "en", 1), "1 character");
    EXPECT_EQ(inLanguage("%lld characters", "ru", 5), "5 символов");
    EXPECT_EQ(localizedString("%lld items are not text: %@.", catalogForLanguage(QStringLiteral("de")),
                              localeForLanguage(QStringLiteral("de")), {qint64(1), QStringLiteral("3")}),
              "1 Eintrag ist kein Text: 3.");
    // A system language Sorvu does not offer falls back on English, singular included.
    EXPECT_EQ(inLanguage("%lld items in queue", "fr", 1), "1 item in queue");

    // The status row as a screen reader reads it.
    PopupRootModel root(*queue, *language, QGuiApplication::font(), 0, {}, settingsDependencies());
    addTexts({"only"});
    EXPECT_EQ(root.statusAccessibleName(), "Recording, 1 item in queue");
    EXPECT_EQ(root.countText(), "1 item in queue");
}

} // namespace
} // namespace sorvu
