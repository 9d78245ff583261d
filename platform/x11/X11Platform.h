// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/Platform.h"

#include <QString>

#include <memory>

namespace sorvu {

class X11Clipboard;
class X11PasteOutput;
class X11Workspace;
class XdgAutostart;

// The services of an X11 session: the CLIPBOARD selection, keys posted with XTest, shortcuts as key grabs,
// an EWMH window manager, xkbcommon for the layout, and XDG autostart.
class X11Platform : public Platform {
    Q_OBJECT

public:
    explicit X11Platform(QString sessionKey, QObject* parent = nullptr);
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
    ShortcutSource shortcutSource() const override { return ShortcutSource::grabbedKeys; }
    std::unique_ptr<GlobalShortcuts> createGlobalShortcuts(ShortcutManager& manager) override;
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
    std::shared_ptr<X11PasteOutput> m_pasteOutput;
    std::shared_ptr<XdgAutostart> m_autostart;
};

} // namespace sorvu
