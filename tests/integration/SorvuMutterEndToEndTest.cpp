// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The real program on GNOME's compositor: a headless mutter 43 with XWayland, which offers no data-control, so that
// Sorvu runs on its X11 side. Copies made by a Wayland GTK program are collected through XWayland; pastes reach a
// Wayland GTK field through mutter's own remote-desktop service; and the settings' button writes GNOME's custom
// shortcuts into the session's own settings store (dconf, under its private configuration folder), keeping the one
// the user had, as gsettings reads them back.

#include "platform/linux/GnomeCustomShortcuts.h"
#include "tests/integration/support/DesktopSession.h"
#include "tests/integration/support/GtkTextView.h"
#include "tests/support/TestSupport.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace sorvu;
using sorvu::test::ChildProcess;
using sorvu::test::DesktopSession;
using sorvu::test::lastTextOf;
using sorvu::test::waitUntil;

namespace {

const QString schema = GnomeCustomShortcuts::schema;

// An X11 client of the session's XWayland that is also a Wayland session's program (WAYLAND_DISPLAY is set).
ChildProcess::Options onXWayland(QHash<QByteArray, QByteArray> environment = {}) {
    ChildProcess::Options options = DesktopSession::current()->x11Client();
    options.environment.insert(environment);
    return options;
}

ChildProcess::Result gsettings(const QStringList& arguments) {
    return ChildProcess::run(QStringList{"gsettings"} + arguments, 10000);
}

QString gsettingsValue(const QString& path, const QString& key) {
    return QString::fromUtf8(
        gsettings({"get", schema + QStringLiteral(".custom-keybinding:") + path, key}).standardOutput.trimmed());
}

class SorvuOnMutter : public ::testing::Test {
protected:
    void SetUp() override {
        m_accessibilityBus = ChildProcess::start({"/usr/libexec/at-spi-bus-launcher", "--launch-immediately"});
        ASSERT_TRUE(m_accessibilityBus);
        m_sorvu = ChildProcess::start({SORVU_PROGRAM}, onXWayland({{"QT_LOGGING_RULES", "sorvu.*.debug=true"},
                                                                   {"SORVU_LOG_STDERR", "1"},
                                                                   {"QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1"}}));
        ASSERT_TRUE(m_sorvu);
        ASSERT_TRUE(waitUntil([&] { return status().contains("collecting="); }, 20000)) << log().toStdString();
    }

    void TearDown() override {
        command("--quit");
        if (m_sorvu && !m_sorvu->waitForExit(5000)) {
            ADD_FAILURE() << "sorvu did not quit";
        }
        for (auto* program : {&m_copier, &m_field, &m_accessibilityBus}) {
            if (*program) {
                (*program)->stop();
            }
        }
    }

    QString log() const { return QString::fromUtf8(m_sorvu ? m_sorvu->standardError() : QByteArray()); }
    bool logSays(const QString& line) const {
        return waitUntil([&] { return log().contains(line); }, 10000);
    }
    // Commands reach the Sorvu of the same X display.
    static ChildProcess::Result command(const QString& option) {
        return ChildProcess::run({SORVU_PROGRAM, option}, 5000, onXWayland());
    }
    static QByteArray status() { return command(QStringLiteral("--status")).standardOutput; }
    static bool statusIs(const QByteArray& expected) {
        return waitUntil([&] { return status() == expected; }, 10000);
    }

