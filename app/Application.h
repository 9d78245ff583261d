// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/PasteRequest.h"
#include "platform/RemoteControl.h"
#include "platform/linux/ReduceMotionSetting.h"
#include "shortcuts/ShortcutAction.h"

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QSettings>
#include <QTimer>

#include <memory>
#include <optional>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace sorvu {

class ClipboardQueue;
class GlobalShortcuts;
class LanguagePreferenceStore;
class PasteRequestCoordinator;
class PasteRequestGate;
class PopupController;
class SessionBusControl;
class Platform;
class ShortcutManager;
class TrayIcon;
class UpdateController;

// The program's long-lived objects (the queue, the shortcuts, the language) over one platform, and the
// launch sequence that brings up the shortcuts, the login-item state, the tray icon and the road every
// paste takes.
class Application : public QObject, public RemoteControl {
    Q_OBJECT

public:
    // The queue keeps copies of copied files under the storage directory.
    Application(Platform& platform, std::shared_ptr<QSettings> settings, const QString& storageDirectory,
                QObject* parent = nullptr);
    ~Application() override;

    // The session this Sorvu serves, which names it on the session bus; set before launch.
    void setSessionKey(const QString& sessionKey) { m_sessionKey = sessionKey; }
    // Runs once the event loop turns.
    void launch();
    // Runs when the event loop is about to end.
    void terminate();

    ClipboardQueue& queue() { return *m_queue; }
    ShortcutManager& shortcutManager() { return *m_shortcutManager; }
    LanguagePreferenceStore& languagePreferenceStore() { return *m_language; }
    // The popup, once the tray icon it hangs from exists.
    PopupController* popup() { return m_popup.get(); }

    // Requests from other programs, over the session bus.
    bool isCollecting() const override;
    int queueCount() const override;
    void toggleCollecting() override;
    void pasteNext() override;
    void pasteAll(const QString& separator) override;
    void showPopup() override;
    void togglePopup() override;
    void quit() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyLanguage();
    // Shows the text, translated into the user's language, as a desktop notification.
    void notify(const char* text);
    void handleShortcut(ShortcutAction action);
    void buildTrayIconWhenTrayExists();
    void buildTrayIcon();
    void buildPopup();
    void updateTrayIcon();
    void matchPanelColor();
    void retranslateTrayMenu();
    void requestPaste(const PasteRequestKind& kind, PasteRequestSource source, PasteCompletion completion = {});
    void dispatchPaste(const PasteRequestKind& kind, PasteRequestSource source, PasteCompletion completion);

    Platform& m_platform;
    std::shared_ptr<QSettings> m_settings;
    std::unique_ptr<ClipboardQueue> m_queue;
    std::unique_ptr<LanguagePreferenceStore> m_language;
    std::unique_ptr<ShortcutManager> m_shortcutManager;
    std::unique_ptr<GlobalShortcuts> m_globalShortcuts;

    std::unique_ptr<QSystemTrayIcon> m_systemTrayIcon;
    std::unique_ptr<TrayIcon> m_trayIcon;
    std::unique_ptr<QMenu> m_trayMenu;
    std::unique_ptr<PopupController> m_popup;
    std::unique_ptr<SessionBusControl> m_busControl;
    QString m_sessionKey;
    QAction* m_toggleAction = nullptr;
    QAction* m_quitAction = nullptr;
    QList<QMetaObject::Connection> m_queueSubscription;
    QMetaObject::Connection m_flashSubscription;
    std::unique_ptr<UpdateController> m_updateController;

    std::unique_ptr<PasteRequestCoordinator> m_coordinator;
    std::unique_ptr<PasteRequestGate> m_pasteGate;
    // The clipboard change of the last paste, until a target has fetched it.
    std::optional<qint64> m_unfetchedPasteChange;

    ReduceMotionSetting m_reduceMotion;
    QTimer m_trayWait;
};

} // namespace sorvu
