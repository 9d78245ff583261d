#include "app/AppDelegate.h"

#include "app/AppUpdateController.h"
#include "app/BundleInformation.h"
#include "app/DesktopWorkspace.h"
#include "app/PasteRequestCoordinator.h"
#include "app/PasteRequestGate.h"
#include "app/SharedObjects.h"
#include "app/StatusItem.h"
#include "engine/Log.h"
#include "engine/PasteStack.h"
#include "platform/x11/X11PasteKeystroke.h"
#include "platform/x11/X11Pasteboard.h"
#include "platform/x11/X11Workspace.h"
#include "preferences/LanguagePreferenceStore.h"
#include "preferences/Localization.h"
#include "shortcuts/HotkeyManager.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QSystemTrayIcon>

namespace sorvu {

namespace {

constexpr int trayPollMilliseconds = 1000;
constexpr int panelColorCheckDelaysMilliseconds[] = {300, 1500};
// How much of the panel around the icon tells its colour.
constexpr int panelRing = 3;

} // namespace

AppDelegate::AppDelegate(QObject* parent) : QObject(parent) {}

AppDelegate::~AppDelegate() = default;

void AppDelegate::applicationDidFinishLaunching() {
    // There is no window and no taskbar entry to give up: Sorvu only ever shows its tray icon.
    m_updateController = std::make_unique<AppUpdateController>(bundleInformation());

    PasteStack& stack = sharedPasteStack();
    m_x11Workspace = std::make_unique<X11Workspace>();
    m_workspace = std::make_unique<DesktopWorkspace>(*m_x11Workspace);
    m_coordinator = std::make_unique<PasteRequestCoordinator>(stack, *m_workspace);
    m_pasteGate = std::make_unique<PasteRequestGate>(
        [] { return x11KeysDown(); },
        [this] {
            // Content that another copy replaced will never be fetched: nothing to wait for then.
            return !m_unfetchedPasteChange || sharedPasteboard().changeCount() != *m_unfetchedPasteChange;
        },
        [this](const PasteRequestKind& kind, PasteRequestSource source, PasteCompletion completion) {
            dispatchPaste(kind, source, std::move(completion));
        });
    connect(&sharedPasteboard(), &X11Pasteboard::offeredContentFetched, this, [this](qint64 change, const QString&) {
        if (m_unfetchedPasteChange == change) {
            m_unfetchedPasteChange.reset();
        }
    });

    const QPointer<AppDelegate> self(this);
    sharedHotkeyManager().start([] { sharedPasteStack().toggleCollecting(); },
                                [self] {
                                    if (self) {
                                        self->requestPaste(PasteNextEntry{}, PasteRequestSource::hotkey);
                                    }
                                });
    stack.refreshLaunchAtLoginStatus();
    buildStatusItemWhenTrayExists();
}

void AppDelegate::applicationWillTerminate() {
    // Leave the panel at once rather than when the process is gone.
    if (m_trayIcon) {
        m_trayIcon->hide();
    }
}

void AppDelegate::buildStatusItemWhenTrayExists() {
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        buildStatusItem();
        return;
    }
    // Started before the panel (at login, say): the icon appears once a tray does.
    log::info(LogCategory::UI, QStringLiteral("status item waiting for a system tray"));
    m_trayWait.setInterval(trayPollMilliseconds);
    connect(&m_trayWait, &QTimer::timeout, this, [this] {
        if (QSystemTrayIcon::isSystemTrayAvailable()) {
            m_trayWait.stop();
            buildStatusItem();
        }
    });
    m_trayWait.start();
}

