// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Application.h"

#include "app/BuildInfo.h"
#include "app/InstalledReadme.h"
#include "app/PasteKeysTable.h"
#include "app/PasteRequestCoordinator.h"
#include "app/PasteRequestGate.h"
#include "app/PopupController.h"
#include "app/TrayIcon.h"
#include "app/UpdateController.h"
#include "engine/ClipboardQueue.h"
#include "engine/Log.h"
#include "platform/Platform.h"
#include "platform/linux/SessionBusControl.h"
#include "preferences/LanguagePreferenceStore.h"
#include "preferences/Localization.h"
#include "preferences/SettingsLanguagePreferenceStorage.h"
#include "preferences/SettingsTextJoinPreferenceStore.h"
#include "shortcuts/GlobalShortcuts.h"
#include "shortcuts/SettingsShortcutStore.h"
#include "shortcuts/ShortcutManager.h"
#include "views/StatusNotices.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
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

// The most one entry may take, in megabytes, raisable in the settings file.
const QString maximumTextMegabytesKey = QStringLiteral("maximumTextMegabytes");
const QString maximumImageMegabytesKey = QStringLiteral("maximumImageMegabytes");
const QString maximumFileMegabytesKey = QStringLiteral("maximumFileMegabytes");

// A value in megabytes from the settings file, as bytes; the fallback for what is missing or unusable.
qint64 megabytesSetting(const QSettings& settings, const QString& key, qint64 fallbackBytes) {
    bool valid = false;
    const qint64 value = settings.value(key).toLongLong(&valid);
    // A limit past a terabyte is no limit anyone means; it would overflow as bytes.
    return valid && value > 0 && value <= (qint64(1) << 20) ? value << 20 : fallbackBytes;
}

Clipboard::SizeLimits sizeLimits(const QSettings& settings) {
    Clipboard::SizeLimits limits;
    limits.textBytes = megabytesSetting(settings, maximumTextMegabytesKey, limits.textBytes);
    limits.imageBytes = megabytesSetting(settings, maximumImageMegabytesKey, limits.imageBytes);
    return limits;
}

// What the user reads when copied files did not make it into the queue: no names, no content.
const char* copyProblemText(ClipboardQueue::CopyProblem problem) {
    switch (problem) {
    case ClipboardQueue::CopyProblem::tooLarge:
        return QT_TRANSLATE_NOOP("Sorvu", "A copied file was larger than the limit for stored files and was skipped. "
                                          "The limit is maximumFileMegabytes in the settings file.");
    case ClipboardQueue::CopyProblem::noSpace:
        return QT_TRANSLATE_NOOP("Sorvu", "A copied file was skipped: the disk has no room for a copy of it.");
    case ClipboardQueue::CopyProblem::noPermission:
        return QT_TRANSLATE_NOOP("Sorvu", "A copied file was skipped: Sorvu may not read it.");
    case ClipboardQueue::CopyProblem::specialFile:
        return QT_TRANSLATE_NOOP("Sorvu", "A copied pipe, socket or device cannot be queued and was skipped.");
    case ClipboardQueue::CopyProblem::specialFilesSkipped:
        return QT_TRANSLATE_NOOP("Sorvu", "Pipes, sockets or devices inside a copied folder were left out.");
    case ClipboardQueue::CopyProblem::overCapacity:
        return QT_TRANSLATE_NOOP("Sorvu", "The queue holds 99 entries at most: some copied files were not queued.");
    }
    return "";
}

} // namespace

