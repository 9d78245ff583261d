// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/XdgAutostart.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>

using namespace sorvu;

namespace {

// Runs each case against an autostart folder of its own.
class XdgAutostartTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_configHome.isValid());
        m_savedConfigHome = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_configHome.path()));
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", m_savedConfigHome); }

    QString entryPath() const { return m_configHome.filePath(QStringLiteral("autostart/sorvu.desktop")); }

    QByteArray entry() const {
        QFile file(entryPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void rewriteEntry(const QByteArray& from, const QByteArray& to) {
        QByteArray contents = entry();
        ASSERT_TRUE(contents.contains(from));
        contents.replace(from, to);
        QFile file(entryPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(contents);
    }

    QTemporaryDir m_configHome;
    QByteArray m_savedConfigHome;
};

TEST_F(XdgAutostartTest, registersTheRunningProgramAndUnregistersIt) {
    XdgAutostart service;
    EXPECT_EQ(XdgAutostart::entryPath(), entryPath());
    EXPECT_EQ(service.systemStatusValue(), 0);

    EXPECT_EQ(service.registerLoginItem(), std::nullopt);
    EXPECT_EQ(service.systemStatusValue(), 1);
    const QByteArray contents = entry();
    EXPECT_TRUE(contents.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(contents.contains("\nType=Application\n"));
    EXPECT_TRUE(contents.contains("\nExec=\"" + QFile::encodeName(QCoreApplication::applicationFilePath()) + "\"\n"))
        << contents.constData();

    EXPECT_EQ(service.unregisterLoginItem(), std::nullopt);
    EXPECT_FALSE(QFile::exists(entryPath()));
    EXPECT_EQ(service.systemStatusValue(), 0);
    // Nothing left to remove is no failure.
    EXPECT_EQ(service.unregisterLoginItem(), std::nullopt);
}

TEST_F(XdgAutostartTest, readsAnEntrySwitchedOffByTheDesktopAsNotRegistered) {
    XdgAutostart service;
    ASSERT_EQ(service.registerLoginItem(), std::nullopt);
    rewriteEntry("X-GNOME-Autostart-enabled=true", "X-GNOME-Autostart-enabled=false");
    EXPECT_EQ(service.systemStatusValue(), 0);

    rewriteEntry("X-GNOME-Autostart-enabled=false", "X-GNOME-Autostart-enabled=true\nHidden=true");
    EXPECT_EQ(service.systemStatusValue(), 0);

    // Registering again switches it back on.
    ASSERT_EQ(service.registerLoginItem(), std::nullopt);
    EXPECT_EQ(service.systemStatusValue(), 1);
}

TEST_F(XdgAutostartTest, findsAProgramWithAwkwardCharactersAndReportsItGone) {
    QTemporaryDir programs;
    const QString program = programs.filePath(QStringLiteral("my \"so$rvu\" 100% `x` back\\slash"));
    ASSERT_TRUE(QFile::copy(QCoreApplication::applicationFilePath(), program));
    XdgAutostart service(program);
    ASSERT_EQ(service.registerLoginItem(), std::nullopt);
    EXPECT_TRUE(entry().contains("100%%")) << entry().constData();
    EXPECT_EQ(service.systemStatusValue(), 1);

    ASSERT_TRUE(QFile::remove(program));
    EXPECT_EQ(service.systemStatusValue(), 3);
}

TEST_F(XdgAutostartTest, reportsAFolderThatCannotBeCreatedAsAPosixError) {
    const QString blocker = m_configHome.filePath(QStringLiteral("not-a-folder"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(blocker));

    const std::optional<SystemError> error = XdgAutostart().registerLoginItem();
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->domain, QStringLiteral("POSIX"));
    EXPECT_EQ(error->code, ENOTDIR);
}

TEST_F(XdgAutostartTest, fallsBackToTheHomeConfigFolder) {
    QTemporaryDir home;
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    qunsetenv("XDG_CONFIG_HOME");
    const QString path = XdgAutostart::entryPath();
    const std::optional<SystemError> error = XdgAutostart().registerLoginItem();
    qputenv("HOME", savedHome);

    EXPECT_EQ(path, home.filePath(QStringLiteral(".config/autostart/sorvu.desktop")));
    EXPECT_EQ(error, std::nullopt);
    EXPECT_TRUE(QFile::exists(path));
}

} // namespace
