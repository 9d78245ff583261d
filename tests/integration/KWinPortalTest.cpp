// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// KDE Plasma's road on the real thing: a headless KWin 5.27 with xdg-desktop-portal and its KDE backend. The
// shortcuts are bound through the GlobalShortcuts portal, then invoked through KWin's own shortcut service and
// pressed on a keyboard; the paste keystroke goes through the RemoteDesktop portal into a GTK 3 field.

#include "engine/EnumNames.h"
#include "platform/linux/PortalGlobalShortcuts.h"
#include "platform/linux/PortalRemoteDesktopKeystroke.h"
#include "tests/integration/support/DesktopSession.h"
#include "tests/integration/support/GtkTextView.h"
#include "tests/support/TestSupport.h"

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace sorvu;
using sorvu::test::ChildProcess;
using sorvu::test::lastTextOf;
using sorvu::test::waitUntil;

namespace {

TEST(KWinPortalTest, bindsBothShortcutsThroughThePortalAndFiresThemWhenInvokedOrPressed) {
    ASSERT_EQ(PortalGlobalShortcuts::offeredVersion(QDBusConnection::sessionBus()), 1u);
    PortalGlobalShortcuts shortcuts(QDBusConnection::sessionBus(),
                                    {{ShortcutAction::startStopCollecting, QStringLiteral("Start/Stop Collecting")},
                                     {ShortcutAction::pasteNext, QStringLiteral("Paste Next Item")}});
    QSignalSpy activated(&shortcuts, &GlobalShortcuts::activated);
    shortcuts.start();
    ASSERT_TRUE(waitUntil([&] { return shortcuts.state() == PortalGlobalShortcuts::State::bound; }, 10000))
        << caseName(shortcuts.state()).toStdString();
    // KDE describes the defaults in its own words.
    EXPECT_EQ(shortcuts.triggerDescription(ShortcutAction::startStopCollecting), QStringLiteral("Meta+Ctrl+C"));
    EXPECT_EQ(shortcuts.triggerDescription(ShortcutAction::pasteNext), QStringLiteral("Meta+Ctrl+V"));

    // KWin's shortcut service files them under the session's token, where the desktop's settings show them.
    for (const QString& id : {PortalGlobalShortcuts::pasteNextId, PortalGlobalShortcuts::toggleCollectingId}) {
        const QString error = sorvu::test::DesktopSession::invokeKdeShortcut(id);
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    }
    ASSERT_TRUE(waitUntil([&] { return activated.count() == 2; }));
    EXPECT_EQ(activated.at(0).at(0).value<ShortcutAction>(), ShortcutAction::pasteNext);
    EXPECT_EQ(activated.at(1).at(0).value<ShortcutAction>(), ShortcutAction::startStopCollecting);

    // And from the keyboard: Super+Ctrl+V pressed on a keyboard KWin knows (one lent by the RemoteDesktop portal).
    const ChildProcess::Result chord =
        ChildProcess::run({"/usr/bin/python3", SORVU_PORTAL_KEY_CHORD_SCRIPT, "125", "29", "47"}, 15000);
    ASSERT_TRUE(chord.succeeded()) << chord.standardError.constData();
    ASSERT_TRUE(waitUntil([&] { return activated.count() == 3; }));
    EXPECT_EQ(activated.at(2).at(0).value<ShortcutAction>(), ShortcutAction::pasteNext);
}

TEST(KWinPortalTest, pastesIntoAGtkFieldThroughTheRemoteDesktopPortalAtOnce) {
    std::unique_ptr<ChildProcess> field = ChildProcess::start({"/usr/bin/python3", SORVU_GTK_TEXT_VIEW_SCRIPT});
    ASSERT_TRUE(waitUntil([&] { return field->standardOutput().contains("focused"); }, 15000))
        << field->standardError().constData();

    QTemporaryDir settingsDirectory;
    PortalRemoteDesktopKeystroke keystroke(
        QDBusConnection::sessionBus(),
        std::make_shared<QSettings>(settingsDirectory.filePath(QStringLiteral("Sorvu.conf")), QSettings::IniFormat),
        KeyCodeForCharacter());
    QElapsedTimer sinceStart;
    sinceStart.start();
    keystroke.start();
    // An unsandboxed program is let in at once, with a notification.
    ASSERT_TRUE(waitUntil([&] { return keystroke.state() == RemoteDesktopKeystroke::State::ready; }, 10000))
        << caseName(keystroke.state()).toStdString();
    std::printf("KDE's RemoteDesktop portal: Start answered after %lld ms (portal version %u)\n",
                static_cast<long long>(sinceStart.elapsed()), keystroke.version());

    const QStringList texts{QStringLiteral("Grüße aus KWin ✓"), QStringLiteral(" und noch einmal")};
    QString expected;
    for (const QString& text : texts) {
        // KWin offers data-control, as the Wayland clipboard uses it.
        ASSERT_TRUE(test::waitUntil([&] { return ChildProcess::run({"wl-copy", text}, 5000).succeeded(); }, 5000));
        keystroke.post(PasteKeys::controlV);
        expected += text;
        ASSERT_TRUE(waitUntil([&] { return lastTextOf(*field) == expected; }, 10000))
            << lastTextOf(*field).toStdString();
    }
}

} // namespace
