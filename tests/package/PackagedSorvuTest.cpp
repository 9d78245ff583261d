// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program as the .deb ships it, unpacked into a folder of its own: it answers without a display and,
// started in a session with a panel, reaches the tray, with only the system's libraries and plugins; an
// autostart entry that an earlier Sorvu wrote under the old name then starts this program under the new one.

#include "tests/integration/support/ChildProcess.h"
#include "tests/integration/support/SorvuLaunch.h"
#include "tests/integration/support/SystemTray.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace sorvu::test;

namespace {

class PackagedSorvu : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_root.isValid());
        ASSERT_TRUE(m_home.isValid());
        const QStringList packages =
            QDir(QStringLiteral(SORVU_PACKAGE_DIRECTORY)).entryList({QStringLiteral("sorvu_*.deb")}, QDir::Files);
        ASSERT_EQ(packages.size(), 1) << "build the package first: " << packages.join(' ').toStdString();
        const QString package = QDir(QStringLiteral(SORVU_PACKAGE_DIRECTORY)).filePath(packages.first());
        const ChildProcess::Result unpacked = ChildProcess::run({"dpkg-deb", "-x", package, m_root.path()}, 60000);
        ASSERT_TRUE(unpacked.succeeded()) << unpacked.standardError.toStdString();
        ASSERT_TRUE(QFileInfo(program()).isExecutable());
    }

    void TearDown() override {
        if (m_sorvu) {
            m_sorvu->stop();
        }
        if (m_panel) {
            m_panel->stop();
        }
    }

    QString program() const { return m_root.filePath(QStringLiteral("usr/bin/sorvu")); }

    QTemporaryDir m_root;
    QTemporaryDir m_home;
    std::unique_ptr<ChildProcess> m_panel;
    std::unique_ptr<ChildProcess> m_sorvu;
};

TEST_F(PackagedSorvu, answersWithoutADisplayReachesTheTrayAndTakesOverTheOldAutostartEntry) {
    ChildProcess::Options withoutDisplay;
    withoutDisplay.environment = {{"DISPLAY", QByteArray()}, {"WAYLAND_DISPLAY", QByteArray()}};
    const ChildProcess::Result version = ChildProcess::run({program(), "--version"}, 10000, withoutDisplay);
    ASSERT_TRUE(version.succeeded()) << version.standardError.toStdString();
    EXPECT_EQ(version.standardOutput, "sorvu " SORVU_EXPECTED_VERSION " (build " SORVU_EXPECTED_BUILD_NUMBER ")\n");

    if (!trayHostRuns()) {
        m_panel = ChildProcess::start({"tint2"});
    }
    ASSERT_TRUE(waitUntil(trayHostRuns, 15000)) << "no tray host came up";
    const QString autostart = m_home.filePath(QStringLiteral("config/autostart"));
    ASSERT_TRUE(QDir().mkpath(autostart));
    QFile oldEntry(autostart + QStringLiteral("/sorvu.desktop"));
    ASSERT_TRUE(oldEntry.open(QIODevice::WriteOnly));
    oldEntry.write("[Desktop Entry]\nType=Application\nName=Sorvu\nExec=\"/home/someone/build/app/sorvu\"\n");
    oldEntry.close();

    m_sorvu = ChildProcess::start({program()}, sorvuLaunchOptions(m_home));
    ASSERT_TRUE(m_sorvu);
    EXPECT_TRUE(waitUntil(sorvuTrayIconShown, 20000)) << m_sorvu->standardError().toStdString();
    EXPECT_TRUE(m_sorvu->isRunning()) << m_sorvu->standardError().toStdString();

    EXPECT_FALSE(oldEntry.exists());
    QFile entry(autostart + QStringLiteral("/org.sorvu.Sorvu.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    EXPECT_TRUE(entry.readAll().contains("\nExec=\"" + QFile::encodeName(program()) + "\"\n"));
}

TEST_F(PackagedSorvu, theSixteenPixelIconIsDrawnOnItsGridWithoutBlur) {
    const QImage icon(m_root.filePath(QStringLiteral("usr/share/icons/hicolor/16x16/apps/org.sorvu.Sorvu.png")));
    ASSERT_EQ(icon.size(), QSize(16, 16));
    // A blurred edge is a pixel between the drawing and the background: partly transparent.
    int blurred = 0;
    int drawn = 0;
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x) {
            const int alpha = qAlpha(icon.pixel(x, y));
            blurred += alpha > 0 && alpha < 255 ? 1 : 0;
            drawn += alpha == 255 ? 1 : 0;
        }
    }
    EXPECT_EQ(blurred, 0);
    EXPECT_GT(drawn, 120) << "the board, its sheets and the arrow fill most of the square";
    // Its picture, eight times enlarged pixel by pixel, beside the README's screenshots.
    if (!qEnvironmentVariableIsEmpty("SORVU_SCREENSHOT_DIR")) {
        EXPECT_TRUE(icon.scaled(128, 128, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                        .save(qEnvironmentVariable("SORVU_SCREENSHOT_DIR") + QStringLiteral("/icon-16.png")));
    }
}

} // namespace
