// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11Platform.h"

#include "platform/linux/DesktopNotification.h"
#include "platform/linux/XdgAutostart.h"
#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11DisplayCheck.h"
#include "platform/x11/X11GrabbedShortcuts.h"
#include "platform/x11/X11InputAccess.h"
#include "platform/x11/X11KeyboardLayout.h"
#include "platform/x11/X11OfferedMimeData.h"
#include "platform/x11/X11PasteKeystroke.h"
#include "platform/x11/X11PointerMonitor.h"
#include "platform/x11/X11WindowHints.h"
#include "platform/x11/X11Workspace.h"

#include <QGuiApplication>
#include <QScreen>

namespace sorvu {

std::optional<QString> X11Platform::sessionProblem() {
    return x11SessionProblem();
}

void X11Platform::useX11ForQt() {
    qputenv("QT_QPA_PLATFORM", "xcb");
}

X11Platform::X11Platform(QObject* parent)
    : Platform(parent), m_clipboard(std::make_shared<X11Clipboard>()), m_workspace(std::make_unique<X11Workspace>()),
      m_autostart(std::make_shared<XdgAutostart>()) {
    connect(m_clipboard.get(), &X11Clipboard::offeredContentFetched, this,
            [this](qint64 changeCount, const QString&) { emit clipboardContentFetched(changeCount); });
}

X11Platform::~X11Platform() = default;

std::shared_ptr<Clipboard> X11Platform::clipboard() {
    return m_clipboard;
}

std::optional<std::function<void()>> X11Platform::makePasteKeystroke(PasteKeys keys) {
    std::optional<std::function<void()>> keystroke = makeX11PasteKeystroke(keys);
    if (!keystroke) {
        return std::nullopt;
    }
    return [shortcuts = m_shortcuts, clipboard = m_clipboard, keys, post = std::move(*keystroke)] {
        // xterm and its kin paste PRIMARY on Shift+Insert: the entry waits there as well. Claimed on Qt's
        // connection like the keys, so the server handles the claim first.
        if (keys == PasteKeys::shiftInsert) {
            clipboard->offerLastWriteOnPrimary();
        }
        if (shortcuts) {
            shortcuts->withGrabsLifted(post);
        } else {
            post();
        }
    };
}

QSet<quint16> X11Platform::keysDown() {
    return x11KeysDown();
}

Workspace& X11Platform::workspace() {
    return *m_workspace;
}

bool X11Platform::hasInputAccess() {
    return hasX11InputAccess();
}

std::shared_ptr<LaunchAtLogin> X11Platform::launchAtLogin() {
    return m_autostart;
}

CharacterForKeyCode X11Platform::characterForKeyCode() {
    return [](quint16 keyCode) { return X11KeyboardLayout::shared().characterForKeyCode(keyCode); };
}

KeyCodeForCharacter X11Platform::keyCodeForCharacter() {
    return [](const QString& text) { return X11KeyboardLayout::shared().keyCodeForCharacter(text); };
}

std::unique_ptr<GlobalShortcuts> X11Platform::createGlobalShortcuts(ShortcutManager& manager) {
    auto shortcuts = std::make_unique<X11GrabbedShortcuts>(manager);
    // The paste keystroke lifts the grabs while it posts.
    m_shortcuts = shortcuts.get();
    return shortcuts;
}

void X11Platform::showNotification(const QString& text) {
    showDesktopNotification(QStringLiteral("Sorvu"), text, NotificationDelivery::inBackground);
}

std::unique_ptr<QObject> X11Platform::watchPointerPresses(std::function<void(QPoint position)> handler) {
    auto monitor = std::make_unique<X11PointerMonitor>([handler = std::move(handler)](QPoint position, int) {
        // X reports device pixels; Qt places windows in device-independent ones.
        const QScreen* screen = QGuiApplication::primaryScreen();
        const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
        handler(QPoint(qRound(position.x() / ratio), qRound(position.y() / ratio)));
    });
    if (!monitor->isWatching()) {
        return nullptr;
    }
    return monitor;
}

void X11Platform::keepOffTaskbar(QWindow& window) {
    skipTaskbarAndPager(window);
}

QMimeData* X11Platform::makeDropData(const ClipboardItem& item) {
    // A drop fetches from the drag's own selection, not the clipboard: there is no paste to report.
    return new X11OfferedMimeData(item, {});
}

} // namespace sorvu
