// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/PopupController.h"
#include "app/PasteRequestCoordinator.h"
#include "app/PopupPlacement.h"
#include "dragout/DragOut.h"
#include "shortcuts/ShortcutManager.h"
#include "tests/support/LogCapture.h"
#include "tests/unit/app/FakePlatform.h"
#include "tests/unit/views/ViewsFixture.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRasterWindow>
#include <QWindow>

#include <gtest/gtest.h>

namespace sorvu {
namespace {

using test::waitUntil;

// Warnings and errors of every category while it exists (QML reports load and binding problems there).
class WarningCollector {
public:
    WarningCollector() {
        s_current = this;
        m_previous = qInstallMessageHandler(&WarningCollector::handle);
    }
    ~WarningCollector() {
        qInstallMessageHandler(m_previous);
        s_current = nullptr;
    }
    QStringList warnings;

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (type != QtDebugMsg && type != QtInfoMsg && s_current) {
            s_current->warnings.append(message);
        }
        if (s_current && s_current->m_previous) {
            s_current->m_previous(type, context, message);
        }
    }
    static inline WarningCollector* s_current = nullptr;
    QtMessageHandler m_previous = nullptr;
};

// The popup in a real Qt Quick window on the offscreen display, with a tray icon at a place the test says.
class PopupControllerTest : public test::ViewsFixture {
protected:
    void SetUp() override {
        ViewsFixture::SetUp();
        coordinator = std::make_unique<PasteRequestCoordinator>(*queue, platform.fakeWorkspace);
        PopupController::Dependencies dependencies;
        dependencies.queue = queue.get();
        dependencies.launchAtLogin = launchAtLogin.get();
        dependencies.shortcutManager = shortcuts.get();
        dependencies.languageStore = language.get();
        dependencies.coordinator = coordinator.get();
        dependencies.platform = &platform;
        dependencies.host = &host;
        dependencies.globalShortcuts = &globalShortcuts;
        popup = std::make_unique<PopupController>(std::move(dependencies));
        coordinator->setPopup(popup.get());
    }
    void TearDown() override {
        popup.reset();
        ViewsFixture::TearDown();
    }

    void open() {
        popup->trayIconClicked();
        ASSERT_TRUE(popup->isShown());
    }
    void pressIn(QWindow* window, QPoint global) {
        QMouseEvent press(QEvent::MouseButtonPress, window->mapFromGlobal(global), global, Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &press);
    }
    bool pressEscape() {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        return QCoreApplication::sendEvent(popup->window(), &escape);
    }
    QStringList uiLines() const {
        QStringList lines;
        for (const auto& line : log.lines()) {
            if (line.category == "sorvu.UI") {
                lines.append(line.message);
            }
        }
        return lines;
    }

