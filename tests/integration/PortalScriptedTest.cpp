// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The portals as desktops that cannot run here answer: GNOME's consent dialog, a portal that remembers it, the
// current form of GlobalShortcuts, sessions the desktop closes, and no portal at all. The portal is a script on
// the session's bus that prints every call it gets.

#include "engine/EnumNames.h"
#include "platform/linux/DesktopShortcuts.h"
#include "platform/linux/MutterRemoteDesktopKeystroke.h"
#include "platform/linux/PortalGlobalShortcuts.h"
#include "platform/linux/PortalRemoteDesktopKeystroke.h"
#include "platform/linux/RemoteDesktopPasteOutput.h"
#include "tests/integration/support/DesktopSession.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TestSupport.h"
#include "views/StatusNotices.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace sorvu;
using sorvu::test::ChildProcess;
using sorvu::test::DesktopSession;
using sorvu::test::waitUntil;
using State = RemoteDesktopKeystroke::State;
using ShortcutsState = PortalGlobalShortcuts::State;

namespace {

const QHash<ShortcutAction, QString> descriptions{{ShortcutAction::startStopCollecting, "Start/Stop Collecting"},
                                                  {ShortcutAction::pasteNext, "Paste Next Item"}};

class PortalScriptedTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (m_portal) {
            m_portal->stop();
        }
    }

    // Starts the scripted portal with these options and waits until it owns the portal's name.
    void startPortal(const QStringList& arguments) {
        m_portal = ChildProcess::start(QStringList{"/usr/bin/python3", SORVU_SCRIPTED_PORTAL_SCRIPT} + arguments);
        ASSERT_TRUE(m_portal);
        ASSERT_TRUE(waitUntil(
            [&] { return m_portal->standardOutput().startsWith("ready\n") || !m_portal->isRunning(); }, 10000));
        ASSERT_TRUE(DesktopSession::current()->waitForBusName(QStringLiteral("org.freedesktop.portal.Desktop"),
                                                              QDeadlineTimer(5000)))
            << m_portal->standardError().constData();
    }

    // The calls the portal got whose line starts with the prefix, without "call ".
    QStringList calls(const QString& prefix) const {
        QStringList found;
        for (const QByteArray& line : m_portal->standardOutput().split('\n')) {
            if (line.startsWith("call " + prefix.toUtf8())) {
                found.append(QString::fromUtf8(line.mid(5)));
            }
        }
        return found;
    }

    QStringList keysPosted() const {
        QStringList keys = calls(QStringLiteral("RemoteDesktop.NotifyKeyboardKeycode"));
        keys.replaceInStrings(QStringLiteral("RemoteDesktop.NotifyKeyboardKeycode "), QString());
        return keys;
    }

    void control(const QString& method, const QVariantList& arguments = {}) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(QStringLiteral("org.sorvu.test.ScriptedPortal"), QStringLiteral("/control"),
                                           QStringLiteral("org.sorvu.test.ScriptedPortal"), method);
        call.setArguments(arguments);
        const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 3000);
        ASSERT_NE(reply.type(), QDBusMessage::ErrorMessage) << reply.errorMessage().toStdString();
    }

    std::shared_ptr<QSettings> settings() {
        return std::make_shared<QSettings>(m_settingsDirectory.filePath(QStringLiteral("Sorvu.conf")),
                                           QSettings::IniFormat);
    }

    std::unique_ptr<PortalRemoteDesktopKeystroke> makeKeystroke() {
        return std::make_unique<PortalRemoteDesktopKeystroke>(QDBusConnection::sessionBus(), settings(),
                                                              KeyCodeForCharacter());
    }

    static bool reaches(RemoteDesktopKeystroke& keystroke, State state) {
        return waitUntil([&] { return keystroke.state() == state; }, 5000);
    }

    std::unique_ptr<ChildProcess> m_portal;
    QTemporaryDir m_settingsDirectory;
};

const QStringList wakeKey{"keycode=240 state=1", "keycode=240 state=0"};
const QStringList controlV{"keycode=29 state=1", "keycode=47 state=1", "keycode=47 state=0", "keycode=29 state=0"};

