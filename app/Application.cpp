// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Application.h"

#include "app/BuildInfo.h"
#include "app/InstalledReadme.h"
#include "app/PasteRequestCoordinator.h"
#include "app/PasteRequestGate.h"
#include "app/PopupController.h"
#include "app/TrayEntry.h"
#include "app/UpdateController.h"
#include "engine/ClipboardCollector.h"
#include "engine/ClipboardQueue.h"
#include "engine/LaunchAtLoginSetting.h"
#include "engine/Log.h"
#include "engine/PasteKeysTable.h"
#include "engine/QueuePaster.h"
#include "platform/Platform.h"
#include "platform/linux/SessionBusControl.h"
#include "preferences/LanguagePreferenceStore.h"
#include "preferences/Localization.h"
#include "preferences/SettingsLanguagePreferenceStorage.h"
#include "preferences/SettingsTextJoinPreferenceStore.h"
#include "shortcuts/GlobalShortcuts.h"
#include "shortcuts/SettingsShortcutStore.h"
#include "shortcuts/ShortcutManager.h"

#include <QApplication>
#include <QDesktopServices>
#include <QPointer>

namespace sorvu {

namespace {

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
const char* copyProblemText(ClipboardCollector::CopyProblem problem) {
    switch (problem) {
    case ClipboardCollector::CopyProblem::tooLarge:
        return QT_TRANSLATE_NOOP("Sorvu", "A copied file was larger than the limit for stored files and was skipped. "
                                          "The limit is maximumFileMegabytes in the settings file.");
    case ClipboardCollector::CopyProblem::noSpace:
        return QT_TRANSLATE_NOOP("Sorvu", "A copied file was skipped: the disk has no room for a copy of it.");
    case ClipboardCollector::CopyProblem::noPermission:
        return QT_TRANSLATE_NOOP("Sorvu", "A copied file was skipped: Sorvu may not read it.");
    case ClipboardCollector::CopyProblem::specialFile:
        return QT_TRANSLATE_NOOP("Sorvu", "A copied pipe, socket or device cannot be queued and was skipped.");
    case ClipboardCollector::CopyProblem::specialFilesSkipped:
        return QT_TRANSLATE_NOOP("Sorvu", "Pipes, sockets or devices inside a copied folder were left out.");
    // Told once, at the first copy the full queue has no room for, and again only after it had room.
    case ClipboardCollector::CopyProblem::overCapacity:
        return QT_TRANSLATE_NOOP("Sorvu", "The queue is full at 99 entries: what was copied beyond that was not "
                                          "queued. Paste or remove entries to make room.");
    }
    return "";
}

} // namespace

Application::Application(Platform& platform, std::shared_ptr<QSettings> settings, const QString& storageDirectory,
                         QObject* parent)
    : QObject(parent), m_platform(platform), m_settings(std::move(settings)) {
    ClipboardQueue::Dependencies dependencies;
    dependencies.clipboard = m_platform.clipboard();
    dependencies.pasteOutput = m_platform.pasteOutput();
    dependencies.pasteKeys = PasteKeysTable::fromSettings(*m_settings);
    dependencies.clipboardFilesDirectory = storageDirectory;
    dependencies.sessionKey = m_platform.sessionKey();
    dependencies.maximumFileBytes =
        megabytesSetting(*m_settings, maximumFileMegabytesKey, ClipboardQueue::Dependencies().maximumFileBytes);
    m_platform.clipboard()->setSizeLimits(sizeLimits(*m_settings));
    m_queue = std::make_unique<ClipboardQueue>(std::move(dependencies));
    connect(&m_queue->collector(), &ClipboardCollector::copySkippedAsTooLarge, this,
            [this] { notify(QT_TRANSLATE_NOOP("Sorvu", "A copy was too large to queue and was skipped.")); });
    connect(&m_queue->collector(), &ClipboardCollector::copyNotQueued, this,
            [this](ClipboardCollector::CopyProblem problem) { notify(copyProblemText(problem)); });
    m_launchAtLogin = std::make_unique<LaunchAtLoginSetting>(m_platform.launchAtLogin(), m_settings);
    m_language =
        std::make_unique<LanguagePreferenceStore>(std::make_shared<SettingsLanguagePreferenceStorage>(m_settings));
    m_shortcutManager =
        std::make_unique<ShortcutManager>(std::make_shared<SettingsShortcutStore>(m_settings),
                                          m_platform.characterForKeyCode(), m_platform.keyCodeForCharacter());

    applyLanguage();
    connect(m_language.get(), &LanguagePreferenceStore::preferredLanguageCodeChanged, this,
            &Application::applyLanguage);
}

Application::~Application() = default;

void Application::launch() {
    // There is no window and no taskbar entry to give up: Sorvu only ever shows its tray icon.
    m_updateController = std::make_unique<UpdateController>(buildInfo());

    m_coordinator = std::make_unique<PasteRequestCoordinator>(*m_queue, m_platform.workspace());
    m_pasteGate = std::make_unique<PasteRequestGate>(m_platform, *m_coordinator);

    m_globalShortcuts = m_platform.createGlobalShortcuts(*m_shortcutManager);
    connect(m_globalShortcuts.get(), &GlobalShortcuts::activated, this, &Application::handleShortcut);
    m_globalShortcuts->start();
    m_launchAtLogin->refreshStatus();
    buildPopup();
    m_tray = std::make_unique<TrayEntry>(*m_queue, *m_language, *m_shortcutManager, m_globalShortcuts.get(), m_platform);
    connect(m_tray.get(), &TrayEntry::clicked, this, [this] { m_popup->trayIconClicked(); });
    m_tray->show();

    m_busControl = std::make_unique<SessionBusControl>(*this, m_platform.sessionKey());
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
    if (m_tray) {
        m_tray->hide();
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

void Application::buildPopup() {
    PopupController::Dependencies dependencies;
    dependencies.queue = m_queue.get();
    dependencies.launchAtLogin = m_launchAtLogin.get();
    dependencies.shortcutManager = m_shortcutManager.get();
    dependencies.languageStore = m_language.get();
    dependencies.coordinator = m_coordinator.get();
    dependencies.platform = &m_platform;
    dependencies.host = this;
    dependencies.textJoinStore = std::make_shared<SettingsTextJoinPreferenceStore>(m_settings);
    dependencies.globalShortcuts = m_globalShortcuts.get();
    m_popup = std::make_unique<PopupController>(std::move(dependencies));
    m_coordinator->setPopup(m_popup.get());
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
    m_pasteGate->submit(
        kind, source,
        [self = QPointer<Application>(this), completion = std::move(completion)](PasteAttemptResult result) {
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

QRect Application::trayIconGeometry() const {
    return m_tray ? m_tray->geometry() : QRect();
}

void Application::pasteFromPopup() {
    requestPaste(PasteNextEntry{}, PasteRequestSource::button);
}

void Application::pasteAllFromPopup(const QString& separator, const QList<QUuid>& expectedIDs,
                                    PasteCompletion completion) {
    requestPaste(PasteAllText{separator, expectedIDs}, PasteRequestSource::button, std::move(completion));
}

void Application::openSessionHelp() {
    QDesktopServices::openUrl(installedReadmeUrl(QStringLiteral("session-requirements")));
}

} // namespace sorvu