    test::LogCapture log;
    test::FakePlatform platform;
    test::FakePopupHost host;
    test::FakeGlobalShortcuts globalShortcuts;
    std::unique_ptr<PasteRequestCoordinator> coordinator;
    std::unique_ptr<PopupController> popup;
    QRect& trayIcon = host.trayIcon;
    int& pasteButtonPresses = host.pastes;
};

TEST_F(PopupControllerTest, TheTrayIconOpensThePopupBelowItAndASecondClickClosesItOnce) {
    addTexts({"a", "b", "c"});
    addImage();
    addFile(QStringLiteral("notes.txt"));
    platform.fakeWorkspace.frontmost = RunningProgram{42, 4242};
    open();
    EXPECT_EQ(coordinator->pasteRecipient(), (RunningProgram{42, 4242})) << "remembered before Sorvu comes forward";
    EXPECT_TRUE(popup->areMonitorsInstalled());
    EXPECT_TRUE(platform.pointerWatcher);
    EXPECT_EQ(platform.windowsKeptOffTaskbar, 1);
    QQuickWindow* window = popup->window();
    EXPECT_TRUE(window->flags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(window->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_GE(window->y(), trayIcon.bottom()) << "the panel is at the top: the popup hangs below the icon";
    EXPECT_EQ(window->width(), 270);
    EXPECT_EQ(globalShortcuts.retries, 1) << "a shortcut another program held is tried again at each opening";

    popup->trayIconClicked();
    EXPECT_FALSE(popup->isShown());
    EXPECT_FALSE(popup->areMonitorsInstalled());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(platform.pointerWatcher);
    EXPECT_EQ(uiLines(), (QStringList{"popover will open queueCount=5 minimumQueueListHeight=172.000000",
                                      "popover close requested reason=statusItem", "popoverDidClose"}));
}

TEST_F(PopupControllerTest, ClicksOutsideCloseItAndClicksInsideOrOnTheIconDoNot) {
    open();
    const QRect frame = popup->window()->frameGeometry();
    platform.pressElsewhere(frame.center());
    platform.pressElsewhere(trayIcon.center());
    EXPECT_TRUE(popup->isShown());

    // A press in another of Sorvu's own windows counts as outside too, one in the popup does not.
    pressIn(popup->window(), frame.center());
    EXPECT_TRUE(popup->isShown());
    QWindow other;
    other.setGeometry(10, 500, 50, 50);
    pressIn(&other, {20, 510});
    EXPECT_FALSE(popup->isShown());
    EXPECT_TRUE(uiLines().contains("popover close requested reason=outsideClick"));

    open();
    platform.pressElsewhere(frame.bottomRight() + QPoint(40, 40));
    EXPECT_FALSE(popup->isShown());
    // A later press reaches no watcher: it was removed with the closing.
    const qsizetype closes = uiLines().count("popover close requested reason=outsideClick");
    platform.pressElsewhere({1, 1});
    EXPECT_EQ(uiLines().count("popover close requested reason=outsideClick"), closes);
    EXPECT_EQ(closes, 2);
}

TEST_F(PopupControllerTest, WhereOtherProgramsPressesAreNotToldLosingTheKeyboardClosesIt) {
    platform.tellsPresses = false;
    platform.placesWindows = false;
    addTexts({"a", "b", "c"});
    open();
    ASSERT_TRUE(waitUntil([&] { return popup->window()->isActive(); }));
    // The desktop places the popup; told its one size, a tiling desktop floats it.
    EXPECT_EQ(popup->window()->minimumSize(), popup->window()->size());
    EXPECT_EQ(popup->window()->maximumSize(), popup->window()->size());

    QRasterWindow other;
    other.resize(50, 50);
    other.show();
    other.requestActivate();
    ASSERT_TRUE(waitUntil([&] { return !popup->isShown(); }));
    EXPECT_TRUE(uiLines().contains("popover close requested reason=outsideClick"));

    // The Paste button brings the recipient back, which takes the keyboard: the paste goes on, and the popup
    // then steps aside as after a click elsewhere.
    const RunningProgram recipient{42, 4242};
    platform.fakeWorkspace.frontmost = recipient;
    open();
    ASSERT_TRUE(waitUntil([&] { return popup->window()->isActive(); }));
    platform.fakeWorkspace.frontmost = RunningProgram{7, test::FakeWorkspace::ownPid};
    const qsizetype closes = uiLines().count("popover close requested reason=outsideClick");
    coordinator->handlePasteRequest(PasteNextEntry{}, PasteRequestSource::button);
    ASSERT_TRUE(coordinator->isRestoringFocusForPaste());
    other.requestActivate();
    ASSERT_TRUE(waitUntil([&] { return !popup->window()->isActive(); }));
    EXPECT_TRUE(popup->isShown()) << "the paste is still under way";
    platform.fakeWorkspace.becomeActive(recipient);
    ASSERT_TRUE(waitUntil([&] { return !popup->isShown(); }));
    EXPECT_EQ(output->posted.size(), 1);
    EXPECT_EQ(uiLines().count("popover close requested reason=outsideClick"), closes + 1);
}

TEST_F(PopupControllerTest, EscapeFirstEndsARecordingAndThenClosesThePopup) {
    open();
    int recordingsEnded = 0;
    shortcuts->setRecordingAction(ShortcutAction::pasteNext);
    shortcuts->setCancelRecordingHandler([&] {
        ++recordingsEnded;
        shortcuts->setCancelRecordingHandler({});
        shortcuts->setRecordingAction(std::nullopt);
    });
    EXPECT_TRUE(pressEscape()) << "Escape is taken, not handed on to the focused control";
    EXPECT_EQ(recordingsEnded, 1);
    EXPECT_TRUE(popup->isShown());
    EXPECT_TRUE(pressEscape());
    EXPECT_FALSE(popup->isShown());
    EXPECT_TRUE(uiLines().contains("popover close requested reason=escape"));
}

TEST_F(PopupControllerTest, WhileAShortcutIsRecordedEveryKeyButEscapeGoesToTheRecorderAndNoFurther) {
    open();
    const auto press = [&](quint32 keyCode, Qt::KeyboardModifiers modifiers) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, modifiers, keyCode, 0, 0);
        return QCoreApplication::sendEvent(popup->window(), &key);
    };
    popup->content()->toggleScreen();
    SettingsScreenModel* settings = popup->content()->settingsScreen();
    ASSERT_TRUE(settings);
    settings->pasteRecorder()->pressButton();

    // Space cannot serve: taken all the same, and recording goes on.
    EXPECT_TRUE(press(65, Qt::ControlModifier));
    EXPECT_EQ(shortcuts->recordingAction(), ShortcutAction::pasteNext);
    // Ctrl+Alt+P, with Super reported as Meta.
    EXPECT_TRUE(press(33, Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    EXPECT_EQ(shortcuts->overrides().value(ShortcutAction::pasteNext),
              (KeyCombination{
                  33, quint64((KeyModifiers(KeyModifier::Ctrl) | KeyModifier::Alt | KeyModifier::Super).toInt())}));
    EXPECT_EQ(shortcuts->recordingAction(), std::nullopt);

    // Escape ends a recording without recording anything.
    settings->collectingRecorder()->pressButton();
    EXPECT_TRUE(pressEscape());
    EXPECT_EQ(shortcuts->recordingAction(), std::nullopt);
    EXPECT_FALSE(shortcuts->overrides().contains(ShortcutAction::startStopCollecting));
    EXPECT_TRUE(popup->isShown());
}

TEST_F(PopupControllerTest, ClosingEndsARecordingAndRepeatedClosesAreAbsorbed) {
    open();
    int recordingsEnded = 0;
    shortcuts->setRecordingAction(ShortcutAction::startStopCollecting);
    shortcuts->setCancelRecordingHandler([&] { ++recordingsEnded; });
    popup->closePopup(PopupCloseReason::queueDrained);
    popup->closePopup(PopupCloseReason::outsideClick);
    EXPECT_EQ(recordingsEnded, 1);
    EXPECT_FALSE(shortcuts->recordingAction());
    EXPECT_FALSE(shortcuts->cancelRecordingHandler());
    EXPECT_EQ(uiLines().count("popover close requested reason=queueDrained"), 1);
    EXPECT_EQ(uiLines().filter("close requested").size(), 1);
    EXPECT_FALSE(popup->isClosing());

    // Closing a closed popup logs nothing.
    popup->closePopup(PopupCloseReason::escape);
    EXPECT_EQ(uiLines().filter("close requested").size(), 1);
}

TEST_F(PopupControllerTest, AKeyboardPasteThatDrainsTheQueueClosesThePopup) {
    addTexts({"last"});
    open();
    // The program that was in front comes back at once, as a window manager answers.
    platform.fakeWorkspace.activatesImmediately = true;
    platform.fakeWorkspace.frontmost = RunningProgram{7, 77};
    coordinator->rememberPasteRecipient();
    platform.fakeWorkspace.frontmost = RunningProgram{1, test::FakeWorkspace::ownPid};
    coordinator->handlePasteRequest(PasteNextEntry{}, PasteRequestSource::hotkey);
    ASSERT_TRUE(waitUntil([&] { return queue->queue().isEmpty(); }));
    EXPECT_FALSE(popup->isShown());
    EXPECT_TRUE(uiLines().contains("popover close requested reason=queueDrained"));
}

TEST_F(PopupControllerTest, ARowDraggedPastThePopupsEdgeBecomesADragOutThatOwnsEscapeUntilItEnds) {
    addTexts({"a", "b", "c"});
    open();
    QueueScreenModel& screen = *popup->content()->queueScreen();
    const QRect frame = popup->window()->frameGeometry();
    const QString first = uuidString(idAt(0));
    // Down past "b" inside the popup, then out over its left edge.
    screen.pointerMoved(first, {10, 10}, {10, 60}, QPointF(frame.center()));
    ASSERT_EQ(queue->queue().at(1).content.text(), "a");
    screen.pointerMoved(first, {10, 10}, {-40, 60}, QPointF(frame.left() - 40, frame.center().y()));
    ASSERT_TRUE(screen.outgoingDragID().has_value()) << "handed to a drag out of the popup";
    EXPECT_TRUE(DragOut::isDragOutActive());
    pressEscape();
    EXPECT_TRUE(popup->isShown()) << "Escape belongs to the drag";

    // No button is held here, so the drag ends at once without a drop: "a" goes back to where it started.
    ASSERT_TRUE(waitUntil([&] { return !DragOut::isDragOutActive(); }));
    EXPECT_FALSE(screen.outgoingDragID().has_value());
    EXPECT_EQ(queue->queue().at(0).content.text(), "a");
    EXPECT_EQ(log.messagesStartingWith("drag ended"), QStringList{"drag ended operation=0"});
    pressEscape();
    EXPECT_FALSE(popup->isShown()) << "Escape closes the popup again";
}

TEST_F(PopupControllerTest, EveryOpeningBuildsFreshContentThatLoadsWithoutWarnings) {
    addTexts({"a", QString(100, QLatin1Char('t'))});
    addImage(1000, 200);
    addFile(QStringLiteral("report.pdf"));
    WarningCollector collector;
    open();
    QPointer<PopupRootModel> first = popup->content();
    ASSERT_TRUE(first);
    first->queueScreen()->showCombine();
    ASSERT_TRUE(waitUntil([&] { return popup->window()->contentItem()->childItems().size() == 1; }));

    // The settings screen and back, with the queue changing under the open popup.
    first->toggleScreen();
    test::runEventLoopFor(50);
    first->toggleScreen();
    queue->remove(idAt(0));
    queue->move(idAt(0), 2);
    language->choose(QStringLiteral("de"));
    test::runEventLoopFor(100);
    const int heightWithThree = popup->window()->height();
    queue->clear();
    test::runEventLoopFor(100);
    EXPECT_LT(popup->window()->height(), heightWithThree) << "the window follows its content";

    popup->trayIconClicked();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull()) << "closing lets go of the content";
    open();
    ASSERT_TRUE(popup->content());
    EXPECT_FALSE(popup->content()->showsSettings());
    EXPECT_FALSE(popup->content()->queueScreen()->showingCombine());
    test::runEventLoopFor(100);
    EXPECT_TRUE(collector.warnings.isEmpty()) << collector.warnings.join('\n').toStdString();
}

TEST_F(PopupControllerTest, WhereNoWindowCanBeBroughtBackAPasteFromThePopupClosesItFirstAndFollowsAfter) {
    platform.fakeWorkspace.activates = false;
    platform.tellsPresses = false;
    platform.placesWindows = false;
    addTexts({"a", "b"});
    open();
    coordinator->handlePasteRequest(PasteNextEntry{}, PasteRequestSource::button);
    EXPECT_FALSE(popup->isShown()) << "the popup steps aside before the paste";
    EXPECT_TRUE(output->posted.isEmpty());
    EXPECT_EQ(uiLines().filter("close requested"), QStringList{"popover close requested reason=pasteHandOff"});
    ASSERT_TRUE(waitUntil([&] { return output->posted.size() == 1; }));
    EXPECT_EQ(queue->queue().size(), 1);
    EXPECT_TRUE(platform.fakeWorkspace.activationRequests.isEmpty()) << "the desktop chooses the window itself";
    EXPECT_FALSE(coordinator->isRestoringFocusForPaste());
}

TEST_F(PopupControllerTest, WhereTheDesktopHoldsTheShortcutsTheSettingsShowItsKeysKeptCurrentAndTheWayToItsSettings) {
    platform.source = Platform::ShortcutSource::desktopPortal;
    platform.knowsShortcutSettings = true;
    globalShortcuts.triggers.insert(ShortcutAction::startStopCollecting, QStringLiteral("Meta+Ctrl+C"));
    WarningCollector collector;
    open();
    popup->content()->toggleScreen();
    SettingsScreenModel* settings = popup->content()->settingsScreen();
    ASSERT_TRUE(settings);
    EXPECT_TRUE(settings->showsShortcutTriggers());
    EXPECT_FALSE(settings->shortcutsRecordable());
    EXPECT_FALSE(settings->showsShortcutCommands());
    EXPECT_FALSE(settings->canWriteShortcutBindings());
    EXPECT_EQ(settings->collectingTrigger(), QStringLiteral("Meta+Ctrl+C"));
    EXPECT_EQ(settings->pasteTrigger(), QStringLiteral("Not set"));

    // The user gives paste its keys in the desktop's settings while the screen is open.
    globalShortcuts.desktopRebinds(ShortcutAction::pasteNext, QStringLiteral("Meta+Alt+V"));
    EXPECT_EQ(settings->pasteTrigger(), QStringLiteral("Meta+Alt+V"));

    settings->openShortcutSettings();
    EXPECT_EQ(platform.shortcutSettingsOpened, 1);
    EXPECT_TRUE(settings->shortcutOutcome().isEmpty());
    platform.shortcutSettingsStart = false;
    settings->openShortcutSettings();
    EXPECT_EQ(settings->shortcutOutcome(), QStringLiteral("The desktop's shortcut settings could not be opened."));
    EXPECT_TRUE(settings->shortcutOutcomeIsProblem());

    // The desktop withdrawing them shows in the status row at once.
    EXPECT_TRUE(popup->content()->notices().isEmpty());
    globalShortcuts.desktopFails(GlobalShortcuts::DesktopProblem::closed);
    EXPECT_EQ(popup->content()->notices(),
              QStringList{"The desktop withdrew Sorvu's shortcuts: they do nothing until Sorvu starts again."});
    language->choose(QStringLiteral("de"));
    EXPECT_EQ(settings->pasteTrigger(), QStringLiteral("Meta+Alt+V")) << "the desktop's words stay its own";
    globalShortcuts.desktopRebinds(ShortcutAction::pasteNext, QString());
    EXPECT_NE(settings->pasteTrigger(), QStringLiteral("Not set"));
    EXPECT_FALSE(settings->pasteTrigger().isEmpty());
    test::runEventLoopFor(100);
    EXPECT_TRUE(collector.warnings.isEmpty()) << collector.warnings.join('\n').toStdString();
}

TEST_F(PopupControllerTest, WhereTheDesktopBindsTheKeysTheSettingsCanWriteItsBindingsAndSayHowItWent) {
    platform.source = Platform::ShortcutSource::desktopBindings;
    platform.writesBindings = true;
    WarningCollector collector;
    open();
    popup->content()->toggleScreen();
    SettingsScreenModel* settings = popup->content()->settingsScreen();
    ASSERT_TRUE(settings);
    EXPECT_TRUE(settings->showsShortcutCommands());
    EXPECT_FALSE(settings->canOpenShortcutSettings());
    ASSERT_TRUE(settings->canWriteShortcutBindings());

    settings->writeShortcutBindings();
    EXPECT_TRUE(settings->isWritingShortcutBindings());
    ASSERT_TRUE(platform.pendingBindingsWrite);
    auto firstWrite = std::exchange(platform.pendingBindingsWrite, {});
    settings->writeShortcutBindings();
    EXPECT_FALSE(platform.pendingBindingsWrite) << "one write at a time";
    firstWrite(true);
    EXPECT_FALSE(settings->isWritingShortcutBindings());
    EXPECT_EQ(settings->shortcutOutcome(),
              QStringLiteral("Added to GNOME: Ctrl+Super+C and Ctrl+Super+V run these commands."));
    EXPECT_FALSE(settings->shortcutOutcomeIsProblem());

    settings->writeShortcutBindings();
    std::exchange(platform.pendingBindingsWrite, {})(false);
    EXPECT_TRUE(settings->shortcutOutcomeIsProblem());
    EXPECT_TRUE(settings->shortcutOutcome().startsWith(QStringLiteral("GNOME's shortcuts could not be changed.")));

    // An answer that comes after the popup closed reaches nothing.
    settings->writeShortcutBindings();
    auto lateWrite = std::exchange(platform.pendingBindingsWrite, {});
    popup->trayIconClicked();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    lateWrite(true);
    EXPECT_TRUE(collector.warnings.isEmpty()) << collector.warnings.join('\n').toStdString();
}

TEST(PopupPlacementTest, HangsBelowAnIconAtTheTopAboveOneAtTheBottomAndStaysOnTheScreen) {
    const QRect screen(0, 0, 1280, 800);
    const QRect topPanelArea(0, 30, 1280, 770);
    const QSize size(300, 200);
    // Centred under the icon, clear of the panel.
    EXPECT_EQ(popupPosition({600, 3, 24, 24}, size, topPanelArea, {}), QPoint(461, 31));
    // A bottom panel: above the icon.
    const QRect bottomPanelArea(0, 0, 1280, 770);
    EXPECT_EQ(popupPosition({600, 773, 24, 24}, size, bottomPanelArea, {}), QPoint(461, 569));
    // An icon in the corner: pushed back inside the screen.
    EXPECT_EQ(popupPosition({1270, 3, 10, 24}, size, topPanelArea, {}), QPoint(980, 31));
    EXPECT_EQ(popupPosition({0, 773, 10, 24}, size, bottomPanelArea, {}), QPoint(0, 569));
    // No icon geometry: at the pointer.
    EXPECT_EQ(popupPosition({}, size, screen, {640, 100}), QPoint(490, 105));
    EXPECT_EQ(popupPosition({}, size, screen, {640, 700}), QPoint(490, 496));
    // Larger than the area: its top left stays visible.
    EXPECT_EQ(popupPosition({600, 3, 24, 24}, QSize(2000, 2000), topPanelArea, {}), QPoint(0, 30));
}

} // namespace
} // namespace sorvu
