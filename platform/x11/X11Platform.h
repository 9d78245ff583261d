// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/Platform.h"

#include <QPointer>
#include <QString>

#include <memory>
#include <optional>

namespace sorvu {

class X11Clipboard;
class X11GrabbedShortcuts;
class X11Workspace;
class XdgAutostart;

// The services of an X11 session: the CLIPBOARD selection, keys posted with XTest, shortcuts as key grabs,
// an EWMH window manager, xkbcommon for the layout, and XDG autostart.
class X11Platform : public Platform {
    Q_OBJECT

public:
    // Why Sorvu cannot run in this session, checked before the Qt application exists: nothing when an X
    // display can be opened, else one line for the user.
    static std::optional<QString> sessionProblem();
    // Makes Qt talk to the same X server as the platform, even under XWayland. Call before the application.
    static void useX11ForQt();

    explicit X11Platform(QObject* parent = nullptr);
    ~X11Platform() override;

    std::shared_ptr<Clipboard> clipboard() override;
    std::optional<std::function<void()>> makePasteKeystroke(PasteKeys keys) override;
    QSet<quint16> keysDown() override;
    Workspace& workspace() override;
    bool hasInputAccess() override;
    std::shared_ptr<LaunchAtLogin> launchAtLogin() override;
    CharacterForKeyCode characterForKeyCode() override;
    KeyCodeForCharacter keyCodeForCharacter() override;
    std::unique_ptr<GlobalShortcuts> createGlobalShortcuts(ShortcutManager& manager) override;
    void showNotification(const QString& text) override;
    std::unique_ptr<QObject> watchPointerPresses(std::function<void(QPoint position)> handler) override;
    void keepOffTaskbar(QWindow& window) override;
    QMimeData* makeDropData(const ClipboardItem& item) override;

private:
    std::shared_ptr<X11Clipboard> m_clipboard;
    std::unique_ptr<X11Workspace> m_workspace;
    std::shared_ptr<XdgAutostart> m_autostart;
    QPointer<X11GrabbedShortcuts> m_shortcuts;
};

} // namespace sorvu
