// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/Popup.h"
#include "app/PopupHost.h"
#include "views/PopupRootModel.h"

#include <QObject>
#include <QPointer>
#include <QRect>

#include <functional>
#include <memory>

class QQmlComponent;
class QQmlEngine;
class QQuickItem;
class QQuickWindow;

namespace sorvu {

class ClipboardQueue;
class PopupWatchers;
class GlobalShortcuts;
class LanguagePreferenceStore;
class LaunchAtLoginSetting;
class PasteRequestCoordinator;
class Platform;
class ShortcutManager;

// The popup under the tray icon: a frameless window that stays on top, opened and closed by the icon, and
// closed by a click outside it, by Escape, or when a paste or a drop empties the queue; nothing else closes
// it. Its content is made anew at every opening, so it always opens on the queue screen.
class PopupController : public QObject, public Popup {
    Q_OBJECT

public:
    struct Dependencies {
        ClipboardQueue* queue = nullptr;
        LaunchAtLoginSetting* launchAtLogin = nullptr;
        ShortcutManager* shortcutManager = nullptr;
        LanguagePreferenceStore* languageStore = nullptr;
        PasteRequestCoordinator* coordinator = nullptr;
        // Which shortcuts another program holds, for the settings; may be absent.
        GlobalShortcuts* globalShortcuts = nullptr;
        Platform* platform = nullptr;
        PopupHost* host = nullptr;
        std::shared_ptr<TextJoinPreferenceStore> textJoinStore;
    };

    explicit PopupController(Dependencies dependencies, QObject* parent = nullptr);
    ~PopupController() override;

    // The tray icon was clicked.
    void trayIconClicked();
    void showPopup();
    void closePopup(CloseReason reason);

    bool isShown() const override;
    void bringToFront() override;
    void close(CloseReason reason) override { closePopup(reason); }
    void pasteReachedRecipient() override;

    bool isClosing() const { return m_isClosing; }
    // Whether the watchers of outside clicks and Escape are installed (all of them or none).
    bool areMonitorsInstalled() const;
    QQuickWindow* window() const { return m_window.get(); }
    PopupRootModel* content() const { return m_content; }

private:
    void createWindow();
    void buildContent(double minimumQueueListHeight);
    void destroyContent();
    void releaseClosedContent();
    void place();
    void popupClosed();
    void installMonitors();
    void removeMonitors();

    Dependencies m_dependencies;
    std::unique_ptr<QQmlEngine> m_engine;
    std::unique_ptr<QQmlComponent> m_component;
    std::unique_ptr<QQuickWindow> m_window;
    QPointer<PopupRootModel> m_content;
    QPointer<QQuickItem> m_contentItem;
    bool m_isClosing = false;
    // Between the showing and the end of the closing, however the window went.
    bool m_isOpen = false;
    QPoint m_pointerAtOpening;

    // While the popup is open; it goes by itself once stopped.
    PopupWatchers* m_watchers = nullptr;
};

} // namespace sorvu
