#include "app/BuildInfo.h"
#include "app/UpdateController.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace sorvu;
using namespace sorvu::test;

namespace {

const QString feed = QStringLiteral("https://updates.example.org/sorvu/appcast.xml");

QString keyOfLength(int bytes) {
    QByteArray key(bytes, '\0');
    for (int index = 0; index < bytes; ++index) {
        key[index] = static_cast<char>(index * 37 + 11);
    }
    return QString::fromLatin1(key.toBase64());
}

QVariantMap information(const QVariant& feedURL, const QVariant& publicKey) {
    QVariantMap map{{QStringLiteral("CFBundleVersion"), QStringLiteral("7")}};
    if (feedURL.isValid()) {
        map.insert(QStringLiteral("SUFeedURL"), feedURL);
    }
    if (publicKey.isValid()) {
        map.insert(QStringLiteral("SUPublicEDKey"), publicKey);
    }
    return map;
}

} // namespace

TEST(UpdateFeedConfigurationTest, KeepsAnHttpsFeedAndTheKeyStringAsRead) {
    const QString key = keyOfLength(32);
    const auto configuration = UpdateFeedConfiguration::fromBuildInfo(information(feed, key));
    ASSERT_TRUE(configuration);
    EXPECT_EQ(configuration->feedURL, QUrl(feed));
    EXPECT_EQ(configuration->publicEDKey, key);
    EXPECT_EQ(*configuration, (UpdateFeedConfiguration{QUrl(feed), key}));
    EXPECT_FALSE(*configuration == (UpdateFeedConfiguration{QUrl(feed), keyOfLength(32).toLower()}));
}

TEST(UpdateFeedConfigurationTest, RefusesFeedsThatAreNotExactlyHttpsStrings) {
    const QString key = keyOfLength(32);
    for (const QVariant& refused :
         {QVariant(QStringLiteral("http://updates.example.org/appcast.xml")),
          QVariant(QStringLiteral("HTTPS://updates.example.org/appcast.xml")),
          QVariant(QStringLiteral("Https://updates.example.org/appcast.xml")),
          QVariant(QStringLiteral("updates.example.org/appcast.xml")),
          QVariant(QStringLiteral("https://updates.example.org/app cast.xml")), QVariant(QStringLiteral("")),
          QVariant(QUrl(feed)), QVariant(feed.toUtf8()), QVariant(42), QVariant()}) {
        EXPECT_FALSE(UpdateFeedConfiguration::fromBuildInfo(information(refused, key)))
            << refused.toString().toStdString();
    }
}

TEST(UpdateFeedConfigurationTest, RefusesKeysThatAreNotStrictBase64ForThirtyTwoBytes) {
    const QString key = keyOfLength(32);
    QString urlSafe = key;
    urlSafe.replace(QLatin1Char('+'), QLatin1Char('-')).replace(QLatin1Char('/'), QLatin1Char('_'));
    ASSERT_NE(urlSafe, key);
    QString unpadded = key;
    unpadded.remove(QLatin1Char('='));

    for (const QVariant& refused :
         {QVariant(keyOfLength(31)), QVariant(keyOfLength(33)), QVariant(keyOfLength(0)), QVariant(urlSafe),
          QVariant(unpadded), QVariant(key.left(20) + QLatin1Char('\n') + key.mid(20)),
          QVariant(key + QLatin1Char(' ')), QVariant(QLatin1Char(' ') + key),
          QVariant(key.left(40) + QStringLiteral("=AA=")), QVariant(key.left(43) + QStringLiteral("é")),
          QVariant(key.toLatin1()), QVariant()}) {
        EXPECT_FALSE(UpdateFeedConfiguration::fromBuildInfo(information(feed, refused)))
            << refused.toString().toStdString();
    }
}

TEST(UpdateControllerTest, CreatesTheUpdaterOnlyWhenTheGatePassesAndIsSilentOtherwise) {
    LogCapture logs;
    EXPECT_EQ(UpdateController(std::nullopt).updaterController(), nullptr);
    EXPECT_EQ(UpdateController(QVariantMap()).updaterController(), nullptr);
    EXPECT_EQ(UpdateController(information(QStringLiteral("http://x.example/a"), keyOfLength(32))).updaterController(),
              nullptr);
    EXPECT_EQ(UpdateController(information(feed, keyOfLength(33))).updaterController(), nullptr);
    EXPECT_TRUE(logs.lines().isEmpty());

    const UpdateController controller(information(feed, keyOfLength(32)));
    ASSERT_NE(controller.updaterController(), nullptr);
    EXPECT_EQ(controller.updaterController()->configuration().feedURL, QUrl(feed));
    ASSERT_EQ(logs.lines().size(), 1);
    EXPECT_EQ(logs.lines().first().category, LogCategory::UI);
    EXPECT_EQ(logs.lines().first().level, LogLevel::Info);
    EXPECT_TRUE(logs.lines().first().message.contains(QStringLiteral("package manager")));
}

TEST(BuildInfoTest, CarriesTheConfiguredVersionBuildAndFeed) {
    const QVariantMap& catalog = buildInfo();
    EXPECT_EQ(catalog.value(QStringLiteral("CFBundleShortVersionString")),
              QVariant(QStringLiteral(SORVU_EXPECTED_VERSION)));
    EXPECT_EQ(catalog.value(QStringLiteral("CFBundleVersion")), QVariant(QStringLiteral(SORVU_EXPECTED_BUILD_NUMBER)));
    EXPECT_EQ(catalog.value(QStringLiteral("SUFeedURL")), QVariant(QStringLiteral(SORVU_EXPECTED_FEED_URL)));
    EXPECT_EQ(catalog.value(QStringLiteral("SUPublicEDKey")).typeId(), QMetaType::QString);
}