Application::Application(Platform& platform, std::shared_ptr<QSettings> settings, const QString& storageDirectory,
                         QObject* parent)
    : QObject(parent), m_platform(platform), m_settings(std::move(settings)) {
    ClipboardQueue::Dependencies dependencies;
    dependencies.clipboard = m_platform.clipboard();
    dependencies.clipboardFilesDirectory = storageDirectory;
    dependencies.pasteKeystroke = [&platform, table = PasteKeysTable::fromSettings(*m_settings)] {
        // The program in front receives the paste: its window tells which keystroke it pastes with.
        Workspace& workspace = platform.workspace();
        const std::optional<RunningProgram> front = workspace.frontmostProgram();
        const std::optional<WindowClass> windowClass = front ? workspace.windowClass(*front) : std::nullopt;
        const PasteKeys keys = table.keysFor(windowClass);
        qCDebug(lcUi).noquote() << QStringLiteral("paste keystroke keys=%1 windowClass=%2")
                                       .arg(pasteKeysName(keys), windowClass ? windowClass->className : QString());
        return platform.makePasteKeystroke(keys);
    };
    dependencies.scheduleCleanup = ClipboardQueue::mainLoopScheduleCleanup();
    dependencies.inputAccessCheck = [&platform] { return platform.hasInputAccess(); };
    dependencies.launchAtLogin = m_platform.launchAtLogin();
    dependencies.settings = m_settings;
    dependencies.maximumFileBytes =
        megabytesSetting(*m_settings, maximumFileMegabytesKey, ClipboardQueue::Dependencies().maximumFileBytes);
    m_platform.clipboard()->setSizeLimits(sizeLimits(*m_settings));
    m_queue = std::make_unique<ClipboardQueue>(std::move(dependencies));
    connect(m_queue.get(), &ClipboardQueue::copySkippedAsTooLarge, this,
            [this] { notify(QT_TRANSLATE_NOOP("Sorvu", "A copy was too large to queue and was skipped.")); });
    connect(m_queue.get(), &ClipboardQueue::copyNotQueued, this,
            [this](ClipboardQueue::CopyProblem problem) { notify(copyProblemText(problem)); });
    m_language =
        std::make_unique<LanguagePreferenceStore>(std::make_shared<SettingsLanguagePreferenceStorage>(m_settings));
    m_shortcutManager =
        std::make_unique<ShortcutManager>(std::make_shared<SettingsShortcutStore>(m_settings),
                                          m_platform.characterForKeyCode(), m_platform.keyCodeForCharacter());

    applyLanguage();
    connect(m_language.get(), &LanguagePreferenceStore::preferredLanguageCodeChanged, this,
            &Application::applyLanguage);
    QCoreApplication::instance()->installEventFilter(this);
}

Application::~Application() = default;

void Application::launch() {
    // There is no window and no taskbar entry to give up: Sorvu only ever shows its tray icon.
    m_updateController = std::make_unique<UpdateController>(buildInfo());

    m_coordinator = std::make_unique<PasteRequestCoordinator>(*m_queue, m_platform.workspace());
    m_pasteGate = std::make_unique<PasteRequestGate>(
        [this] { return m_platform.keysDown(); },
        [this] {
            // Content that another copy replaced will never be fetched: nothing to wait for then.
            return !m_unfetchedPasteChange || m_queue->clipboard().changeCount() != *m_unfetchedPasteChange;
        },
        [this](const PasteRequestKind& kind, PasteRequestSource source, PasteCompletion completion) {
            dispatchPaste(kind, source, std::move(completion));
        });
    connect(&m_platform, &Platform::clipboardContentFetched, this, [this](qint64 change) {
        if (m_unfetchedPasteChange == change) {
            m_unfetchedPasteChange.reset();
        }
    });

    m_globalShortcuts = m_platform.createGlobalShortcuts(*m_shortcutManager);
    connect(m_globalShortcuts.get(), &GlobalShortcuts::activated, this, &Application::handleShortcut);
    m_globalShortcuts->start();
    m_queue->refreshLaunchAtLoginStatus();
    buildTrayIconWhenTrayExists();

    m_busControl = std::make_unique<SessionBusControl>(*this);
    if (m_busControl->registerOnSessionBus()) {
        connect(m_queue.get(), &ClipboardQueue::queueChanged, m_busControl.get(), &SessionBusControl::publishState);
        connect(m_queue.get(), &ClipboardQueue::isCollectingChanged, m_busControl.get(),
                &SessionBusControl::publishState);
    } else {
        // Sorvu works without; only other programs cannot drive it.
        qCWarning(lcUi).noquote() << QStringLiteral("session bus control unavailable");
        m_busControl.reset();
    }
}

void Application::terminate() {
    // Its watchers of clicks and keys go with it; the bus name is free for the next start at once.
    m_popup.reset();
    m_busControl.reset();
    // Leave the panel at once rather than when the process is gone.
    if (m_systemTrayIcon) {
        m_systemTrayIcon->hide();
    }
}

