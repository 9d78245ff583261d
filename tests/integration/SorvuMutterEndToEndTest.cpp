// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The real program on GNOME's compositor: a headless mutter 43 with XWayland, which offers no data-control, so that
// Sorvu runs on its X11 side. Copies made by a Wayland GTK program are collected through XWayland, and the copy mutter
// keeps when a program quits is not collected again; pastes reach a Wayland GTK field through mutter's own
// remote-desktop service, from the command line and from the popup; and GNOME's custom shortcuts, as the settings'
// button writes them, land in the session's own settings store (dconf, under its private configuration folder),
// keeping the one the user had, as gsettings reads them back.

#include "platform/linux/GnomeCustomShortcuts.h"
#include "tests/integration/support/DesktopSession.h"
#include "tests/integration/support/GtkTextView.h"
#include "tests/support/TestSupport.h"

#include <optional>

#include <vector>

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
        m_sorvu = ChildProcess::start(
            {SORVU_PROGRAM}, onXWayland({{"QT_LOGGING_RULES", "sorvu.*.debug=true"}, {"SORVU_LOG_STDERR", "1"}}));
        ASSERT_TRUE(m_sorvu);
        ASSERT_TRUE(waitUntil([&] { return status().contains("collecting="); }, 20000)) << log().toStdString();
    }

    void TearDown() override {
        command("--quit");
        if (m_sorvu && !m_sorvu->waitForExit(5000)) {
            ADD_FAILURE() << "sorvu did not quit";
        }
        for (auto* program : {&m_field}) {
            if (*program) {
                (*program)->stop();
            }
        }
        for (const auto& copier : m_copiers) {
            copier->stop();
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

    std::unique_ptr<ChildProcess> m_sorvu;
    std::vector<std::unique_ptr<ChildProcess>> m_copiers;
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
    // One Wayland program copies one thing after another, the same text twice, and a picture.
    m_copiers.push_back(
        ChildProcess::start({"/usr/bin/python3", SORVU_GTK_COPIER_SCRIPT, first, second, second, "--image"}));
    ChildProcess& copier = *m_copiers.back();
    ASSERT_TRUE(waitUntil([&] { return copier.standardOutput().contains("copied 4"); }, 15000))
        << copier.standardError().constData();
    ASSERT_TRUE(statusIs("collecting=true\nqueueCount=4\n")) << log().toStdString();
    // When it quits, mutter takes its last copy over, the picture in one of its types: kept, not copied.
    copier.stop();
    ASSERT_TRUE(logSays("copy kept by the desktop")) << log().toStdString();
    // So does it when an X11 program's copy ends with the program.
    {
        ChildProcess::Options options = onXWayland();
        options.input = "vier";
        const auto xclip = ChildProcess::start({"xclip", "-selection", "clipboard", "-quiet"}, options);
        ASSERT_TRUE(statusIs("collecting=true\nqueueCount=5\n")) << log().toStdString();
    }
    ASSERT_TRUE(waitUntil([&] { return log().count("copy kept by the desktop") == 2; }, 10000)) << log().toStdString();
    EXPECT_EQ(status(), "collecting=true\nqueueCount=5\n");

    m_field = ChildProcess::start({"/usr/bin/python3", SORVU_GTK_TEXT_VIEW_SCRIPT});
    ASSERT_TRUE(waitUntil([&] { return m_field->standardOutput().contains("focused"); }, 15000))
        << m_field->standardError().constData();
    // Asked for one right after another: each keystroke waits until mutter has taken its entry up, and each
    // entry until the one before was pasted.
    for (int paste = 0; paste < 3; ++paste) {
        ASSERT_TRUE(command(QStringLiteral("--paste-next")).succeeded());
    }
    ASSERT_TRUE(waitUntil([&] { return lastTextOf(*m_field) == first + second + second; }, 10000))
        << lastTextOf(*m_field).toStdString() << log().toStdString();
    EXPECT_EQ(log().count("paste keystroke after hand-over takenUp=true"), 3) << log().toStdString();
    EXPECT_TRUE(statusIs("collecting=true\nqueueCount=2\n"));
    test::runEventLoopFor(300);
    EXPECT_EQ(lastTextOf(*m_field), first + second + second) << "nothing but the pastes arrived";
}

TEST_F(SorvuOnMutter, ThePopupStepsAsideForItsPasteAndMutterGivesTheFieldTheKeyboardBack) {
    ASSERT_TRUE(logSays("remote desktop keyboard road=mutter state=ready")) << log().toStdString();
    ASSERT_TRUE(command(QStringLiteral("--toggle-collecting")).succeeded());
    ChildProcess::Options options = onXWayland();
    options.input = QStringLiteral("aus dem Popup ✓").toUtf8();
    const auto xclip = ChildProcess::start({"xclip", "-selection", "clipboard", "-quiet"}, options);
    ASSERT_TRUE(statusIs("collecting=true\nqueueCount=1\n")) << log().toStdString();
    m_field = ChildProcess::start({"/usr/bin/python3", SORVU_GTK_TEXT_VIEW_SCRIPT});
    ASSERT_TRUE(waitUntil([&] { return m_field->standardOutput().contains("focused"); }, 15000))
        << m_field->standardError().constData();

    // No tray on GNOME: the popup comes from the command the desktop's shortcut runs.
    ASSERT_TRUE(command(QStringLiteral("--show")).succeeded());
    ASSERT_TRUE(waitUntil([&] { return m_field->standardOutput().contains("focus lost"); }, 10000))
        << "the popup never took the keyboard: " << log().toStdString();
    // Enter is its Paste button.
    const ChildProcess::Result enter =
        ChildProcess::run({"/usr/bin/python3", SORVU_MUTTER_KEY_CHORD_SCRIPT, QStringLiteral("28")}, 15000);
    ASSERT_TRUE(enter.succeeded()) << enter.standardError.constData();
    ASSERT_TRUE(waitUntil([&] { return lastTextOf(*m_field) == QStringLiteral("aus dem Popup ✓"); }, 10000))
        << lastTextOf(*m_field).toStdString() << log().toStdString();
    EXPECT_TRUE(log().contains("popover close requested reason=pasteHandOff")) << log().toStdString();
    EXPECT_TRUE(statusIs("collecting=false\nqueueCount=0\n"));
}

// What the settings' button runs, against the session's own settings store.
TEST(GnomeCustomShortcutsOnMutter, AreWrittenIntoTheSettingsStoreKeepingTheUsersOwnAndNeverTwice) {
    const QString own = GnomeCustomShortcuts::basePath + QStringLiteral("custom0/");
    ASSERT_TRUE(
        gsettings({"set", schema + QStringLiteral(".custom-keybinding:") + own, "command", "gedit"}).succeeded());
    ASSERT_TRUE(gsettings({"set", schema, "custom-keybindings", "['" + own + "']"}).succeeded());

    const QString program = QStringLiteral(SORVU_PROGRAM);
    GnomeCustomShortcuts shortcuts(program);
    const auto write = [&] {
        std::optional<bool> written;
        shortcuts.write([&](bool outcome) { written = outcome; });
        EXPECT_TRUE(waitUntil([&] { return written.has_value(); }, 20000));
        return written.value_or(false);
    };
    ASSERT_TRUE(write());

    const QString list = QString::fromUtf8(gsettings({"get", schema, "custom-keybindings"}).standardOutput.trimmed());
    EXPECT_EQ(GnomeCustomShortcuts::pathsOfList(list),
              (QStringList{own, GnomeCustomShortcuts::collectingPath, GnomeCustomShortcuts::pastePath}));
    EXPECT_EQ(gsettingsValue(GnomeCustomShortcuts::pastePath, "command"), "'" + program + " --paste-next'");
    EXPECT_EQ(gsettingsValue(GnomeCustomShortcuts::pastePath, "binding"), "'<Control><Super>v'");
    EXPECT_EQ(gsettingsValue(GnomeCustomShortcuts::collectingPath, "command"), "'" + program + " --toggle-collecting'");
    EXPECT_EQ(gsettingsValue(GnomeCustomShortcuts::collectingPath, "binding"), "'<Control><Super>c'");
    EXPECT_EQ(gsettingsValue(own, "command"), "'gedit'");

    // Written again, nothing is added twice.
    ASSERT_TRUE(write());
    EXPECT_EQ(QString::fromUtf8(gsettings({"get", schema, "custom-keybindings"}).standardOutput.trimmed()), list);
}

} // namespace
