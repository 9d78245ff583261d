// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "preferences/Localization.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using namespace sorvu;

namespace {

const QString sourceDirectory = QStringLiteral(SORVU_SOURCE_DIR);

struct TranslatedMessage {
    QStringList forms;
    bool isNumerus = false;
    QString type;
};

struct TranslationFile {
    bool readable = false;
    QStringList contexts;
    QMap<QString, TranslatedMessage> messages;
    QStringList duplicateSources;
};

TranslationFile readTsFile(const QString& path) {
    TranslationFile result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return result;
    }
    QXmlStreamReader reader(&file);
    QString source;
    TranslatedMessage message;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const auto name = reader.name();
            if (name == QStringLiteral("name")) {
                result.contexts.append(reader.readElementText());
            } else if (name == QStringLiteral("message")) {
                source.clear();
                message = TranslatedMessage{};
                message.isNumerus = reader.attributes().value(QStringLiteral("numerus")) == QStringLiteral("yes");
            } else if (name == QStringLiteral("source")) {
                source = reader.readElementText();
            } else if (name == QStringLiteral("translation")) {
                message.type = reader.attributes().value(QStringLiteral("type")).toString();
                if (!message.isNumerus) {
                    message.forms.append(reader.readElementText());
                }
            } else if (name == QStringLiteral("numerusform")) {
                message.forms.append(reader.readElementText());
            }
        } else if (reader.isEndElement() && reader.name() == QStringLiteral("message")) {
            if (result.messages.contains(source)) {
                result.duplicateSources.append(source);
            }
            result.messages.insert(source, message);
        }
    }
    result.readable = !reader.hasError();
    return result;
}

TranslationFile readTranslationFile(const QString& code) {
    return readTsFile(sourceDirectory + QStringLiteral("/resources/i18n/sorvu_%1.ts").arg(code));
}

// The texts lupdate finds marked in the program's sources, with whether each has plural forms.
TranslationFile markedTexts() {
    return readTsFile(QStringLiteral(SORVU_MARKED_TEXTS));
}

QStringList englishKeyList() {
    QFile file(sourceDirectory + QStringLiteral("/resources/i18n/english-keys.json"));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QStringList keys;
    for (const auto& value : QJsonDocument::fromJson(file.readAll()).array()) {
        keys.append(value.toString());
    }
    return keys;
}

QStringList placeholders(const QString& text) {
    static const QRegularExpression placeholder(QStringLiteral("%lld|%@"));
    QStringList result;
    for (auto match = placeholder.globalMatch(text); match.hasNext();) {
        result.append(match.next().captured());
    }
    return result;
}

class TranslationFiles : public ::testing::TestWithParam<const char*> {
protected:
    QString code() const { return QString::fromUtf8(GetParam()); }
    bool hasSinglePluralForm() const { return code() == QStringLiteral("zh-Hans") || code() == QStringLiteral("ja"); }
};

} // namespace

TEST(EnglishKeys, CoverEveryTextMarkedInCode) {
    const QStringList englishKeys = englishKeyList();
    ASSERT_FALSE(englishKeys.isEmpty());
    EXPECT_EQ(QSet<QString>(englishKeys.begin(), englishKeys.end()).size(), englishKeys.size());

    const TranslationFile marked = markedTexts();
    ASSERT_TRUE(marked.readable);
    EXPECT_EQ(marked.contexts, QStringList({"Sorvu"}));
    // Texts of the separator picker, the tray icon and the shortcuts are marked; finding them shows lupdate ran.
    for (const char* text : {"Custom…", "Sorvu, idle", "Paste Next Item", "Quit", "Sorvu is already running."}) {
        EXPECT_TRUE(marked.messages.contains(QString::fromUtf8(text))) << text;
    }
    for (auto text = marked.messages.cbegin(); text != marked.messages.cend(); ++text) {
        EXPECT_TRUE(englishKeys.contains(text.key())) << "marked in code but not listed: " << text.key().toStdString();
    }
}

TEST_P(TranslationFiles, TranslateEveryKeyAndNothingElse) {
    const TranslationFile file = readTranslationFile(code());
    ASSERT_TRUE(file.readable);
    EXPECT_EQ(file.contexts, QStringList({"Sorvu"}));
    EXPECT_TRUE(file.duplicateSources.isEmpty()) << file.duplicateSources.join(" | ").toStdString();

    QSet<QString> wanted;
    for (const QString& key : englishKeyList()) {
        wanted.insert(key);
    }
    const TranslationFile marked = markedTexts();
    for (auto text = marked.messages.cbegin(); text != marked.messages.cend(); ++text) {
        wanted.insert(text.key());
        // A count the code passes picks a plural form only where the catalogue has them; Chinese and Japanese
        // have a single form, which a plain message gives.
        const bool numerusInFile = file.messages.value(text.key()).isNumerus;
        EXPECT_TRUE(numerusInFile == text->isNumerus || (!numerusInFile && hasSinglePluralForm()))
            << text.key().toStdString();
    }
    for (const QString& key : wanted) {
        EXPECT_TRUE(file.messages.contains(key)) << "missing: " << key.toStdString();
    }
    for (auto message = file.messages.cbegin(); message != file.messages.cend(); ++message) {
        EXPECT_TRUE(wanted.contains(message.key())) << "not a key: " << message.key().toStdString();
    }
}

TEST_P(TranslationFiles, AreFinishedAndKeepThePlaceholdersOfTheirKeys) {
    const TranslationFile file = readTranslationFile(code());
    ASSERT_TRUE(file.readable);
    for (auto message = file.messages.cbegin(); message != file.messages.cend(); ++message) {
        const std::string key = message.key().toStdString();
        EXPECT_TRUE(message->type.isEmpty()) << key << " is " << message->type.toStdString();
        ASSERT_FALSE(message->forms.isEmpty()) << key;
        if (message->isNumerus) {
            EXPECT_GT(message->forms.size(), 1) << key;
        }
        for (const QString& form : message->forms) {
            EXPECT_FALSE(form.trimmed().isEmpty()) << key;
            // Arguments are filled in order, so the order counts as well as the number.
            EXPECT_EQ(placeholders(form), placeholders(message.key())) << key << " -> " << form.toStdString();
        }
    }
}

TEST_P(TranslationFiles, AreWhatTheEmbeddedCatalogAnswers) {
    const TranslationFile file = readTranslationFile(code());
    const TranslationCatalog catalog = catalogForLanguage(code());
    ASSERT_TRUE(catalog.hasTranslations());
    for (auto message = file.messages.cbegin(); message != file.messages.cend(); ++message) {
        if (message->isNumerus) {
            EXPECT_TRUE(message->forms.contains(catalog.translate(message.key(), 1))) << message.key().toStdString();
        } else {
            EXPECT_EQ(catalog.translate(message.key()), message->forms.first()) << message.key().toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, TranslationFiles, ::testing::Values("ru", "zh-Hans", "es", "ja", "de", "pt-BR"),
                         [](const auto& info) {
                             return QString::fromUtf8(info.param).remove(QLatin1Char('-')).toStdString();
                         });
