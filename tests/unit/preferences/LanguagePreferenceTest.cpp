// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "preferences/LanguagePreferenceStore.h"
#include "preferences/SettingsLanguagePreferenceStorage.h"
#include "preferences/SupportedLanguage.h"
#include "tests/support/TemporarySettings.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace sorvu;

namespace {

class RecordingLanguageStore : public LanguagePreferenceStorage {
public:
    std::optional<QString> load() const override {
        ++loads;
        return stored;
    }
    void save(const std::optional<QString>& languageCode) override {
        stored = languageCode;
        saves.append(languageCode);
    }

    std::optional<QString> stored;
    mutable int loads = 0;
    QList<std::optional<QString>> saves;
};

using LanguageSettings = test::TemporarySettings;

} // namespace

TEST(SupportedLanguageTest, OffersTheSevenCodesInPickerOrderAndAcceptsOnlyThoseExactly) {
    QStringList codes;
    for (const SupportedLanguage language : allSupportedLanguages()) {
        codes.append(languageCode(language));
        EXPECT_EQ(supportedLanguageFromCode(languageCode(language)), language);
    }
    EXPECT_EQ(codes, QStringList({"en", "ru", "zh-Hans", "es", "ja", "de", "pt-BR"}));
    for (const char* code : {"EN", "De", "zh-hans", "zh_Hans", "zh", "pt-br", "pt_BR", "pt", "fr", "", " en"}) {
        EXPECT_FALSE(supportedLanguageFromCode(QString::fromUtf8(code))) << code;
    }
}

TEST_F(LanguageSettings, KeepsTheChosenCodeAcrossRestartsAndRemovesItForTheSystemChoice) {
    LanguagePreferenceStore store(std::make_shared<SettingsLanguagePreferenceStorage>(openSettings()));
    EXPECT_FALSE(store.preferredLanguageCode());

    store.choose(QStringLiteral("de"));
    EXPECT_EQ(openSettings()->value(QStringLiteral("preferredLanguageCode")), QVariant(QStringLiteral("de")));
    EXPECT_EQ(LanguagePreferenceStore(std::make_shared<SettingsLanguagePreferenceStorage>(openSettings()))
                  .preferredLanguageCode(),
              QStringLiteral("de"));

    store.choose(std::nullopt);
    EXPECT_FALSE(openSettings()->contains(QStringLiteral("preferredLanguageCode")));
    store.choose(std::nullopt);
    EXPECT_FALSE(SettingsLanguagePreferenceStorage(openSettings()).load());
}

TEST_F(LanguageSettings, LoadsAnUnknownCodeAsStoredAndIgnoresAValueThatIsNoString) {
    auto settings = openSettings();
    settings->setValue(QStringLiteral("preferredLanguageCode"), QStringLiteral("tlh-Latn"));
    EXPECT_EQ(SettingsLanguagePreferenceStorage(settings).load(), QStringLiteral("tlh-Latn"));

    settings->setValue(QStringLiteral("preferredLanguageCode"), QStringList({"de", "ru"}));
    EXPECT_FALSE(SettingsLanguagePreferenceStorage(settings).load());
}

TEST(LanguagePreferenceStoreTest, ReadsOnceSavesEachChoiceAndAnnouncesOnlyRealChanges) {
    auto persistence = std::make_shared<RecordingLanguageStore>();
    persistence->stored = QStringLiteral("xx-Unknown");
    LanguagePreferenceStore store(persistence);
    EXPECT_EQ(store.preferredLanguageCode(), QStringLiteral("xx-Unknown"));
    QSignalSpy changes(&store, &LanguagePreferenceStore::preferredLanguageCodeChanged);
    std::optional<QString> seenInsideSignal;
    QObject::connect(&store, &LanguagePreferenceStore::preferredLanguageCodeChanged, &store,
                     [&] { seenInsideSignal = store.preferredLanguageCode(); });

    store.choose(QStringLiteral("de"));
    EXPECT_EQ(seenInsideSignal, QStringLiteral("de"));
    store.choose(QStringLiteral("de"));
    EXPECT_EQ(changes.count(), 1);
    store.choose(std::nullopt);
    EXPECT_FALSE(store.preferredLanguageCode());
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(persistence->saves,
              (QList<std::optional<QString>>{QStringLiteral("de"), QStringLiteral("de"), std::nullopt}));
    EXPECT_EQ(persistence->loads, 1);
}
