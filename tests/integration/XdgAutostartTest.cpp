// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/XdgAutostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

    QString entryPath() const { return m_configHome.filePath(QStringLiteral("autostart/org.sorvu.Sorvu.desktop")); }
    QString oldEntryPath() const { return m_configHome.filePath(QStringLiteral("autostart/sorvu.desktop")); }

    QByteArray entry() const { return contentsOf(entryPath()); }

    static QByteArray contentsOf(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void writeFile(const QString& path, const QByteArray& contents) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(contents);
    }

    // An entry as the Sorvu of the old name wrote it, starting a build folder's program.
    static QByteArray oldSorvuEntry(const QByteArray& switchLines) {
        return "[Desktop Entry]\nType=Application\nName=Sorvu\nComment=Clipboard queue in the system tray\n"
               "Exec=\"/home/someone/sorvu/build/release/app/sorvu\"\nTerminal=false\n" +
               switchLines;
    }

    QByteArray runningProgramExecLine() const {
        return "\nExec=\"" + QFile::encodeName(QCoreApplication::applicationFilePath()) + "\"\n";
    }

    void rewriteEntry(const QByteArray& from, const QByteArray& to) {
        QByteArray contents = entry();
        ASSERT_TRUE(contents.contains(from));
        contents.replace(from, to);
        writeFile(entryPath(), contents);
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
    EXPECT_TRUE(contents.contains(runningProgramExecLine())) << contents.constData();

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

    EXPECT_EQ(path, home.filePath(QStringLiteral(".config/autostart/org.sorvu.Sorvu.desktop")));
    EXPECT_EQ(error, std::nullopt);
    EXPECT_TRUE(QFile::exists(path));
}

TEST_F(XdgAutostartTest, movesTheOldNamesEntryOnceToTheRunningProgramKeepingItsSwitch) {
    writeFile(oldEntryPath(), oldSorvuEntry("X-GNOME-Autostart-enabled=true\n"));
    XdgAutostart service;
    EXPECT_EQ(service.systemStatusValue(), 0);
    service.moveEntryOfOldName();
    EXPECT_FALSE(QFile::exists(oldEntryPath()));
    EXPECT_EQ(service.systemStatusValue(), 1);
    EXPECT_TRUE(entry().contains(runningProgramExecLine())) << entry().constData();
    EXPECT_TRUE(entry().contains("\nComment=Clipboard queue in the system tray\n")) << entry().constData();

    // Once moved, it is gone for good: switching off is not undone by the next start.
    ASSERT_EQ(service.unregisterLoginItem(), std::nullopt);
    service.moveEntryOfOldName();
    EXPECT_EQ(service.systemStatusValue(), 0);
    EXPECT_FALSE(QFile::exists(entryPath()));

    for (const QByteArray& switchedOff :
         {QByteArray("X-GNOME-Autostart-enabled=false\n"), QByteArray("Hidden=true\n")}) {
        writeFile(oldEntryPath(), oldSorvuEntry(switchedOff));
        service.moveEntryOfOldName();
        EXPECT_EQ(service.systemStatusValue(), 0) << switchedOff.constData();
        EXPECT_FALSE(QFile::exists(oldEntryPath()));
        EXPECT_TRUE(entry().contains("\n" + switchedOff)) << entry().constData();
        EXPECT_TRUE(entry().contains(runningProgramExecLine())) << entry().constData();
        ASSERT_TRUE(QFile::remove(entryPath()));
    }
}

TEST_F(XdgAutostartTest, leavesAnotherProgramsEntryOfTheOldNameAlone) {
    const QList<QByteArray> others = {
        "[Desktop Entry]\nType=Application\nName=Sorvu Sync\nExec=/usr/bin/sorvu\n",
        "[Desktop Entry]\nType=Application\nName=Sorvu\nExec=/usr/bin/sorvu-sync --daemon\n",
        "[Desktop Entry]\nType=Application\nName=Sorvu\n",
    };
    for (const QByteArray& other : others) {
        writeFile(oldEntryPath(), other);
        XdgAutostart().moveEntryOfOldName();
        EXPECT_EQ(XdgAutostart().systemStatusValue(), 0) << other.constData();
        EXPECT_EQ(contentsOf(oldEntryPath()), other);
        EXPECT_FALSE(QFile::exists(entryPath()));
    }
}

TEST_F(XdgAutostartTest, anEntryOfTheNewNameWinsOverTheOldOne) {
    ASSERT_EQ(XdgAutostart().registerLoginItem(), std::nullopt);
    rewriteEntry("X-GNOME-Autostart-enabled=true", "X-GNOME-Autostart-enabled=false");
    const QByteArray newer = entry();
    writeFile(oldEntryPath(), oldSorvuEntry("X-GNOME-Autostart-enabled=true\n"));

    XdgAutostart().moveEntryOfOldName();
    EXPECT_EQ(XdgAutostart().systemStatusValue(), 0);
    EXPECT_EQ(entry(), newer);
    EXPECT_FALSE(QFile::exists(oldEntryPath()));
}

} // namespace
