// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/InstalledReadme.h"
#include "app/BuildInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace sorvu;

namespace {

// An install prefix in a temporary folder whose name needs escaping in an address; and a checkout beside it.
class InstalledReadmeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_root.isValid());
        ASSERT_TRUE(QDir(m_root.path()).mkpath(QStringLiteral("prefix #1/bin")));
        ASSERT_TRUE(QDir(m_root.path()).mkpath(QStringLiteral("checkout")));
    }

    QString path(const QString& relative) const { return m_root.filePath(relative); }

    void create(const QString& relative) {
        ASSERT_TRUE(QDir(m_root.path()).mkpath(QFileInfo(path(relative)).path()));
        QFile file(path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("# Sorvu\n");
    }

    QUrl lookUp(const QString& fragment) const {
        return installedReadmeUrl(path(QStringLiteral("prefix #1/bin")), path(QStringLiteral("checkout/README.md")),
                                  fragment);
    }

    QTemporaryDir m_root;
};

TEST_F(InstalledReadmeTest, prefersTheInstalledCopyThenTheCheckoutsThenNamesTheInstalledPlace) {
    const QString installed = path(QStringLiteral("prefix #1/share/doc/sorvu/README.md"));

    // Neither is there: the address still says where the README belongs.
    EXPECT_EQ(lookUp({}), QUrl::fromLocalFile(installed));

    create(QStringLiteral("checkout/README.md"));
    EXPECT_EQ(lookUp({}), QUrl::fromLocalFile(path(QStringLiteral("checkout/README.md"))));

    create(QStringLiteral("prefix #1/share/doc/sorvu/README.md"));
    const QUrl url = lookUp(QStringLiteral("session-requirements"));
    EXPECT_TRUE(url.isLocalFile());
    EXPECT_EQ(url.toLocalFile(), installed);
    EXPECT_EQ(url.fragment(), QStringLiteral("session-requirements"));
    // The # in the folder's name is part of the path, not a second fragment.
    EXPECT_TRUE(
        url.toString(QUrl::FullyEncoded).endsWith("prefix%20%231/share/doc/sorvu/README.md#session-requirements"))
        << url.toString().toStdString();
    EXPECT_FALSE(lookUp({}).hasFragment());
}

TEST(InstalledReadme, aTestBuildFindsTheCheckoutsReadmeWithTheSectionsTheProgramLinksTo) {
    const QUrl url = installedReadmeUrl(QStringLiteral("session-requirements"));
    ASSERT_EQ(url.toLocalFile(), QStringLiteral(SORVU_EXPECTED_SOURCE_README));
    QFile readme(url.toLocalFile());
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    // A renamed heading would leave the program's links at the top of the page.
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^## Session requirements$"), QRegularExpression::MultilineOption)
                    .match(QString::fromUtf8(readme.readAll()))
                    .hasMatch());

    if (buildInfo().websiteUrl.isEmpty()) {
        EXPECT_EQ(websiteUrl(QStringLiteral("session-requirements")), url);
    } else {
        EXPECT_EQ(websiteUrl(QStringLiteral("session-requirements")),
                  QUrl(buildInfo().websiteUrl + QStringLiteral("#session-requirements")));
    }
}

} // namespace