TEST_F(PortalScriptedTest, globalShortcutsBoundTheCurrentWayFireAndFollowTheDesktopUntilItClosesTheSession) {
    startPortal({"--global-shortcuts", "bind"});
    ASSERT_EQ(PortalGlobalShortcuts::offeredVersion(QDBusConnection::sessionBus()), 1u);
    test::LogCapture log;
    PortalGlobalShortcuts shortcuts(QDBusConnection::sessionBus(), descriptions);
    QSignalSpy activated(&shortcuts, &GlobalShortcuts::activated);
    QSignalSpy triggersChanged(&shortcuts, &PortalGlobalShortcuts::triggersChanged);
    shortcuts.start();
    ASSERT_TRUE(waitUntil([&] { return shortcuts.state() == ShortcutsState::bound; }))
        << caseName(shortcuts.state()).toStdString();

    // Offered with the session and bound with BindShortcuts, the defaults as preferred triggers.
    const QString offered = QStringLiteral("[(toggle-collecting,{description:Start/Stop Collecting,preferred_trigger:"
                                           "CTRL+LOGO+c}),(paste-next,{description:Paste Next Item,preferred_trigger:"
                                           "CTRL+LOGO+v})]");
    EXPECT_EQ(calls("GlobalShortcuts.CreateSession"),
              QStringList{"GlobalShortcuts.CreateSession session_handle_token=sorvu shortcuts=" + offered});
    EXPECT_EQ(calls("GlobalShortcuts.BindShortcuts"),
              QStringList{"GlobalShortcuts.BindShortcuts shortcuts=" + offered});
    EXPECT_EQ(shortcuts.triggerDescription(ShortcutAction::startStopCollecting), QStringLiteral("Ctrl+Super+C"));
    EXPECT_EQ(shortcuts.triggerDescription(ShortcutAction::pasteNext), QStringLiteral("Ctrl+Super+V"));
    EXPECT_EQ(triggersChanged.count(), 1);

    control(QStringLiteral("Activate"), {QStringLiteral("paste-next")});
    control(QStringLiteral("Activate"), {QStringLiteral("toggle-collecting")});
    ASSERT_TRUE(waitUntil([&] { return activated.count() == 2; }));
    EXPECT_EQ(activated.at(0).at(0).value<ShortcutAction>(), ShortcutAction::pasteNext);
    EXPECT_EQ(activated.at(1).at(0).value<ShortcutAction>(), ShortcutAction::startStopCollecting);

    // The user gives paste-next other keys in the desktop's settings.
    control(QStringLiteral("ChangeTrigger"), {QStringLiteral("paste-next"), QStringLiteral("ALT+p")});
    ASSERT_TRUE(waitUntil([&] { return triggersChanged.count() == 2; }));
    EXPECT_EQ(shortcuts.triggerDescription(ShortcutAction::pasteNext), QStringLiteral("ALT+p"));

    // The desktop ends the session: a state and a warning, and nothing fires any more.
    control(QStringLiteral("CloseSessions"));
    ASSERT_TRUE(waitUntil([&] { return shortcuts.state() == ShortcutsState::closed; }));
    EXPECT_FALSE(log.messagesStartingWith(QStringLiteral("global shortcuts portal state=closed")).isEmpty());
    EXPECT_EQ(log.lines().constLast().type, QtWarningMsg);
}

TEST_F(PortalScriptedTest, globalShortcutsTakenWithTheSessionAsPlasma527DoAreNeverBoundAgain) {
    startPortal({"--global-shortcuts", "session"});
    PortalGlobalShortcuts shortcuts(QDBusConnection::sessionBus(), descriptions);
    QSignalSpy activated(&shortcuts, &GlobalShortcuts::activated);
    shortcuts.start();
    ASSERT_TRUE(waitUntil([&] { return shortcuts.state() == ShortcutsState::bound; }));
    EXPECT_EQ(shortcuts.triggerDescription(ShortcutAction::pasteNext), QStringLiteral("Ctrl+Super+V"));
    // There, BindShortcuts would open the desktop's shortcut settings in the user's face.
    test::runEventLoopFor(200);
    EXPECT_TRUE(calls("GlobalShortcuts.BindShortcuts").isEmpty());
    control(QStringLiteral("Activate"), {QStringLiteral("toggle-collecting")});
    ASSERT_TRUE(waitUntil([&] { return activated.count() == 1; }));
    EXPECT_EQ(activated.at(0).at(0).value<ShortcutAction>(), ShortcutAction::startStopCollecting);
}

