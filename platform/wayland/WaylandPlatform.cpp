// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/wayland/WaylandPlatform.h"

#include "engine/Log.h"
#include "platform/linux/DesktopNotification.h"
#include "platform/linux/DesktopShortcuts.h"
#include "platform/linux/OfferedMimeData.h"
#include "platform/linux/PortalRemoteDesktopKeystroke.h"
#include "platform/linux/RemoteDesktopPasteOutput.h"
#include "platform/linux/XdgAutostart.h"
#include "platform/wayland/WaylandClipboard.h"
#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandPasteKeystroke.h"
#include "platform/wayland/WaylandWorkspace.h"

#include <QDBusConnection>
#include <QFile>
#include <QKeyEvent>
#include <QSettings>

namespace sorvu {

WaylandPlatform::WaylandPlatform(const SessionEnvironment& environment, QString sessionKey, QObject* parent)
    : Platform(parent), m_sessionKey(std::move(sessionKey)),
      m_connection(std::make_unique<WaylandConnection>(QFile::encodeName(m_sessionKey))),
      m_clipboard(std::make_shared<WaylandClipboard>(m_connection->dataControl())),
      m_keystroke(std::make_shared<WaylandPasteKeystroke>(*m_connection)),
      m_workspace(std::make_unique<WaylandWorkspace>(m_connection->toplevels())),
      m_autostart(std::make_shared<XdgAutostart>()),
      m_shortcuts(std::make_unique<DesktopShortcuts>(environment, QDBusConnection::sessionBus())) {
    qCInfo(lcUi).noquote() << QStringLiteral("wayland compositor offers %1").arg(m_connection->describe());
    if (!m_connection->offered().virtualKeyboard) {
        lendKeyboard();
    }
    connect(m_clipboard.get(), &WaylandClipboard::offeredContentFetched, this,
            [this](qint64 changeCount, const QString&) { emit clipboardContentFetched(changeCount); });
    connect(m_connection.get(), &WaylandConnection::connectionLost, this,
            [] { qCWarning(lcUi).noquote() << QStringLiteral("wayland connection lost"); });
}

void WaylandPlatform::lendKeyboard() {
    std::vector<std::unique_ptr<RemoteDesktopKeystroke>> roads;
    // The portal keeps its restore token with Sorvu's other settings.
    roads.push_back(std::make_unique<PortalRemoteDesktopKeystroke>(
        QDBusConnection::sessionBus(), std::make_shared<QSettings>(QStringLiteral("Sorvu"), QStringLiteral("Sorvu")),
        keyCodeForCharacter()));
    m_lentKeyboard = std::make_shared<RemoteDesktopPasteOutput>(std::move(roads));
    m_lentKeyboard->setRecipientClass([workspace = m_workspace.get()]() -> std::optional<WindowClass> {
        const std::optional<RunningProgram> front = workspace->frontmostProgram();
        return front ? workspace->windowClass(*front) : std::nullopt;
    });
    if (m_connection->toplevels() == nullptr) {
        qCInfo(lcUi).noquote() << QStringLiteral(
            "paste keystroke Ctrl+V for every window: the compositor does not tell which window is in front");
    }
    m_lentKeyboard->start();
}

// What talks through the connection goes before it.
WaylandPlatform::~WaylandPlatform() {
    m_lentKeyboard.reset();
    m_workspace.reset();
    m_keystroke.reset();
    m_clipboard.reset();
    m_connection.reset();
}

std::shared_ptr<Clipboard> WaylandPlatform::clipboard() {
    return m_clipboard;
}

std::shared_ptr<PasteOutput> WaylandPlatform::pasteOutput() {
    if (m_lentKeyboard) {
        return m_lentKeyboard;
    }
    return m_keystroke;
}

Workspace& WaylandPlatform::workspace() {
    return *m_workspace;
}

std::shared_ptr<LaunchAtLogin> WaylandPlatform::launchAtLogin() {
    return m_autostart;
}

quint16 WaylandPlatform::keyCode(const QKeyEvent& event) const {
    // Qt's Wayland plugin gives the key's XKB key code (evdev's code plus 8), as the xcb one does.
    return quint16(event.nativeScanCode());
}

CharacterForKeyCode WaylandPlatform::characterForKeyCode() {
    return [keystroke = std::weak_ptr<WaylandPasteKeystroke>(m_keystroke)](quint16 keyCode) -> std::optional<QString> {
        const auto alive = keystroke.lock();
        return alive ? alive->keymap().characterForKeyCode(keyCode) : std::nullopt;
    };
}

KeyCodeForCharacter WaylandPlatform::keyCodeForCharacter() {
    return
        [keystroke = std::weak_ptr<WaylandPasteKeystroke>(m_keystroke)](const QString& text) -> std::optional<quint16> {
            const auto alive = keystroke.lock();
            return alive ? alive->keymap().keyCodeForCharacter(text) : std::nullopt;
        };
}

Platform::ShortcutSource WaylandPlatform::shortcutSource() const {
    return m_shortcuts->heldByDesktop() ? ShortcutSource::desktopPortal : ShortcutSource::desktopBindings;
}

std::unique_ptr<GlobalShortcuts> WaylandPlatform::createGlobalShortcuts(ShortcutManager&) {
    return m_shortcuts->create();
}

bool WaylandPlatform::canOpenShortcutSettings() const {
    return m_shortcuts->canOpenSettings();
}

bool WaylandPlatform::openShortcutSettings() {
    return m_shortcuts->openSettings();
}

void WaylandPlatform::showNotification(const QString& text) {
    showDesktopNotification(QStringLiteral("Sorvu"), text, NotificationDelivery::inBackground);
}

QMimeData* WaylandPlatform::makeDropData(const ClipboardItem& item) {
    return new OfferedMimeData(item, {});
}

} // namespace sorvu
