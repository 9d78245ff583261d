// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/PopupWatchers.h"

#include "app/EventFilter.h"
#include "app/PasteRequestCoordinator.h"
#include "app/PopupHost.h"
#include "dragout/DragOut.h"
#include "platform/Platform.h"
#include "shortcuts/ShortcutManager.h"
#include "views/PopupRootModel.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QQuickItem>
#include <QQuickWindow>

namespace sorvu {

PopupWatchers::PopupWatchers(Parts parts, QPointer<PopupRootModel> content)
    : m_parts(parts), m_content(std::move(content)) {
    // Presses in other programs; a session that cannot report them leaves only Sorvu's own windows watched,
    // and losing the keyboard stands for a press elsewhere.
    m_pressesElsewhere = m_parts.platform->watchPointerPresses([this](QPoint position) { pressedElsewhere(position); });
    m_pressesInSorvu =
        std::make_unique<EventFilter>(QCoreApplication::instance(), [this](QObject* watched, QEvent* event) {
            return pressedInSorvu(watched, event);
        });
    m_keys = std::make_unique<EventFilter>(
        m_parts.window, [this](QObject* watched, QEvent* event) { return keyPressed(watched, event); });
    if (!m_pressesElsewhere) {
        m_focus = connect(m_parts.window, &QWindow::activeChanged, this, &PopupWatchers::activeChanged);
    }
}

PopupWatchers::~PopupWatchers() = default;

void PopupWatchers::stop() {
    m_pressesInSorvu->stop();
    m_keys->stop();
    disconnect(m_focus);
    if (m_pressesElsewhere) {
        m_pressesElsewhere->disconnect();
    }
    deleteLater();
}

void PopupWatchers::activeChanged() {
    if (!m_parts.popup->isShown() || DragOut::isDragOutActive()) {
        return;
    }
    if (m_parts.window->isActive()) {
        m_lostFocusToPaste = false;
        return;
    }
    // A paste that brings its recipient back takes the keyboard on purpose; what follows is the paste's to say.
    if (m_parts.coordinator->isRestoringFocusForPaste()) {
        m_lostFocusToPaste = true;
        return;
    }
    m_parts.popup->close(PopupCloseReason::outsideClick);
}

void PopupWatchers::pasteReachedRecipient() {
    // The keyboard stays with the recipient, where a press elsewhere would have put it.
    if (std::exchange(m_lostFocusToPaste, false) && m_parts.popup->isShown() && !m_parts.window->isActive()) {
        m_parts.popup->close(PopupCloseReason::outsideClick);
    }
}

void PopupWatchers::pressedElsewhere(QPoint position) {
    if (!m_parts.popup->isShown() || m_parts.window->frameGeometry().contains(position) || isOnTrayIcon(position)) {
        return;
    }
    m_parts.popup->close(PopupCloseReason::outsideClick);
}

bool PopupWatchers::pressedInSorvu(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress || !watched->isWindowType() || watched == m_parts.window) {
        return false;
    }
    // The icon's own action answers a press on it.
    const auto* press = static_cast<QMouseEvent*>(event);
    if (!isOnTrayIcon(press->globalPosition().toPoint())) {
        m_parts.popup->close(PopupCloseReason::outsideClick);
    }
    return false;
}

bool PopupWatchers::keyPressed(QObject* watched, QEvent* event) {
    if (watched != m_parts.window || event->type() != QEvent::KeyPress) {
        return false;
    }
    // A running drag out of the popup takes Escape itself, to cancel.
    if (DragOut::isDragOutActive()) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    // An open list of a picker closes itself on Escape, leaving the popup open.
    if (key->key() == Qt::Key_Escape && m_parts.window->activeFocusItem()) {
        const auto* list = m_parts.window->activeFocusItem()->property("popup").value<QObject*>();
        if (list && list->property("visible").toBool()) {
            return false;
        }
    }
    ShortcutManager& shortcuts = *m_parts.shortcutManager;
    if (key->key() == Qt::Key_Escape) {
        // The first Escape ends a shortcut recording; only the next one closes the popup.
        if (const auto cancelRecording = shortcuts.cancelRecordingHandler()) {
            cancelRecording();
        } else {
            m_parts.popup->close(PopupCloseReason::escape);
        }
        return true;
    }
    // While a shortcut is recorded every key is the recorder's, so none reaches a control of the popup.
    if (!shortcuts.recordingAction()) {
        return false;
    }
    if (m_content) {
        m_content->keyPressed(m_parts.platform->keyCode(*key), keyModifiersFromQt(key->modifiers()),
                              key->isAutoRepeat());
    }
    return true;
}

bool PopupWatchers::isOnTrayIcon(QPoint position) const {
    return m_parts.host->trayIconGeometry().contains(position);
}

} // namespace sorvu
