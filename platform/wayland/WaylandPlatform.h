// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/Platform.h"

#include <QString>

#include <memory>

namespace sorvu {

class WaylandClipboard;
class WaylandConnection;
class WaylandPasteKeystroke;
class WaylandWorkspace;
class XdgAutostart;

// The services of a Wayland session with data-control: the clipboard watched and written over Sorvu's own
// connection, the paste keystroke on a virtual keyboard, the window list of foreign-toplevel management, and
// XDG autostart. The compositor places windows and lets no program take keys: the desktop binds its own keys
// to Sorvu's command line.
class WaylandPlatform : public Platform {
    Q_OBJECT

public:
    explicit WaylandPlatform(QString sessionKey, QObject* parent = nullptr);
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
    ShortcutSource shortcutSource() const override { return ShortcutSource::desktopBindings; }
    std::unique_ptr<GlobalShortcuts> createGlobalShortcuts(ShortcutManager& manager) override;
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
    QString m_sessionKey;
    // First made, last gone: everything below talks through it.
    std::unique_ptr<WaylandConnection> m_connection;
    std::shared_ptr<WaylandClipboard> m_clipboard;
    std::shared_ptr<WaylandPasteKeystroke> m_keystroke;
    std::unique_ptr<WaylandWorkspace> m_workspace;
    std::shared_ptr<XdgAutostart> m_autostart;
};

} // namespace sorvu