void Application::notify(const char* text) {
    const auto& code = m_language->preferredLanguageCode();
    m_platform.showNotification(
        localizedString(QString::fromUtf8(text), catalogForLanguage(code), localeForLanguage(code)));
}

void Application::applyLanguage() {
    installApplicationTranslations(catalogForLanguage(m_language->preferredLanguageCode()));
}

bool Application::eventFilter(QObject* watched, QEvent* event) {
    // Sent whenever the application's translations change, whatever changed them.
    if (watched == QCoreApplication::instance() && event->type() == QEvent::LanguageChange && m_trayIcon) {
        updateTrayIcon();
    }
    return QObject::eventFilter(watched, event);
}

void Application::handleShortcut(ShortcutAction action) {
    switch (action) {
    case ShortcutAction::startStopCollecting:
        m_queue->toggleCollecting();
        break;
    case ShortcutAction::pasteNext:
        requestPaste(PasteNextEntry{}, PasteRequestSource::hotkey);
        break;
    }
}

void Application::buildTrayIconWhenTrayExists() {
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        buildTrayIcon();
        return;
    }
    // Started before the panel (at login, say): the icon appears once a tray does.
    qCInfo(lcUi).noquote() << QStringLiteral("status item waiting for a system tray");
    m_trayWait.setInterval(trayPollMilliseconds);
    connect(&m_trayWait, &QTimer::timeout, this, [this] {
        if (QSystemTrayIcon::isSystemTrayAvailable()) {
            m_trayWait.stop();
            buildTrayIcon();
        }
    });
    m_trayWait.start();
}

void Application::buildTrayIcon() {
    m_systemTrayIcon = std::make_unique<QSystemTrayIcon>();
    m_trayIcon = std::make_unique<TrayIcon>(m_systemTrayIcon.get(), [this] { return m_reduceMotion.isOn(); });

    m_trayMenu = std::make_unique<QMenu>();
    m_toggleAction = m_trayMenu->addAction(QString(), [this] { m_queue->toggleCollecting(); });
    m_trayMenu->addSeparator();
    m_quitAction = m_trayMenu->addAction(QString(), [] { QApplication::quit(); });
    m_systemTrayIcon->setContextMenu(m_trayMenu.get());
    buildPopup();
    m_systemTrayIcon->show();
    // The panel places the icon a moment after it is shown.
    for (const int delay : panelColorCheckDelaysMilliseconds) {
        QTimer::singleShot(delay, this, &Application::matchPanelColor);
    }

    m_queueSubscription = {
        connect(m_queue.get(), &ClipboardQueue::queueChanged, this, &Application::updateTrayIcon),
        connect(m_queue.get(), &ClipboardQueue::isCollectingChanged, this, &Application::updateTrayIcon),
        connect(m_globalShortcuts.get(), &GlobalShortcuts::takenActionsChanged, this, &Application::updateTrayIcon),
    };
    updateTrayIcon();
    m_flashSubscription = connect(m_queue.get(), &ClipboardQueue::flashRequested, m_trayIcon.get(), &TrayIcon::flash);
}

void Application::buildPopup() {
    PopupController::Dependencies dependencies;
    dependencies.queue = m_queue.get();
    dependencies.shortcutManager = m_shortcutManager.get();
    dependencies.languageStore = m_language.get();
    dependencies.coordinator = m_coordinator.get();
    dependencies.platform = &m_platform;
    dependencies.trayIconGeometry = [this] { return m_systemTrayIcon ? m_systemTrayIcon->geometry() : QRect(); };
    dependencies.paste = [this] { requestPaste(PasteNextEntry{}, PasteRequestSource::button); };
    dependencies.pasteAll = [self = QPointer<Application>(this)](const QString& separator,
                                                                 const QList<QUuid>& expectedIDs,
                                                                 CombineScreenModel::PasteCompletion completion) {
        if (self) {
            self->requestPaste(PasteAllText{separator, expectedIDs}, PasteRequestSource::button, std::move(completion));
        }
    };
    dependencies.textJoinStore = std::make_shared<SettingsTextJoinPreferenceStore>(m_settings);
    dependencies.globalShortcuts = m_globalShortcuts.get();
    dependencies.quit = [] { QApplication::quit(); };
    dependencies.openSessionHelp = [] {
        QDesktopServices::openUrl(installedReadmeUrl(QStringLiteral("session-requirements")));
    };
    m_popup = std::make_unique<PopupController>(std::move(dependencies));
    m_coordinator->setPopup(m_popup.get());
    connect(m_systemTrayIcon.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                // The left button; the right one opens the menu. The second of two quick clicks comes as a
                // double click, and is a click on the icon all the same.
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
                    m_popup->trayIconClicked();
                }
            });
}

