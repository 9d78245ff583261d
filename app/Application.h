// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/PasteRequest.h"
#include "app/PopupHost.h"
#include "platform/RemoteControl.h"
#include "shortcuts/ShortcutAction.h"

#include <QList>
#include <QObject>
#include <QSettings>

#include <memory>

namespace sorvu {

class ClipboardQueue;
class GlobalShortcuts;
class LaunchAtLoginSetting;
class LanguagePreferenceStore;
class PasteRequestCoordinator;
class PasteRequestGate;
class PopupController;
class SessionBusControl;
class Platform;
class ShortcutManager;
class TrayEntry;
class UpdateController;

// The program's long-lived objects (the queue, the shortcuts, the language) over one platform, and the
// launch sequence that brings up the shortcuts, the login-item state, the tray icon and the road every
// paste takes.
class Application : public QObject, public RemoteControl, public PopupHost {
    Q_OBJECT

public:
    // The queue keeps copies of copied files under the storage directory.
    Application(Platform& platform, std::shared_ptr<QSettings> settings, const QString& storageDirectory,
                QObject* parent = nullptr);
    ~Application() override;

    // Runs once the event loop turns.
    void launch();
    // Runs when the event loop is about to end.
    void terminate();

    ClipboardQueue& queue() { return *m_queue; }
    LaunchAtLoginSetting& launchAtLogin() { return *m_launchAtLogin; }
    ShortcutManager& shortcutManager() { return *m_shortcutManager; }
    LanguagePreferenceStore& languagePreferenceStore() { return *m_language; }
    // The popup, once launched.
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

    // What the popup asks of the shell.
    QRect trayIconGeometry() const override;
    void pasteFromPopup() override;
    void pasteAllFromPopup(const QString& separator, const QList<QUuid>& expectedIDs,
                           PasteCompletion completion) override;
    void openSessionHelp() override;

private:
    void applyLanguage();
    // Shows the text, translated into the user's language, as a desktop notification.
    void notify(const char* text);
    void handleShortcut(ShortcutAction action);
    void buildPopup();
    void requestPaste(const PasteRequestKind& kind, PasteRequestSource source, PasteCompletion completion = {});

    Platform& m_platform;
    std::shared_ptr<QSettings> m_settings;
    std::unique_ptr<ClipboardQueue> m_queue;
    std::unique_ptr<LaunchAtLoginSetting> m_launchAtLogin;
    std::unique_ptr<LanguagePreferenceStore> m_language;
    std::unique_ptr<ShortcutManager> m_shortcutManager;
    std::unique_ptr<GlobalShortcuts> m_globalShortcuts;

    std::unique_ptr<PopupController> m_popup;
    std::unique_ptr<TrayEntry> m_tray;
    std::unique_ptr<SessionBusControl> m_busControl;
    std::unique_ptr<UpdateController> m_updateController;

    std::unique_ptr<PasteRequestCoordinator> m_coordinator;
    std::unique_ptr<PasteRequestGate> m_pasteGate;
};

} // namespace sorvu
