// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/PopupController.h"

#include "app/EventFilter.h"
#include "app/PasteRequestCoordinator.h"
#include "dragout/DragOut.h"
#include "engine/ClipboardQueue.h"
#include "engine/LaunchAtLoginSetting.h"
#include "engine/Log.h"
#include "platform/Platform.h"
#include "shortcuts/ShortcutManager.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
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
    m_globalMouseMonitor.reset();
    m_localMouseMonitor.reset();
    m_keyMonitor.reset();
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
    return m_localMouseMonitor && m_keyMonitor;
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
    if (m_globalMouseMonitor || m_localMouseMonitor || m_keyMonitor) {
        return;
    }
    // Presses in other programs; a session that cannot report them leaves only Sorvu's own windows watched.
    m_globalMouseMonitor =
        m_dependencies.platform->watchPointerPresses([this](QPoint position) { outsideClickElsewhere(position); });
    m_localMouseMonitor =
        std::make_unique<EventFilter>(QCoreApplication::instance(), [this](QObject* watched, QEvent* event) {
            return outsideClickInSorvu(watched, event);
        });
    m_keyMonitor = std::make_unique<EventFilter>(
        m_window.get(), [this](QObject* watched, QEvent* event) { return keyPressed(watched, event); });
    if (!m_globalMouseMonitor) {
        m_focusMonitor = connect(m_window.get(), &QWindow::activeChanged, this, &PopupController::activeChanged);
    }
}

void PopupController::activeChanged() {
    if (!isShown() || DragOut::isDragOutActive()) {
        return;
    }
    if (m_window->isActive()) {
        m_lostFocusToPaste = false;
        return;
    }
    // A paste that brings its recipient back takes the keyboard on purpose; what follows is the paste's to say.
    if (m_dependencies.coordinator->isRestoringFocusForPaste()) {
        m_lostFocusToPaste = true;
        return;
    }
    closePopup(CloseReason::outsideClick);
}

void PopupController::pasteReachedRecipient() {
    // The keyboard stays with the recipient, where a click elsewhere would have put it.
    if (std::exchange(m_lostFocusToPaste, false) && isShown() && !m_window->isActive()) {
        closePopup(CloseReason::outsideClick);
    }
}

void PopupController::removeMonitors() {
    // A monitor may be the caller (a click closed the popup): it stops now and goes once it has returned.
    const auto dispose = [](auto& monitor) {
        if (monitor) {
            monitor->disconnect();
            monitor.release()->deleteLater();
        }
    };
    if (m_localMouseMonitor) {
        m_localMouseMonitor->stop();
    }
    if (m_keyMonitor) {
        m_keyMonitor->stop();
    }
    disconnect(m_focusMonitor);
    m_lostFocusToPaste = false;
    dispose(m_globalMouseMonitor);
    dispose(m_localMouseMonitor);
    dispose(m_keyMonitor);
}

void PopupController::outsideClickElsewhere(QPoint position) {
    if (!isShown() || m_window->frameGeometry().contains(position) || isOnTrayIcon(position)) {
        return;
    }
    closePopup(CloseReason::outsideClick);
}

bool PopupController::outsideClickInSorvu(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress || !watched->isWindowType() || watched == m_window.get()) {
        return false;
    }
    // The icon's own action answers a click on it.
    const auto* press = static_cast<QMouseEvent*>(event);
    if (!isOnTrayIcon(press->globalPosition().toPoint())) {
        closePopup(CloseReason::outsideClick);
    }
    return false;
}

bool PopupController::keyPressed(QObject* watched, QEvent* event) {
    if (watched != m_window.get() || event->type() != QEvent::KeyPress) {
        return false;
    }
    // A running drag out of the popup takes Escape itself, to cancel.
    if (DragOut::isDragOutActive()) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    // An open list of a picker closes itself on Escape, leaving the popup open.
    if (key->key() == Qt::Key_Escape && m_window->activeFocusItem()) {
        const auto* list = m_window->activeFocusItem()->property("popup").value<QObject*>();
        if (list && list->property("visible").toBool()) {
            return false;
        }
    }
    if (key->key() == Qt::Key_Escape) {
        // The first Escape ends a shortcut recording; only the next one closes the popup.
        if (const auto cancelRecording = m_dependencies.shortcutManager->cancelRecordingHandler()) {
            cancelRecording();
        } else {
            closePopup(CloseReason::escape);
        }
        return true;
    }
    // While a shortcut is recorded every key is the recorder's, so none reaches a control of the popup.
    if (!m_dependencies.shortcutManager->recordingAction()) {
        return false;
    }
    if (m_content) {
        m_content->keyPressed(m_dependencies.platform->keyCode(*key), keyModifiersFromQt(key->modifiers()),
                              key->isAutoRepeat());
    }
    return true;
}

bool PopupController::isOnTrayIcon(QPoint position) const {
    return m_dependencies.host->trayIconGeometry().contains(position);
}

} // namespace sorvu
