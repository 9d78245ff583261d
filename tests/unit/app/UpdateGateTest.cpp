// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

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

BuildInfo information(const QString& feedURL, const QString& publicKey) {
    return BuildInfo{QStringLiteral("1.0"), QStringLiteral("7"), feedURL, publicKey, {}};
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

TEST(UpdateFeedConfigurationTest, RefusesFeedsThatAreNotExactlyHttps) {
    const QString key = keyOfLength(32);
    for (const QString& refused :
         {QStringLiteral("http://updates.example.org/appcast.xml"),
          QStringLiteral("HTTPS://updates.example.org/appcast.xml"),
          QStringLiteral("Https://updates.example.org/appcast.xml"), QStringLiteral("updates.example.org/appcast.xml"),
          QStringLiteral("https://updates.example.org/app cast.xml"), QString()}) {
        EXPECT_FALSE(UpdateFeedConfiguration::fromBuildInfo(information(refused, key))) << refused.toStdString();
    }
}

TEST(UpdateFeedConfigurationTest, RefusesKeysThatAreNotStrictBase64ForThirtyTwoBytes) {
    const QString key = keyOfLength(32);
    QString urlSafe = key;
    urlSafe.replace(QLatin1Char('+'), QLatin1Char('-')).replace(QLatin1Char('/'), QLatin1Char('_'));
    ASSERT_NE(urlSafe, key);
    QString unpadded = key;
    unpadded.remove(QLatin1Char('='));

    for (const QString& refused :
         {keyOfLength(31), keyOfLength(33), keyOfLength(0), urlSafe, unpadded,
          key.left(20) + QLatin1Char('\n') + key.mid(20), key + QLatin1Char(' '), QLatin1Char(' ') + key,
          key.left(40) + QStringLiteral("=AA="), key.left(43) + QStringLiteral("é"), QString()}) {
        EXPECT_FALSE(UpdateFeedConfiguration::fromBuildInfo(information(feed, refused))) << refused.toStdString();
    }
}

TEST(UpdateControllerTest, CreatesTheUpdaterOnlyWhenTheGatePassesAndIsSilentOtherwise) {
    LogCapture logs;
    EXPECT_EQ(UpdateController(BuildInfo{}).updaterController(), nullptr);
    EXPECT_EQ(UpdateController(information(QStringLiteral("http://x.example/a"), keyOfLength(32))).updaterController(),
              nullptr);
    EXPECT_EQ(UpdateController(information(feed, keyOfLength(33))).updaterController(), nullptr);
    EXPECT_TRUE(logs.lines().isEmpty());

    const UpdateController controller(information(feed, keyOfLength(32)));
    ASSERT_NE(controller.updaterController(), nullptr);
    EXPECT_EQ(controller.updaterController()->configuration().feedURL, QUrl(feed));
    ASSERT_EQ(logs.lines().size(), 1);
    EXPECT_EQ(logs.lines().first().category, "sorvu.UI");
    EXPECT_EQ(logs.lines().first().type, QtInfoMsg);
    EXPECT_TRUE(logs.lines().first().message.contains(QStringLiteral("package manager")));
}

TEST(BuildInfoTest, CarriesTheConfiguredVersionBuildFeedAndWebsite) {
    EXPECT_EQ(buildInfo().version, QStringLiteral(SORVU_EXPECTED_VERSION));
    EXPECT_EQ(buildInfo().buildNumber, QStringLiteral(SORVU_EXPECTED_BUILD_NUMBER));
    EXPECT_EQ(buildInfo().updateFeedUrl, QStringLiteral(SORVU_EXPECTED_FEED_URL));
    EXPECT_EQ(buildInfo().websiteUrl, QStringLiteral(SORVU_EXPECTED_WEBSITE_URL));
}
