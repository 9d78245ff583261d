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
class X11Clipboard;
class X11PasteOutput;
class X11Workspace;
class XdgAutostart;

// The services of an X11 session: the CLIPBOARD selection, keys posted with XTest, shortcuts as key grabs,
// an EWMH window manager, xkbcommon for the layout, and XDG autostart.
//
// Inside a Wayland session (XWayland, on GNOME's mutter) the X server sees only XWayland's windows and the keys
// pressed in them. The clipboard is the same there, since the compositor mirrors it; but the paste keystroke goes
// through the desktop's remote-desktop service (mutter's own, else the portal), asked for at the start, the
// shortcuts come from the desktop (its GlobalShortcuts portal, or its own key bindings), a window is never
// brought back (the popup steps aside for a paste instead), and the popup closes when it loses the keyboard,
// since presses in Wayland windows reach no X client.
class X11Platform : public Platform {
    Q_OBJECT

public:
    X11Platform(const SessionEnvironment& environment, QString sessionKey, QObject* parent = nullptr);
    ~X11Platform() override;

    QString sessionKey() const override { return m_sessionKey; }
    std::shared_ptr<Clipboard> clipboard() override;
    std::shared_ptr<PasteOutput> pasteOutput() override;
    Workspace& workspace() override;
    std::shared_ptr<LaunchAtLogin> launchAtLogin() override;
    std::optional<QSet<quint16>> keysDown() override;
    quint16 keyCode(const QKeyEvent& event) const override;
    CharacterForKeyCode characterForKeyCode() override;
    KeyCodeForCharacter keyCodeForCharacter() override;
    ShortcutSource shortcutSource() const override;
    std::unique_ptr<GlobalShortcuts> createGlobalShortcuts(ShortcutManager& manager) override;
    bool canOpenShortcutSettings() const override;
    bool openShortcutSettings() override;
    bool canWriteShortcutBindings() const override;
    void writeShortcutBindings(std::function<void(bool written)> done) override;
    bool canPlaceWindows() const override { return true; }
    // A tray embeds its icons through an X selection that any later panel takes.
    bool trayMayAppearLater() const override { return true; }
    std::unique_ptr<QObject> watchPointerPresses(std::function<void(QPoint position)> handler) override;
    void keepOffTaskbar(QWindow& window) override;
    std::optional<QImage> panelAround(const QRect& area) override;
    void showNotification(const QString& text) override;
    QMimeData* makeDropData(const ClipboardItem& item) override;

private:
    QString m_sessionKey;
    std::shared_ptr<X11Clipboard> m_clipboard;
    std::unique_ptr<X11Workspace> m_workspace;
    // Run through XWayland: the X server knows XWayland's windows and the keys and presses in them only.
    bool m_insideWayland;
    // Inside a Wayland session: the keyboard the desktop lends and the shortcuts it holds; else null.
    std::shared_ptr<RemoteDesktopPasteOutput> m_lentKeyboard;
    std::unique_ptr<DesktopShortcuts> m_desktopShortcuts;
    std::shared_ptr<X11PasteOutput> m_pasteOutput;
    std::shared_ptr<XdgAutostart> m_autostart;
};

} // namespace sorvu