TEST_F(PortalScriptedTest, globalShortcutsAbsentOrRefusedAreStatesWithALogLine) {
    // No portal process at all, then a portal without the interface, then one that says no.
    EXPECT_EQ(PortalGlobalShortcuts::offeredVersion(QDBusConnection::sessionBus()), std::nullopt);
    startPortal({"--global-shortcuts", "none"});
    EXPECT_EQ(PortalGlobalShortcuts::offeredVersion(QDBusConnection::sessionBus()), std::nullopt);
    test::LogCapture log;
    {
        PortalGlobalShortcuts shortcuts(QDBusConnection::sessionBus(), descriptions);
        shortcuts.start();
        EXPECT_TRUE(waitUntil([&] { return shortcuts.state() == ShortcutsState::absent; }))
            << caseName(shortcuts.state()).toStdString();
    }
    m_portal->stop();
    startPortal({"--global-shortcuts", "bind", "--shortcuts-answer", "refuse"});
    PortalGlobalShortcuts shortcuts(QDBusConnection::sessionBus(), descriptions);
    shortcuts.start();
    EXPECT_TRUE(waitUntil([&] { return shortcuts.state() == ShortcutsState::refused; }));
    EXPECT_EQ(
        log.messagesStartingWith(QStringLiteral("global shortcuts portal state=absent step=CreateSession")).size(), 1)
        << log.messages().join('\n').toStdString();
    EXPECT_EQ(
        log.messagesStartingWith(QStringLiteral("global shortcuts portal state=refused step=BindShortcuts")).size(), 1);
}

TEST_F(PortalScriptedTest, remoteDesktopWaitsForTheUsersConsentThenTypesEvdevKeysAfterAWakeKey) {
    startPortal({"--remote-desktop-version", "1", "--start", "wait"});
    std::unique_ptr<PortalRemoteDesktopKeystroke> keystroke = makeKeystroke();
    EXPECT_EQ(keystroke->state(), State::notStarted);
    keystroke->start();
    ASSERT_TRUE(reaches(*keystroke, State::waitingForConsent));
    // GNOME 43's portal cannot remember the answer: no persist mode and no token are asked for.
    EXPECT_EQ(calls("RemoteDesktop.SelectDevices"), QStringList{"RemoteDesktop.SelectDevices types=1"});
    EXPECT_FALSE(keystroke->canPostKeys());
    EXPECT_FALSE(keystroke->canPost(PasteKeys::controlV));
    keystroke->post(PasteKeys::controlV);

    control(QStringLiteral("Answer"), {0u});
    ASSERT_TRUE(reaches(*keystroke, State::ready));
    EXPECT_TRUE(keystroke->canPost(PasteKeys::controlV));
    // Asked for at once, the keystroke waits until the keyboard has settled: the wake key goes first.
    keystroke->post(PasteKeys::controlV);
    keystroke->post(PasteKeys::controlShiftV);
    keystroke->post(PasteKeys::shiftInsert);
    const QStringList expected =
        wakeKey + controlV + QStringList{"keycode=29 state=1", "keycode=42 state=1",  "keycode=47 state=1",
                                         "keycode=47 state=0", "keycode=42 state=0",  "keycode=29 state=0",
                                         "keycode=42 state=1", "keycode=110 state=1", "keycode=110 state=0",
                                         "keycode=42 state=0"};
    ASSERT_TRUE(waitUntil([&] { return keysPosted().size() >= expected.size(); }))
        << keysPosted().join('\n').toStdString();
    EXPECT_EQ(keysPosted(), expected);
    EXPECT_EQ(settings()->value(PortalRemoteDesktopKeystroke::restoreTokenKey), QVariant());

    // Where the user's layout types "v" on another key (Dvorak: XKB key 60), that key is pressed.
    const PortalRemoteDesktopKeystroke dvorak(QDBusConnection::sessionBus(), settings(), [](const QString& text) {
        return text == QLatin1String("v") ? std::optional<quint16>(60) : std::nullopt;
    });
    EXPECT_EQ(dvorak.keyEvents(PasteKeys::controlV),
              (QList<RemoteDesktopKeystroke::KeyEvent>{{29, true}, {52, true}, {52, false}, {29, false}}));
}

