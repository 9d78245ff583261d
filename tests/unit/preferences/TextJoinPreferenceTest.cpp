// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "preferences/TextJoinPreference.h"
#include "preferences/Localization.h"
#include "preferences/SettingsTextJoinPreferenceStore.h"
#include "tests/support/TemporarySettings.h"

#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace sorvu;

namespace {

using TextJoinSettings = test::TemporarySettings;

} // namespace

TEST(TextSeparatorChoiceTest, EachChoiceStandsForItsSeparator) {
    EXPECT_EQ(TextJoinPreference({TextSeparatorChoice::newline, "x"}).separator(), QStringLiteral("\n"));
    EXPECT_EQ(TextJoinPreference({TextSeparatorChoice::blankLine, "x"}).separator(), QStringLiteral("\n\n"));
    EXPECT_EQ(TextJoinPreference({TextSeparatorChoice::space, "x"}).separator(), QStringLiteral(" "));
    EXPECT_EQ(TextJoinPreference({TextSeparatorChoice::none, "x"}).separator(), QString());
    EXPECT_EQ(TextJoinPreference({TextSeparatorChoice::custom, ", "}).separator(),
              TextJoinPreference({TextSeparatorChoice::commaSpace, "x"}).separator());
    EXPECT_EQ(TextJoinPreference({TextSeparatorChoice::custom, " \\n\t"}).separator(), QStringLiteral(" \\n\t"));
    EXPECT_EQ(TextJoinPreference({TextSeparatorChoice::custom, ""}).separator(), QString());
}

TEST(TextSeparatorChoiceTest, RawValuesAreExactAndTitlesDistinctInEveryLanguage) {
    QStringList rawValues;
    for (const TextSeparatorChoice choice : allTextSeparatorChoices()) {
        rawValues.append(caseName(choice));
        EXPECT_EQ(fromCaseName<TextSeparatorChoice>(caseName(choice)), choice);
    }
    EXPECT_EQ(rawValues, QStringList({"newline", "blankLine", "space", "commaSpace", "none", "custom"}));
    for (const char* text :
         {"Newline", "blankline", "comma_space", " space", "", "TextSeparatorChoice::space", "space|none"}) {
        EXPECT_FALSE(fromCaseName<TextSeparatorChoice>(QString::fromUtf8(text))) << text;
    }

    for (const SupportedLanguage language : allSupportedLanguages()) {
        const TranslationCatalog catalog = catalogForLanguage(languageCode(language));
        const QLocale locale = localeForLanguage(languageCode(language));
        QSet<QString> titles;
        for (const TextSeparatorChoice choice : allTextSeparatorChoices()) {
            titles.insert(localizedTitle(choice, catalog, locale));
        }
        EXPECT_EQ(titles.size(), 6) << languageCode(language).toStdString();
    }
}

TEST_F(TextJoinSettings, EachKeyFallsBackOnItsOwn) {
    auto settings = openSettings();
    EXPECT_EQ(SettingsTextJoinPreferenceStore(settings).load(), TextJoinPreference({TextSeparatorChoice::newline, ""}));

    settings->setValue(QStringLiteral("textJoinSeparatorChoice"), QStringLiteral("BlankLine"));
    settings->setValue(QStringLiteral("textJoinCustomSeparator"), QStringLiteral(" | "));
    EXPECT_EQ(SettingsTextJoinPreferenceStore(settings).load(),
              TextJoinPreference({TextSeparatorChoice::newline, " | "}));

    settings->setValue(QStringLiteral("textJoinSeparatorChoice"), QStringLiteral("space"));
    settings->remove(QStringLiteral("textJoinCustomSeparator"));
    EXPECT_EQ(SettingsTextJoinPreferenceStore(settings).load(), TextJoinPreference({TextSeparatorChoice::space, ""}));

    settings->setValue(QStringLiteral("textJoinSeparatorChoice"), 3);
    settings->setValue(QStringLiteral("textJoinCustomSeparator"), QStringList({"a", "b"}));
    EXPECT_EQ(SettingsTextJoinPreferenceStore(settings).load(), TextJoinPreference({TextSeparatorChoice::newline, ""}));
}

TEST_F(TextJoinSettings, SavingWritesBothKeysAndSurvivesARestartExactly) {
    SettingsTextJoinPreferenceStore(openSettings()).save({TextSeparatorChoice::custom, "a"});
    SettingsTextJoinPreferenceStore(openSettings()).save({TextSeparatorChoice::space, ""});
    auto settings = openSettings();
    EXPECT_EQ(settings->value(QStringLiteral("textJoinSeparatorChoice")), QVariant(QStringLiteral("space")));
    EXPECT_EQ(settings->value(QStringLiteral("textJoinCustomSeparator")), QVariant(QString()));

    for (const QString& custom : {QStringLiteral(", "), QStringLiteral("\\n"), QStringLiteral("@Variant(x)")}) {
        const TextJoinPreference saved{TextSeparatorChoice::custom, custom};
        {
            auto writer = openSettings();
            SettingsTextJoinPreferenceStore(writer).save(saved);
            writer->sync();
        }
        EXPECT_EQ(SettingsTextJoinPreferenceStore(openSettings()).load(), saved) << custom.toStdString();
    }
}
