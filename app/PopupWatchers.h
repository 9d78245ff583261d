// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/Popup.h"

#include <QMetaObject>
#include <QObject>
#include <QPoint>
#include <QPointer>

#include <memory>

class QEvent;
class QQuickWindow;

namespace sorvu {

class EventFilter;
class PasteRequestCoordinator;
class Platform;
class PopupHost;
class PopupRootModel;
class ShortcutManager;

// What closes an open popup from outside it: a press elsewhere (in another program, where the session tells,
// or in another of Sorvu's windows), Escape, and, where the session does not tell of presses in other programs,
// losing the keyboard. While a shortcut is recorded, the popup's keys go to the recorder. Made when the popup
// opens and let go when it closes.
class PopupWatchers : public QObject {
    Q_OBJECT

public:
    struct Parts {
        Popup* popup = nullptr;
        QQuickWindow* window = nullptr;
        Platform* platform = nullptr;
        PopupHost* host = nullptr;
        ShortcutManager* shortcutManager = nullptr;
        PasteRequestCoordinator* coordinator = nullptr;
    };

    PopupWatchers(Parts parts, QPointer<PopupRootModel> content);
    ~PopupWatchers() override;

    // Stops at once; the watchers go once the caller has returned (a watcher may be the caller).
    void stop();
    // A paste from the popup brought its recipient back and went to it.
    void pasteReachedRecipient();

private:
    void activeChanged();
    void pressedElsewhere(QPoint position);
    bool pressedInSorvu(QObject* watched, QEvent* event);
    bool keyPressed(QObject* watched, QEvent* event);
    bool isOnTrayIcon(QPoint position) const;

    Parts m_parts;
    QPointer<PopupRootModel> m_content;
    std::unique_ptr<QObject> m_pressesElsewhere;
    std::unique_ptr<EventFilter> m_pressesInSorvu;
    std::unique_ptr<EventFilter> m_keys;
    QMetaObject::Connection m_focus;
    // The popup lost the keyboard to the program a paste brought back.
    bool m_lostFocusToPaste = false;
};

} // namespace sorvu