    std::unique_ptr<ChildProcess> m_accessibilityBus;
    std::unique_ptr<ChildProcess> m_sorvu;
    std::unique_ptr<ChildProcess> m_copier;
    std::unique_ptr<ChildProcess> m_field;
};

TEST_F(SorvuOnMutter, CollectsWaylandCopiesThroughXWaylandAndPastesIntoAWaylandFieldThroughMutter) {
    EXPECT_TRUE(log().contains("platform chosen name=x11")) << log().toStdString();
    EXPECT_TRUE(log().contains("platform passed over name=wayland")) << log().toStdString();
    // The keyboard is lent at the start; GNOME 43 holds no shortcuts for programs.
    ASSERT_TRUE(logSays("remote desktop keyboard road=mutter state=ready")) << log().toStdString();
    ASSERT_TRUE(logSays("global shortcuts portal state=absent")) << log().toStdString();

    ASSERT_TRUE(command(QStringLiteral("--toggle-collecting")).succeeded());
    const QString first = QStringLiteral("Grüße aus GNOME ✓\n\tzwei");
    const QString second = QStringLiteral(" & <b>drei</b> 日本語");
    m_copier = ChildProcess::start({"/usr/bin/python3", SORVU_GTK_COPIER_SCRIPT, first, second});
    ASSERT_TRUE(waitUntil([&] { return m_copier->standardOutput().contains("copied 2"); }, 15000))
        << m_copier->standardError().constData();
    ASSERT_TRUE(statusIs("collecting=true\nqueueCount=2\n")) << log().toStdString();
    m_copier->stop();

    m_field = ChildProcess::start({"/usr/bin/python3", SORVU_GTK_TEXT_VIEW_SCRIPT});
    ASSERT_TRUE(waitUntil([&] { return m_field->standardOutput().contains("focused"); }, 15000))
        << m_field->standardError().constData();
    ASSERT_TRUE(command(QStringLiteral("--paste-next")).succeeded());
    ASSERT_TRUE(waitUntil([&] { return lastTextOf(*m_field) == first; }, 10000))
        << lastTextOf(*m_field).toStdString() << log().toStdString();
    ASSERT_TRUE(command(QStringLiteral("--paste-next")).succeeded());
    ASSERT_TRUE(waitUntil([&] { return lastTextOf(*m_field) == first + second; }, 10000))
        << lastTextOf(*m_field).toStdString() << log().toStdString();
    EXPECT_TRUE(statusIs("collecting=false\nqueueCount=0\n"));
    test::runEventLoopFor(300);
    EXPECT_EQ(lastTextOf(*m_field), first + second) << "nothing but the pastes arrived";
}

TEST_F(SorvuOnMutter, TheSettingsButtonWritesGnomesCustomShortcutsAndKeepsTheUsersOwn) {
    const QString own = GnomeCustomShortcuts::basePath + QStringLiteral("custom0/");
    ASSERT_TRUE(gsettings({"set", schema + QStringLiteral(".custom-keybinding:") + own, "command", "gedit"}).succeeded());
    ASSERT_TRUE(gsettings({"set", schema, "custom-keybindings", "['" + own + "']"}).succeeded());

    ASSERT_TRUE(command(QStringLiteral("--show")).succeeded());
    const ChildProcess::Result pressed = ChildProcess::run(
        {"/usr/bin/python3", SORVU_PRESS_BUTTONS_SCRIPT, "sorvu", "Settings", "Add Shortcuts to GNOME"}, 30000);
    ASSERT_TRUE(pressed.succeeded()) << pressed.standardError.constData() << log().toStdString();
    ASSERT_TRUE(logSays("gnome custom shortcuts written")) << log().toStdString();

    const QString list = QString::fromUtf8(gsettings({"get", schema, "custom-keybindings"}).standardOutput.trimmed());
    EXPECT_EQ(GnomeCustomShortcuts::pathsOfList(list),
              (QStringList{own, GnomeCustomShortcuts::collectingPath, GnomeCustomShortcuts::pastePath}));
    const QString program = QFileInfo(QStringLiteral(SORVU_PROGRAM)).canonicalFilePath();
    EXPECT_EQ(gsettingsValue(GnomeCustomShortcuts::pastePath, "command"), "'" + program + " --paste-next'");
    EXPECT_EQ(gsettingsValue(GnomeCustomShortcuts::pastePath, "binding"), "'<Control><Super>v'");
    EXPECT_EQ(gsettingsValue(GnomeCustomShortcuts::collectingPath, "command"), "'" + program + " --toggle-collecting'");
    EXPECT_EQ(gsettingsValue(GnomeCustomShortcuts::collectingPath, "binding"), "'<Control><Super>c'");
    EXPECT_EQ(gsettingsValue(own, "command"), "'gedit'");

    // Pressed again, nothing is added twice.
    ASSERT_TRUE(ChildProcess::run({"/usr/bin/python3", SORVU_PRESS_BUTTONS_SCRIPT, "sorvu", "Add Shortcuts to GNOME"},
                                  30000)
                    .succeeded());
    ASSERT_TRUE(waitUntil([&] { return log().count("gnome custom shortcuts written") == 2; }, 10000));
    EXPECT_EQ(QString::fromUtf8(gsettings({"get", schema, "custom-keybindings"}).standardOutput.trimmed()), list);
}

} // namespace
