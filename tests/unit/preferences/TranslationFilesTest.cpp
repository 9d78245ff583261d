#include "preferences/Localization.h"

#include <QDirIterator>
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

TranslationFile readTranslationFile(const QString& code) {
    TranslationFile result;
    QFile file(sourceDirectory + QStringLiteral("/resources/i18n/sorvu_%1.ts").arg(code));
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

QString unescapeCppLiteral(const QString& literal) {
    QString result;
    for (qsizetype index = 0; index < literal.size(); ++index) {
        if (literal.at(index) == QLatin1Char('\\') && index + 1 < literal.size()) {
            const QChar escaped = literal.at(++index);
            result += escaped == QLatin1Char('n') ? QChar(u'\n') : escaped == QLatin1Char('t') ? QChar(u'\t') : escaped;
        } else {
            result += literal.at(index);
        }
    }
    return result;
}

// The literal first arguments of every localizedString call in the program's sources (tests excluded, they
// also look up keys that must not exist).
QSet<QString> keysUsedInCode() {
    static const QRegularExpression call(
        QStringLiteral(R"re(localizedString\(\s*QStringLiteral\("((?:[^"\\]|\\.)*)"\))re"));
    QSet<QString> keys;
    QDirIterator files(sourceDirectory, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const QString relative = path.mid(sourceDirectory.size() + 1);
        if (relative.startsWith(QStringLiteral("build")) || relative.startsWith(QStringLiteral("tests/")) ||
            relative.startsWith(QLatin1Char('.'))) {
            continue;
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QString text = QString::fromUtf8(file.readAll());
        for (auto match = call.globalMatch(text); match.hasNext();) {
            keys.insert(unescapeCppLiteral(match.next().captured(1)));
        }
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
};

} // namespace

TEST(EnglishKeys, CoverEveryKeyLookedUpInCode) {
    const QStringList englishKeys = englishKeyList();
    ASSERT_FALSE(englishKeys.isEmpty());
    EXPECT_EQ(QSet<QString>(englishKeys.begin(), englishKeys.end()).size(), englishKeys.size());

    const QSet<QString> used = keysUsedInCode();
    // The separator titles are looked up in code; finding them shows the scan works.
    ASSERT_TRUE(used.contains(QStringLiteral("Custom…")));
    for (const QString& key : used) {
        EXPECT_TRUE(englishKeys.contains(key)) << "key used in code but not listed: " << key.toStdString();
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
    wanted.unite(keysUsedInCode());
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
