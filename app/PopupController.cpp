// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/PopupController.h"

#include "app/PasteRequestCoordinator.h"
#include "app/PopupWatchers.h"
#include "engine/ClipboardQueue.h"
#include "engine/LaunchAtLoginSetting.h"
#include "engine/Log.h"
#include "platform/Platform.h"
#include "shortcuts/ShortcutManager.h"

#include <QCursor>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>

namespace sorvu {

PopupController::PopupController(Dependencies dependencies, QObject* parent)
    : QObject(parent), m_dependencies(std::move(dependencies)) {}

PopupController::~PopupController() {
    // Going away is no closing: nothing may run on half-destroyed parts.
    if (m_window) {
        m_window->disconnect(this);
    }
    delete m_watchers;
    delete m_contentItem;
    delete m_content;
}

void PopupController::trayIconClicked() {
    if (isShown()) {
        closePopup(CloseReason::trayIcon);
    } else {
        showPopup();
    }
}

void PopupController::showPopup() {
    if (isShown()) {
        return;
    }
    // The user may have quit the program that held a shortcut; the settings then show it free at once.
    if (m_dependencies.globalShortcuts != nullptr) {
        m_dependencies.globalShortcuts->retryTaken();
    }
    // Sorvu comes to the front with the popup: first remember where pastes go.
    m_dependencies.coordinator->rememberPasteRecipient();
    ClipboardQueue& queue = *m_dependencies.queue;
    m_dependencies.launchAtLogin->refreshStatus();
    m_isClosing = false;
    const double minimumQueueListHeight = QueueScreenModel::estimatedListHeight(queue.queue());
    m_pointerAtOpening = QCursor::pos();
    buildContent(minimumQueueListHeight);
    qCDebug(lcUi).noquote() << QStringLiteral("popover will open queueCount=%1 minimumQueueListHeight=%2")
                                   .arg(queue.queue().size())
                                   .arg(minimumQueueListHeight, 0, 'f', 6);
    place();
    m_isOpen = true;
    m_window->show();
    m_dependencies.platform->keepOffTaskbar(*m_window);
    m_window->requestActivate();
    installMonitors();
}

void PopupController::closePopup(CloseReason reason) {
    if (m_isClosing || !isShown()) {
        return;
    }
    m_isClosing = true;
    qCDebug(lcUi).noquote() << QStringLiteral("popover close requested reason=%1").arg(caseName(reason));
    // Stepping aside for a paste does not withdraw that paste.
    if (reason != CloseReason::pasteHandOff) {
        m_dependencies.coordinator->cancelPendingBulkPaste();
    }
    m_window->hide();
    // Closed from the keyboard or the icon, the keyboard goes back to the program that was in front at the
    // opening. A click elsewhere chose its own window, and a paste has already brought the program back.
    const auto& recipient = m_dependencies.coordinator->pasteRecipient();
    Workspace& workspace = m_dependencies.platform->workspace();
    if ((reason == CloseReason::escape || reason == CloseReason::trayIcon) && recipient &&
        !workspace.isTerminated(*recipient)) {
        workspace.activate(*recipient);
    }
}

bool PopupController::isShown() const {
    return m_window && m_window->isVisible();
}

void PopupController::bringToFront() {
    if (isShown()) {
        m_window->raise();
        m_window->requestActivate();
    }
}

bool PopupController::areMonitorsInstalled() const {
    return m_watchers != nullptr;
}

void PopupController::popupClosed() {
    if (!m_isOpen) {
        return;
    }
    m_isOpen = false;
    qCDebug(lcUi).noquote() << QStringLiteral("popoverDidClose");
    m_dependencies.coordinator->cancelPendingBulkPaste();
    removeMonitors();
    m_isClosing = false;
    ShortcutManager& shortcuts = *m_dependencies.shortcutManager;
    if (const auto cancelRecording = shortcuts.cancelRecordingHandler()) {
        cancelRecording();
    }
    shortcuts.setRecordingAction(std::nullopt);
    shortcuts.setCancelRecordingHandler({});
    destroyContent();
    releaseClosedContent();
}

void PopupController::installMonitors() {
    if (m_watchers) {
        return;
    }
    PopupWatchers::Parts parts;
    parts.popup = this;
    parts.window = m_window.get();
    parts.platform = m_dependencies.platform;
    parts.host = m_dependencies.host;
    parts.shortcutManager = m_dependencies.shortcutManager;
    parts.coordinator = m_dependencies.coordinator;
    m_watchers = new PopupWatchers(parts, m_content);
}

void PopupController::removeMonitors() {
    if (m_watchers) {
        m_watchers->stop();
        m_watchers = nullptr;
    }
}

void PopupController::pasteReachedRecipient() {
    if (m_watchers) {
        m_watchers->pasteReachedRecipient();
    }
}

} // namespace sorvu
