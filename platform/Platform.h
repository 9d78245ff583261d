// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/Clipboard.h"
#include "engine/LaunchAtLogin.h"
#include "engine/PasteOutput.h"
#include "platform/Workspace.h"
#include "shortcuts/GlobalShortcuts.h"
#include "shortcuts/KeyboardLayoutFunctions.h"

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSet>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QKeyEvent;
class QMimeData;
class QWindow;

namespace sorvu {

class ShortcutManager;

// Every system service whose realisation depends on the kind of desktop session. The shell sees the session
// only through this, and asks it what the session lets Sorvu do rather than assuming; one implementation is
// chosen at start-up (PlatformFactory).
class Platform : public QObject {
    Q_OBJECT

public:
    // Where the two global shortcuts come from.
    enum class ShortcutSource {
        // Sorvu takes the keys itself; the user records them in the settings.
        grabbedKeys,
        // The desktop binds its own keys to Sorvu's command line; the settings show the commands to bind.
        desktopBindings,
        // The desktop holds them (its GlobalShortcuts portal) and says which keys fire each action; the user
        // changes them in the desktop's own settings.
        desktopPortal,
    };
    Q_ENUM(ShortcutSource)

    using QObject::QObject;

    // Names this session among the user's sessions: one Sorvu runs per session, and its stored files and
    // commands are keyed on it.
    virtual QString sessionKey() const = 0;

    virtual std::shared_ptr<Clipboard> clipboard() = 0;
    virtual std::shared_ptr<PasteOutput> pasteOutput() = 0;
    virtual Workspace& workspace() = 0;
    virtual std::shared_ptr<LaunchAtLogin> launchAtLogin() = 0;

    // The keys held down now, other than the lock keys; nothing when the session does not tell. A paste
    // from a shortcut waits until the keys it knows of are up.
    virtual std::optional<QSet<quint16>> keysDown() = 0;
    // The XKB key code of a key event in Sorvu's own windows: what shortcuts are stored with.
    virtual quint16 keyCode(const QKeyEvent& event) const = 0;
    // What the keys of the current layout type, and which key types a character.
    virtual CharacterForKeyCode characterForKeyCode() = 0;
    virtual KeyCodeForCharacter keyCodeForCharacter() = 0;
    virtual ShortcutSource shortcutSource() const = 0;
    // The source of shortcut activations, matching what the manager holds; owned by the caller.
    virtual std::unique_ptr<GlobalShortcuts> createGlobalShortcuts(ShortcutManager& manager) = 0;
    // Whether Sorvu knows the way to the desktop's own keyboard shortcut settings.
    virtual bool canOpenShortcutSettings() const { return false; }
    // Starts them, without waiting for them; false where they could not be started.
    virtual bool openShortcutSettings() { return false; }
    // Whether Sorvu can write the desktop's key bindings to its commands for the user (GNOME's custom shortcuts).
    virtual bool canWriteShortcutBindings() const { return false; }
    // Writes them without waiting, keeping the user's other bindings; `done` learns whether they were written.
    virtual void writeShortcutBindings(std::function<void(bool written)> done) { done(false); }

    // Whether Sorvu may put its own windows at a position of its choosing; otherwise the desktop places them.
    virtual bool canPlaceWindows() const = 0;
    // Reports each mouse-button press anywhere on the desktop, in other programs' windows too, at its place
    // in Qt's screen coordinates, for as long as the returned object lives. Nothing when the session does
    // not tell.
    virtual std::unique_ptr<QObject> watchPointerPresses(std::function<void(QPoint position)> handler) = 0;
    // Whether a system tray that appears after Sorvu started can still take its icon; otherwise only a tray
    // that is there at the start shows it.
    virtual bool trayMayAppearLater() const = 0;
    // Keeps a shown window that belongs to the tray icon out of taskbars and window switchers.
    virtual void keepOffTaskbar(QWindow& window) = 0;
    // What the screen shows in the area around the tray icon: a null image where there is nothing to see (an
    // area not placed on a screen yet); nothing when the session does not let Sorvu look at the screen.
    virtual std::optional<QImage> panelAround(const QRect& area) = 0;

    // A short message on the desktop, without waiting for it to be shown.
    virtual void showNotification(const QString& text) = 0;
    // What a program receives when an entry is dragged onto it: the same types as on the clipboard. Owned
    // by the caller.
    virtual QMimeData* makeDropData(const ClipboardItem& item) = 0;

signals:
    // A program fetched the clipboard content Sorvu offered at this change count: a paste arrived.
    void clipboardContentFetched(qint64 changeCount);
};

} // namespace sorvu