TEST_F(PortalScriptedTest, remoteDesktopRefusedOrClosedPostsNothingUntilStartedAgain) {
    startPortal({"--remote-desktop-version", "1", "--start", "wait"});
    test::LogCapture log;
    std::unique_ptr<PortalRemoteDesktopKeystroke> keystroke = makeKeystroke();
    keystroke->start();
    ASSERT_TRUE(reaches(*keystroke, State::waitingForConsent));
    control(QStringLiteral("Answer"), {1u});
    ASSERT_TRUE(reaches(*keystroke, State::refused));
    EXPECT_EQ(
        log.messagesStartingWith(QStringLiteral("remote desktop keyboard road=portal state=refused step=Start")).size(),
        1);

    // Asked again, the user agrees; then the desktop ends the session.
    keystroke->start();
    ASSERT_TRUE(reaches(*keystroke, State::waitingForConsent));
    control(QStringLiteral("Answer"), {0u});
    ASSERT_TRUE(reaches(*keystroke, State::ready));
    ASSERT_TRUE(waitUntil([&] { return keysPosted() == wakeKey; }));
    control(QStringLiteral("CloseSessions"));
    ASSERT_TRUE(reaches(*keystroke, State::closed));
    EXPECT_FALSE(keystroke->canPostKeys());
    keystroke->post(PasteKeys::controlV);
    test::runEventLoopFor(RemoteDesktopKeystroke::settleMilliseconds + 100);
    EXPECT_EQ(keysPosted(), wakeKey);
    EXPECT_FALSE(
        log.messagesStartingWith(QStringLiteral("remote desktop keyboard road=portal state=closed")).isEmpty());
    EXPECT_FALSE(
        log.messagesStartingWith(QStringLiteral("remote desktop keyboard road=portal keystroke dropped state=closed"))
            .isEmpty());
}

TEST_F(PortalScriptedTest, remoteDesktopKeepsTheRestoreTokenAndOffersItAtTheNextStart) {
    startPortal({"--remote-desktop-version", "2", "--start", "grant"});
    {
        std::unique_ptr<PortalRemoteDesktopKeystroke> first = makeKeystroke();
        first->start();
        ASSERT_TRUE(reaches(*first, State::ready));
        EXPECT_EQ(first->version(), 2u);
    }
    EXPECT_EQ(settings()->value(PortalRemoteDesktopKeystroke::restoreTokenKey).toString(), QStringLiteral("token-1"));
    std::unique_ptr<PortalRemoteDesktopKeystroke> second = makeKeystroke();
    second->start();
    ASSERT_TRUE(reaches(*second, State::ready));
    EXPECT_EQ(calls("RemoteDesktop.SelectDevices"),
              (QStringList{"RemoteDesktop.SelectDevices persist_mode=2 types=1",
                           "RemoteDesktop.SelectDevices persist_mode=2 restore_token=token-1 types=1"}));
    // Each token restores once: the next start offers the one this start was given.
    EXPECT_EQ(settings()->value(PortalRemoteDesktopKeystroke::restoreTokenKey).toString(), QStringLiteral("token-2"));
    // The first session was closed when its keystroke went.
    EXPECT_EQ(calls("Session.Close").size(), 1);
}

TEST_F(PortalScriptedTest, pasteOutputFallsBackFromAnAbsentMutterToThePortalAndNotFromAnAbsentPortal) {
    startPortal({"--remote-desktop-version", "1", "--start", "grant"});
    std::vector<std::unique_ptr<RemoteDesktopKeystroke>> roads;
    roads.push_back(
        std::make_unique<MutterRemoteDesktopKeystroke>(QDBusConnection::sessionBus(), KeyCodeForCharacter()));
    roads.push_back(makeKeystroke());
    RemoteDesktopPasteOutput output(std::move(roads));
    EXPECT_FALSE(output.canPostKeys());
    output.start();
    ASSERT_TRUE(waitUntil([&] { return output.canPostKeys(); }));
    EXPECT_EQ(output.road()->road(), QStringLiteral("portal"));
    EXPECT_EQ(output.recipientClass(), std::nullopt);
    output.post(PasteKeys::controlV);
    ASSERT_TRUE(waitUntil([&] { return keysPosted().size() == 6; }));
    EXPECT_EQ(keysPosted(), wakeKey + controlV);

    m_portal->stop();
    startPortal({"--remote-desktop-version", "0"});
    std::unique_ptr<PortalRemoteDesktopKeystroke> alone = makeKeystroke();
    alone->start();
    EXPECT_TRUE(reaches(*alone, State::unavailable));
}

} // namespace