void Application::updateTrayIcon() {
    const qint64 count = m_queue->queue().count();
    matchPanelColor();
    const auto& code = m_language->preferredLanguageCode();
    m_trayIcon->update(count, m_queue->isCollecting(), code,
                       statusNotices(count, m_globalShortcuts.get(), m_shortcutManager.get(), catalogForLanguage(code),
                                     localeForLanguage(code)));
    retranslateTrayMenu();
    qCDebug(lcUi).noquote()
        << QStringLiteral("status item image=%1 count=%2").arg(m_trayIcon->currentImageName()).arg(count);
}

void Application::matchPanelColor() {
    // A tray does not say its text colour; what the panel shows around the icon does.
    const QRect icon = m_systemTrayIcon->geometry();
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
    if (const auto color = TrayIcon::textColorOn(ring)) {
        m_trayIcon->setIconColor(*color);
    }
}

void Application::retranslateTrayMenu() {
    const auto& code = m_language->preferredLanguageCode();
    const TranslationCatalog catalog = catalogForLanguage(code);
    const QLocale locale = localeForLanguage(code);
    m_toggleAction->setText(m_queue->isCollecting()
                                ? localizedString(QT_TRANSLATE_NOOP("Sorvu", "Stop"), catalog, locale)
                                : localizedString(QT_TRANSLATE_NOOP("Sorvu", "Start"), catalog, locale));
    m_quitAction->setText(localizedString(QT_TRANSLATE_NOOP("Sorvu", "Quit"), catalog, locale));
}

bool Application::isCollecting() const {
    return m_queue->isCollecting();
}

int Application::queueCount() const {
    return int(m_queue->queue().size());
}

void Application::toggleCollecting() {
    m_queue->toggleCollecting();
}

void Application::pasteNext() {
    requestPaste(PasteNextEntry{}, PasteRequestSource::command);
}

void Application::pasteAll(const QString& separator) {
    // What is queued now is what the caller asks to join.
    QList<QUuid> ids;
    for (const auto& entry : m_queue->queue()) {
        ids.append(entry.id);
    }
    requestPaste(PasteAllText{separator, ids}, PasteRequestSource::command);
}

void Application::showPopup() {
    if (m_popup) {
        m_popup->showPopup();
    }
}

void Application::togglePopup() {
    if (m_popup) {
        m_popup->trayIconClicked();
    }
}

void Application::quit() {
    QApplication::quit();
}

void Application::requestPaste(const PasteRequestKind& kind, PasteRequestSource source, PasteCompletion completion) {
    m_pasteGate->submit(kind, source, std::move(completion));
}

void Application::dispatchPaste(const PasteRequestKind& kind, PasteRequestSource source, PasteCompletion completion) {
    m_coordinator->handlePasteRequest(
        kind, source,
        [self = QPointer<Application>(this), completion = std::move(completion)](PasteAttemptResult result) {
            if (self && result == PasteAttemptResult::commandPosted) {
                self->m_unfetchedPasteChange = self->m_queue->lastChangeCount();
            }
            // Nothing reaches the window in front: the user would otherwise wait for a paste that never comes.
            if (self && result == PasteAttemptResult::copyInProgress) {
                self->notify(
                    QT_TRANSLATE_NOOP("Sorvu", "The next entry is still being copied. Paste again in a moment."));
            }
            if (self && result == PasteAttemptResult::storedFileMissing) {
                self->notify(QT_TRANSLATE_NOOP("Sorvu", "The next entry's copy was deleted outside Sorvu, so it was "
                                                        "removed from the queue."));
            }
            if (completion) {
                completion(result);
            }
        });
}

} // namespace sorvu
