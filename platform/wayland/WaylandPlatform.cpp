// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/wayland/WaylandPlatform.h"

#include "engine/Log.h"
#include "platform/linux/DesktopBoundShortcuts.h"
#include "platform/linux/DesktopNotification.h"
#include "platform/linux/OfferedMimeData.h"
#include "platform/linux/XdgAutostart.h"
#include "platform/wayland/WaylandClipboard.h"
#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandPasteKeystroke.h"
#include "platform/wayland/WaylandWorkspace.h"

#include <QFile>
#include <QKeyEvent>

namespace sorvu {

WaylandPlatform::WaylandPlatform(QString sessionKey, QObject* parent)
    : Platform(parent), m_sessionKey(std::move(sessionKey)),
      m_connection(std::make_unique<WaylandConnection>(QFile::encodeName(m_sessionKey))),
      m_clipboard(std::make_shared<WaylandClipboard>(m_connection->dataControl())),
      m_keystroke(std::make_shared<WaylandPasteKeystroke>(*m_connection)),
      m_workspace(std::make_unique<WaylandWorkspace>(m_connection->toplevels())),
      m_autostart(std::make_shared<XdgAutostart>()) {
    qCInfo(lcUi).noquote() << QStringLiteral("wayland compositor offers %1").arg(m_connection->describe());
    connect(m_clipboard.get(), &WaylandClipboard::offeredContentFetched, this,
            [this](qint64 changeCount, const QString&) { emit clipboardContentFetched(changeCount); });
    connect(m_connection.get(), &WaylandConnection::connectionLost, this,
            [] { qCWarning(lcUi).noquote() << QStringLiteral("wayland connection lost"); });
}

// What talks through the connection goes before it.
WaylandPlatform::~WaylandPlatform() {
    m_workspace.reset();
    m_keystroke.reset();
    m_clipboard.reset();
    m_connection.reset();
}

std::shared_ptr<Clipboard> WaylandPlatform::clipboard() {
    return m_clipboard;
}

std::shared_ptr<PasteOutput> WaylandPlatform::pasteOutput() {
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

std::unique_ptr<GlobalShortcuts> WaylandPlatform::createGlobalShortcuts(ShortcutManager&) {
    return std::make_unique<DesktopBoundShortcuts>();
}

void WaylandPlatform::showNotification(const QString& text) {
    showDesktopNotification(QStringLiteral("Sorvu"), text, NotificationDelivery::inBackground);
}

QMimeData* WaylandPlatform::makeDropData(const ClipboardItem& item) {
    return new OfferedMimeData(item, {});
}

} // namespace sorvu
