// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/Clipboard.h"
#include "engine/LaunchAtLogin.h"
#include "engine/PasteKeys.h"
#include "platform/Workspace.h"
#include "shortcuts/GlobalShortcuts.h"
#include "shortcuts/KeyboardLayoutFunctions.h"

#include <QObject>
#include <QPoint>
#include <QSet>

#include <functional>
#include <memory>
#include <optional>

class QMimeData;
class QWindow;

namespace sorvu {

class ShortcutManager;

// Every system service whose realisation depends on the kind of desktop session (X11 now, Wayland
// next). The shell sees the session only through this; one implementation is chosen at start-up.
class Platform : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    virtual std::shared_ptr<Clipboard> clipboard() = 0;
    // The given paste keystroke, built before the clipboard is written; nothing when keys cannot be posted.
    // Posting it also does whatever else the session needs for that keystroke to paste the clipboard.
    virtual std::optional<std::function<void()>> makePasteKeystroke(PasteKeys keys) = 0;
    // The keys held down now, other than the lock keys; a paste from a shortcut waits until they are up.
    virtual QSet<quint16> keysDown() = 0;
    virtual Workspace& workspace() = 0;
    // Whether Sorvu can see its shortcuts and post keys in this session.
    virtual bool hasInputAccess() = 0;
    virtual std::shared_ptr<LaunchAtLogin> launchAtLogin() = 0;
    // What the keys of the current layout type, and which key types a character.
    virtual CharacterForKeyCode characterForKeyCode() = 0;
    virtual KeyCodeForCharacter keyCodeForCharacter() = 0;
    // The source of shortcut activations, matching what the manager holds; owned by the caller.
    virtual std::unique_ptr<GlobalShortcuts> createGlobalShortcuts(ShortcutManager& manager) = 0;
    // A short message on the desktop, without waiting for it to be shown.
    virtual void showNotification(const QString& text) = 0;
    // Reports each mouse-button press anywhere on the desktop, in other programs' windows too, at its place
    // in Qt's screen coordinates, for as long as the returned object lives. Nothing when the session does
    // not tell.
    virtual std::unique_ptr<QObject> watchPointerPresses(std::function<void(QPoint position)> handler) = 0;
    // Keeps a shown window that belongs to the tray icon out of taskbars and window switchers.
    virtual void keepOffTaskbar(QWindow& window) = 0;
    // What a program receives when an entry is dragged onto it: the same types as on the clipboard. Owned
    // by the caller.
    virtual QMimeData* makeDropData(const ClipboardItem& item) = 0;

signals:
    // A program fetched the clipboard content Sorvu offered at this change count: a paste arrived.
    void clipboardContentFetched(qint64 changeCount);
};

} // namespace sorvu