// GNOME 48 holds shortcuts for programs through the portal, in its current form, after asking the user.
TEST_F(PortalScriptedTest, onGnome48TheDesktopHoldsTheShortcutsAndItsRefusalOrClosingShowsInTheStatusRow) {
    SessionEnvironment gnome;
    gnome.waylandDisplay = QStringLiteral("wayland-0");
    gnome.currentDesktop = QStringLiteral("ubuntu:GNOME");
    const auto notices = [](const GlobalShortcuts& shortcuts) {
        return statusNotices(0, &shortcuts, nullptr, TranslationCatalog(), QLocale(QLocale::English));
    };

    startPortal({"--global-shortcuts", "bind"});
    {
        DesktopShortcuts desktop(gnome, QDBusConnection::sessionBus());
        const std::unique_ptr<GlobalShortcuts> shortcuts = desktop.create();
        QSignalSpy activated(shortcuts.get(), &GlobalShortcuts::activated);
        EXPECT_TRUE(desktop.heldByDesktop()) << "asked, not yet answered";
        shortcuts->start();
        ASSERT_TRUE(waitUntil([&] { return !shortcuts->triggerDescription(ShortcutAction::pasteNext).isEmpty(); }));
        EXPECT_EQ(shortcuts->triggerDescription(ShortcutAction::pasteNext), QStringLiteral("Ctrl+Super+V"));
        EXPECT_EQ(calls("GlobalShortcuts.BindShortcuts").size(), 1);
        EXPECT_TRUE(desktop.heldByDesktop());
        EXPECT_TRUE(notices(*shortcuts).isEmpty());
        control(QStringLiteral("Activate"), {QStringLiteral("paste-next")});
        ASSERT_TRUE(waitUntil([&] { return activated.count() == 1; }));

        QSignalSpy problemChanged(shortcuts.get(), &GlobalShortcuts::desktopProblemChanged);
        control(QStringLiteral("CloseSessions"));
        ASSERT_TRUE(waitUntil([&] { return problemChanged.count() == 1; }));
        EXPECT_EQ(notices(*shortcuts),
                  QStringList{"The desktop withdrew Sorvu's shortcuts: they do nothing until Sorvu starts again."});
        // The settings then show the commands a key binding of the desktop's own can run.
        EXPECT_FALSE(desktop.heldByDesktop());
        EXPECT_TRUE(desktop.canWriteBindings());
    }

    // The user says no in GNOME's dialog.
    m_portal->stop();
    startPortal({"--global-shortcuts", "bind", "--shortcuts-answer", "refuse"});
    {
        DesktopShortcuts desktop(gnome, QDBusConnection::sessionBus());
        const std::unique_ptr<GlobalShortcuts> shortcuts = desktop.create();
        shortcuts->start();
        ASSERT_TRUE(waitUntil([&] { return !desktop.heldByDesktop(); }));
        EXPECT_EQ(notices(*shortcuts), QStringList{"The desktop refused Sorvu's shortcuts: bind keys to Sorvu's "
                                                   "commands in its keyboard settings."});
    }

    // GNOME 43's portal has no GlobalShortcuts at all.
    m_portal->stop();
    startPortal({"--global-shortcuts", "none"});
    {
        DesktopShortcuts desktop(gnome, QDBusConnection::sessionBus());
        const std::unique_ptr<GlobalShortcuts> shortcuts = desktop.create();
        shortcuts->start();
        ASSERT_TRUE(waitUntil([&] { return !desktop.heldByDesktop(); }));
        EXPECT_EQ(notices(*shortcuts), QStringList{"This desktop holds no shortcuts for programs: bind keys to "
                                                   "Sorvu's commands in its keyboard settings."});
    }

    // The wlroots desktops are never asked: their keys are bound to Sorvu's commands, and all is well.
    SessionEnvironment sway;
    sway.waylandDisplay = QStringLiteral("wayland-1");
    sway.currentDesktop = QStringLiteral("sway");
    DesktopShortcuts desktop(sway, QDBusConnection::sessionBus());
    const std::unique_ptr<GlobalShortcuts> shortcuts = desktop.create();
    shortcuts->start();
    test::runEventLoopFor(200);
    EXPECT_FALSE(desktop.heldByDesktop());
    EXPECT_FALSE(desktop.canOpenSettings());
    EXPECT_FALSE(desktop.canWriteBindings());
    EXPECT_TRUE(notices(*shortcuts).isEmpty());
    EXPECT_EQ(calls("GlobalShortcuts.CreateSession").size(), 1) << "only the session of the last GNOME";
}
