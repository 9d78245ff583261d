// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "preferences/Localization.h"

#include <gtest/gtest.h>

using namespace sorvu;

namespace {

QString german(const QString& key, const QVariantList& arguments = {}) {
    return localizedString(key, catalogForLanguage(QStringLiteral("de")), localeForLanguage(QStringLiteral("de")),
                           arguments);
}

QString russianCount(qint64 count) {
    return localizedString(QStringLiteral("%lld items in queue"), catalogForLanguage(QStringLiteral("ru")),
                           localeForLanguage(QStringLiteral("ru")), {count});
}

} // namespace

TEST(LocaleForLanguage, MapsTheStoredCodesOntoQtLocales) {
    EXPECT_EQ(localeForLanguage(QStringLiteral("de")).language(), QLocale::German);

    const QLocale chinese = localeForLanguage(QStringLiteral("zh-Hans"));
    EXPECT_EQ(chinese.language(), QLocale::Chinese);
    EXPECT_EQ(chinese.script(), QLocale::SimplifiedHanScript);

    const QLocale brazilian = localeForLanguage(QStringLiteral("pt-BR"));
    EXPECT_EQ(brazilian.language(), QLocale::Portuguese);
    EXPECT_EQ(brazilian.territory(), QLocale::Brazil);

    EXPECT_EQ(localeForLanguage(std::nullopt), QLocale::system());
}

TEST(CatalogForLanguage, HoldsTheEmbeddedTranslationsOfEachOfferedLanguageButEnglish) {
    for (const SupportedLanguage language : allSupportedLanguages()) {
        const QString code = languageCode(language);
        const TranslationCatalog catalog = catalogForLanguage(code);
        if (language == SupportedLanguage::en) {
            EXPECT_FALSE(catalog.hasTranslations());
            EXPECT_FALSE(catalog.languageCode());
            EXPECT_EQ(catalog.translate(QStringLiteral("Quit")), QStringLiteral("Quit"));
            continue;
        }
        EXPECT_TRUE(catalog.hasTranslations()) << code.toStdString();
        EXPECT_EQ(catalog.languageCode(), code);
        EXPECT_NE(catalog.translate(QStringLiteral("Paste Next Item")), QStringLiteral("Paste Next Item"))
            << code.toStdString();
    }
}

TEST(CatalogForLanguage, FallsBackOnTheEnglishKeysForCodesWithoutTranslations) {
    for (const char* code : {"fr", "DE", "zh-hans", "pt_BR", "", "../i18n/sorvu_de"}) {
        const TranslationCatalog catalog = catalogForLanguage(QString::fromUtf8(code));
        EXPECT_FALSE(catalog.hasTranslations()) << code;
        EXPECT_EQ(catalog.translate(QStringLiteral("Settings")), QStringLiteral("Settings")) << code;
    }
}

TEST(CatalogForLanguage, FollowsTheFirstOfferedSystemInterfaceLanguage) {
    EXPECT_EQ(supportedLanguageForUiLanguages({"de-DE", "en-US"}), SupportedLanguage::de);
    EXPECT_EQ(supportedLanguageForUiLanguages({"en-GB", "de"}), SupportedLanguage::en);
    EXPECT_EQ(supportedLanguageForUiLanguages({"fr-FR", "pt-PT"}), SupportedLanguage::ptBR);
    EXPECT_EQ(supportedLanguageForUiLanguages({"zh-CN"}), SupportedLanguage::zhHans);
    EXPECT_EQ(supportedLanguageForUiLanguages({"zh-Hans-SG"}), SupportedLanguage::zhHans);
    EXPECT_EQ(supportedLanguageForUiLanguages({"zh-TW", "ja-JP"}), SupportedLanguage::ja);
    EXPECT_FALSE(supportedLanguageForUiLanguages({"C", "fr", "zh-Hant"}));
    EXPECT_FALSE(supportedLanguageForUiLanguages({}));
}

TEST(LocalizedString, FillsPlaceholdersInOrderWhetherOrNotATranslationExists) {
    const TranslationCatalog english;
    const QLocale locale = localeForLanguage(QStringLiteral("en"));
    EXPECT_EQ(localizedString(QStringLiteral("Item %lld: text, %@"), english, locale, {3, QStringLiteral("abc")}),
              QStringLiteral("Item 3: text, abc"));
    EXPECT_EQ(german(QStringLiteral("Item %lld: file, %@"), {12, QStringLiteral("Bericht.pdf")}),
              QStringLiteral("Eintrag 12: Datei, Bericht.pdf"));
    EXPECT_EQ(german(QStringLiteral("Version %@ (%@)"), {QStringLiteral("0.1.0"), QStringLiteral("—")}),
              QStringLiteral("Version 0.1.0 (—)"));
    EXPECT_EQ(german(QStringLiteral("No such key: %lld of %@"), {7, QStringLiteral("x")}),
              QStringLiteral("No such key: 7 of x"));
}

TEST(LocalizedString, InsertsArgumentsVerbatimAndLeavesUnfilledPlaceholders) {
    const TranslationCatalog english;
    const QLocale locale(QLocale::English);
    EXPECT_EQ(localizedString(QStringLiteral("Item %lld: text, %@"), english, locale, {1, QStringLiteral("%@ %lld")}),
              QStringLiteral("Item 1: text, %@ %lld"));
    EXPECT_EQ(localizedString(QStringLiteral("Item %lld: text, %@"), english, locale, {5}),
              QStringLiteral("Item 5: text, %@"));
    EXPECT_EQ(localizedString(QStringLiteral("%lld%@"), english, locale, {2, QStringLiteral("b")}),
              QStringLiteral("2b"));
    EXPECT_EQ(localizedString(QStringLiteral("Sorvu, idle"), english, locale, {9}), QStringLiteral("Sorvu, idle"));
}

TEST(LocalizedString, WritesIntegersWithoutDigitGroupingWhateverTheLocale) {
    EXPECT_EQ(german(QStringLiteral("Delete item %lld"), {1234567}), QStringLiteral("Eintrag 1234567 löschen"));
    EXPECT_EQ(localizedString(QStringLiteral("%lld."), {}, QLocale(QLocale::English), {-42LL}), QStringLiteral("-42."));
}

TEST(LocalizedString, ChoosesThePluralFormTheCountNeeds) {
    EXPECT_EQ(russianCount(1), QStringLiteral("1 элемент в очереди"));
    EXPECT_EQ(russianCount(3), QStringLiteral("3 элемента в очереди"));
    EXPECT_EQ(russianCount(11), QStringLiteral("11 элементов в очереди"));
    EXPECT_EQ(russianCount(21), QStringLiteral("21 элемент в очереди"));
    EXPECT_EQ(german(QStringLiteral("%lld items in queue"), {1}), QStringLiteral("1 Eintrag in der Warteschlange"));
    EXPECT_EQ(german(QStringLiteral("%lld items in queue"), {99}), QStringLiteral("99 Einträge in der Warteschlange"));

    // A message with a single form serves every count.
    EXPECT_EQ(localizedString(QStringLiteral("Delete item %lld"), catalogForLanguage(QStringLiteral("ru")),
                              QLocale(QLocale::Russian), {5}),
              QStringLiteral("Удалить элемент 5"));
    EXPECT_EQ(localizedString(QStringLiteral("%lld items in queue"), catalogForLanguage(QStringLiteral("ja")),
                              QLocale(QLocale::Japanese), {42}),
              QStringLiteral("キューに 42 項目"));
}
