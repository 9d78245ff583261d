// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/Platform.h"
#include "platform/SessionEnvironment.h"

#include <QString>

#include <memory>

namespace sorvu {

class DesktopShortcuts;
class RemoteDesktopPasteOutput;
class WaylandClipboard;
class WaylandConnection;
class WaylandPasteKeystroke;
class WaylandWorkspace;
class XdgAutostart;

// The services of a Wayland session with data-control: the clipboard watched and written over Sorvu's own
// connection, the paste keystroke on a virtual keyboard, the window list of foreign-toplevel management, and
// XDG autostart. The compositor places windows and lets no program take keys: the desktop holds the shortcuts
// (KDE Plasma's GlobalShortcuts portal) or binds its own keys to Sorvu's command line.
//
// A compositor that lends ordinary programs no virtual keyboard (KWin) gets the paste keystroke through the
// RemoteDesktop portal instead, whose session is asked for at the start, so that the first paste need not wait
// for it; and where the compositor keeps its window list to itself, every window is pasted into with Ctrl+V.
class WaylandPlatform : public Platform {
    Q_OBJECT

public:
    WaylandPlatform(const SessionEnvironment& environment, QString sessionKey, QObject* parent = nullptr);
    ~WaylandPlatform() override;

    QString sessionKey() const override { return m_sessionKey; }
    std::shared_ptr<Clipboard> clipboard() override;
    std::shared_ptr<PasteOutput> pasteOutput() override;
    Workspace& workspace() override;
    std::shared_ptr<LaunchAtLogin> launchAtLogin() override;
    // The virtual keyboard keeps its own modifier state: keys the user holds never mix into the paste.
    std::optional<QSet<quint16>> keysDown() override { return std::nullopt; }
    quint16 keyCode(const QKeyEvent& event) const override;
    CharacterForKeyCode characterForKeyCode() override;
    KeyCodeForCharacter keyCodeForCharacter() override;
    ShortcutSource shortcutSource() const override;
    std::unique_ptr<GlobalShortcuts> createGlobalShortcuts(ShortcutManager& manager) override;
    bool canOpenShortcutSettings() const override;
    bool openShortcutSettings() override;
    bool canPlaceWindows() const override { return false; }
    // Qt looks for a StatusNotifierItem host once, when the first tray icon is asked for.
    bool trayMayAppearLater() const override { return false; }
    // Presses in other programs are not told; the popup closes when it loses the keyboard instead.
    std::unique_ptr<QObject> watchPointerPresses(std::function<void(QPoint)>) override { return nullptr; }
    void keepOffTaskbar(QWindow&) override {}
    std::optional<QImage> panelAround(const QRect&) override { return std::nullopt; }
    void showNotification(const QString& text) override;
    QMimeData* makeDropData(const ClipboardItem& item) override;

private:
    void lendKeyboard();

    QString m_sessionKey;
    // First made, last gone: everything below talks through it.
    std::unique_ptr<WaylandConnection> m_connection;
    std::shared_ptr<WaylandClipboard> m_clipboard;
    std::shared_ptr<WaylandPasteKeystroke> m_keystroke;
    std::unique_ptr<WaylandWorkspace> m_workspace;
    // The keyboard a remote-desktop service lends, where the compositor lends none of its own; else null.
    std::shared_ptr<RemoteDesktopPasteOutput> m_lentKeyboard;
    std::shared_ptr<XdgAutostart> m_autostart;
    std::unique_ptr<DesktopShortcuts> m_shortcuts;
};

} // namespace sorvu
