// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11Platform.h"

#include "engine/Log.h"
#include "platform/linux/DesktopNotification.h"
#include "platform/linux/DesktopShortcuts.h"
#include "platform/linux/MutterRemoteDesktopKeystroke.h"
#include "platform/linux/OfferedMimeData.h"
#include "platform/linux/PortalRemoteDesktopKeystroke.h"
#include "platform/linux/RemoteDesktopPasteOutput.h"
#include "platform/linux/XdgAutostart.h"
#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11GrabbedShortcuts.h"
#include "platform/x11/X11KeyboardLayout.h"
#include "platform/x11/X11PasteKeystroke.h"
#include "platform/x11/X11PasteOutput.h"
#include "platform/x11/X11PointerMonitor.h"
#include "platform/x11/X11WindowHints.h"
#include "platform/x11/X11Workspace.h"

#include <QDBusConnection>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPixmap>
#include <QScreen>
#include <QSettings>

namespace sorvu {

namespace {

// Mutter's own service first: it asks the user nothing. The portal's asks once per session.
std::shared_ptr<RemoteDesktopPasteOutput> lentKeyboard(KeyCodeForCharacter keyCodeForCharacter) {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    std::vector<std::unique_ptr<RemoteDesktopKeystroke>> roads;
    roads.push_back(std::make_unique<MutterRemoteDesktopKeystroke>(bus, keyCodeForCharacter));
    roads.push_back(std::make_unique<PortalRemoteDesktopKeystroke>(
        bus, std::make_shared<QSettings>(QStringLiteral("Sorvu"), QStringLiteral("Sorvu")), keyCodeForCharacter));
    auto keyboard = std::make_shared<RemoteDesktopPasteOutput>(std::move(roads));
    keyboard->start();
    return keyboard;
}

} // namespace

X11Platform::X11Platform(const SessionEnvironment& environment, QString sessionKey, QObject* parent)
    : Platform(parent), m_sessionKey(std::move(sessionKey)), m_clipboard(std::make_shared<X11Clipboard>()),
      m_workspace(std::make_unique<X11Workspace>()), m_insideWayland(!environment.waylandDisplay.isEmpty()) {
    if (m_insideWayland) {
        qCInfo(lcUi).noquote() << QStringLiteral(
            "x11 inside a wayland session: keys through the desktop's remote desktop, shortcuts from the desktop");
        m_workspace->setCanActivate(false);
        m_lentKeyboard = lentKeyboard(keyCodeForCharacter());
        m_desktopShortcuts = std::make_unique<DesktopShortcuts>(environment, QDBusConnection::sessionBus());
    }
    m_pasteOutput = std::make_shared<X11PasteOutput>(m_clipboard, *m_workspace, m_lentKeyboard);
    m_autostart = std::make_shared<XdgAutostart>();
    connect(m_clipboard.get(), &X11Clipboard::offeredContentFetched, this, [this](qint64 changeCount, const QString&) {
        if (!m_pasteOutput->isHandOverFetch(changeCount)) {
            emit clipboardContentFetched(changeCount);
        }
    });
}

X11Platform::~X11Platform() = default;

std::shared_ptr<Clipboard> X11Platform::clipboard() {
    return m_clipboard;
}

std::shared_ptr<PasteOutput> X11Platform::pasteOutput() {
    return m_pasteOutput;
}

Workspace& X11Platform::workspace() {
    return *m_workspace;
}

std::shared_ptr<LaunchAtLogin> X11Platform::launchAtLogin() {
    return m_autostart;
}

std::optional<QSet<quint16>> X11Platform::keysDown() {
    return x11KeysDown();
}

quint16 X11Platform::keyCode(const QKeyEvent& event) const {
    // Qt's xcb plugin gives the X keycode, which is the XKB key code.
    return quint16(event.nativeScanCode());
}

CharacterForKeyCode X11Platform::characterForKeyCode() {
    return [](quint16 keyCode) { return X11KeyboardLayout::shared().characterForKeyCode(keyCode); };
}

KeyCodeForCharacter X11Platform::keyCodeForCharacter() {
    return [](const QString& text) { return X11KeyboardLayout::shared().keyCodeForCharacter(text); };
}

Platform::ShortcutSource X11Platform::shortcutSource() const {
    if (!m_desktopShortcuts) {
        return ShortcutSource::grabbedKeys;
    }
    return m_desktopShortcuts->heldByDesktop() ? ShortcutSource::desktopPortal : ShortcutSource::desktopBindings;
}

bool X11Platform::canOpenShortcutSettings() const {
    return m_desktopShortcuts && m_desktopShortcuts->canOpenSettings();
}

bool X11Platform::openShortcutSettings() {
    return m_desktopShortcuts && m_desktopShortcuts->openSettings();
}

bool X11Platform::canWriteShortcutBindings() const {
    return m_desktopShortcuts && m_desktopShortcuts->canWriteBindings();
}

void X11Platform::writeShortcutBindings(std::function<void(bool)> done) {
    if (!m_desktopShortcuts) {
        done(false);
        return;
    }
    m_desktopShortcuts->writeBindings(std::move(done));
}

std::unique_ptr<GlobalShortcuts> X11Platform::createGlobalShortcuts(ShortcutManager& manager) {
    // X grabs see no key pressed in a Wayland window.
    if (m_desktopShortcuts) {
        return m_desktopShortcuts->create();
    }
    auto shortcuts = std::make_unique<X11GrabbedShortcuts>(manager);
    // The paste keystroke lifts the grabs while it posts.
    m_pasteOutput->setShortcuts(shortcuts.get());
    return shortcuts;
}

std::unique_ptr<QObject> X11Platform::watchPointerPresses(std::function<void(QPoint position)> handler) {
    // XWayland sees no press in a Wayland window: the popup closes when it loses the keyboard instead.
    if (m_insideWayland) {
        return nullptr;
    }
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

std::optional<QImage> X11Platform::panelAround(const QRect& area) {
    QScreen* screen = area.isEmpty() ? nullptr : QGuiApplication::screenAt(area.center());
    if (!screen) {
        return QImage();
    }
    const QPoint origin = area.topLeft() - screen->geometry().topLeft();
    return screen->grabWindow(0, origin.x(), origin.y(), area.width(), area.height()).toImage();
}

void X11Platform::showNotification(const QString& text) {
    showDesktopNotification(QStringLiteral("Sorvu"), text, NotificationDelivery::inBackground);
}

QMimeData* X11Platform::makeDropData(const ClipboardItem& item) {
    // A drop fetches from the drag's own selection, not the clipboard: there is no paste to report.
    return new OfferedMimeData(item, {});
}

} // namespace sorvu