void AppDelegate::buildStatusItem() {
    m_trayIcon = std::make_unique<QSystemTrayIcon>();
    m_statusItem = std::make_unique<StatusItem>(m_trayIcon.get(), [this] { return m_reduceMotion.isOn(); });

    m_trayMenu = std::make_unique<QMenu>();
    m_toggleAction = m_trayMenu->addAction(QString(), [] { sharedPasteStack().toggleCollecting(); });
    m_trayMenu->addSeparator();
    m_quitAction = m_trayMenu->addAction(QString(), [] { QApplication::quit(); });
    m_trayIcon->setContextMenu(m_trayMenu.get());
    m_trayIcon->show();
    // The panel places the icon a moment after it is shown.
    for (const int delay : panelColorCheckDelaysMilliseconds) {
        QTimer::singleShot(delay, this, &AppDelegate::matchPanelColor);
    }

    PasteStack& stack = sharedPasteStack();
    LanguagePreferenceStore& language = sharedLanguagePreferenceStore();
    m_queueSubscription = {
        connect(&stack, &PasteStack::queueChanged, this, &AppDelegate::updateStatusItem),
        connect(&stack, &PasteStack::isCollectingChanged, this, &AppDelegate::updateStatusItem),
        connect(&language, &LanguagePreferenceStore::preferredLanguageCodeChanged, this,
                &AppDelegate::updateStatusItem),
    };
    updateStatusItem();
    m_flashSubscription = connect(&stack, &PasteStack::flashRequested, m_statusItem.get(), &StatusItem::flash);
}

void AppDelegate::updateStatusItem() {
    const PasteStack& stack = sharedPasteStack();
    const qint64 count = stack.queue().count();
    matchPanelColor();
    m_statusItem->update(count, stack.isCollecting(), sharedLanguagePreferenceStore().preferredLanguageCode());
    retranslateTrayMenu();
    log::debug(LogCategory::UI,
               QStringLiteral("status item image=%1 count=%2").arg(m_statusItem->currentImageName()).arg(count));
}

void AppDelegate::matchPanelColor() {
    // A tray does not say its text colour; what the panel shows around the icon does.
    const QRect icon = m_trayIcon->geometry();
    QScreen* screen = icon.isEmpty() ? nullptr : QGuiApplication::screenAt(icon.center());
    if (!screen) {
        return;
    }
    const QRect around = icon.adjusted(-panelRing, -panelRing, panelRing, panelRing);
    const QPoint origin = around.topLeft() - screen->geometry().topLeft();
    const QImage picture = screen->grabWindow(0, origin.x(), origin.y(), around.width(), around.height()).toImage();
    if (picture.isNull()) {
        return;
    }
    // Only the ring: the icon's own pixels say nothing about the panel.
    QImage ring(picture.width(), 2 * panelRing, picture.format());
    QPainter painter(&ring);
    painter.drawImage(QPoint(0, 0), picture.copy(0, 0, picture.width(), panelRing));
    painter.drawImage(QPoint(0, panelRing), picture.copy(0, picture.height() - panelRing, picture.width(), panelRing));
    painter.end();
    if (const auto color = StatusItem::textColorOn(ring)) {
        m_statusItem->setIconColor(*color);
    }
}

void AppDelegate::retranslateTrayMenu() {
    const auto& code = sharedLanguagePreferenceStore().preferredLanguageCode();
    const LanguageBundle bundle = bundleForLanguage(code);
    const QLocale locale = localeForLanguage(code);
    m_toggleAction->setText(sharedPasteStack().isCollecting()
                                ? localizedString(QStringLiteral("Stop"), bundle, locale)
                                : localizedString(QStringLiteral("Start"), bundle, locale));
    m_quitAction->setText(localizedString(QStringLiteral("Quit"), bundle, locale));
}

void AppDelegate::requestPaste(const PasteRequestKind& kind, PasteRequestSource source, PasteCompletion completion) {
    m_pasteGate->submit(kind, source, std::move(completion));
}

void AppDelegate::dispatchPaste(const PasteRequestKind& kind, PasteRequestSource source, PasteCompletion completion) {
    m_coordinator->handlePasteRequest(
        kind, source,
        [self = QPointer<AppDelegate>(this), completion = std::move(completion)](PasteAttemptResult result) {
            if (self && result == PasteAttemptResult::commandPosted) {
                self->m_unfetchedPasteChange = sharedPasteStack().lastChangeCount();
            }
            if (completion) {
                completion(result);
            }
        });
}

} // namespace sorvu
