// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/linux/ReduceMotionSetting.h"

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QRect>
#include <QTimer>

#include <memory>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace sorvu {

class ClipboardQueue;
class GlobalShortcuts;
class ShortcutManager;
class LanguagePreferenceStore;
class Platform;
class TrayIcon;

// Sorvu's entry in the system tray: the icon with its count, in the panel's colours, and its menu. Started
// before the panel (at login, say), it waits for a tray to appear; a session without one has no icon.
class TrayEntry : public QObject {
    Q_OBJECT

public:
    // The shortcuts tell the tooltip which of them another program holds.
    TrayEntry(ClipboardQueue& queue, LanguagePreferenceStore& language, const ShortcutManager& shortcuts,
              GlobalShortcuts* globalShortcuts, Platform& platform, QObject* parent = nullptr);
    ~TrayEntry() override;

    // Shows the icon now, or once a tray exists.
    void show();
    // Leaves the panel at once rather than when the process is gone.
    void hide();
    // Where the icon is on the screen; empty while there is none or the tray does not say.
    QRect geometry() const;

signals:
    // The icon was clicked with the left button; the right one opens the menu.
    void clicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void update();
    void matchPanelColor();
    void retranslateMenu();

    ClipboardQueue& m_queue;
    LanguagePreferenceStore& m_language;
    const ShortcutManager& m_shortcuts;
    GlobalShortcuts* m_globalShortcuts;
    Platform& m_platform;
    ReduceMotionSetting m_reduceMotion;
    std::unique_ptr<QSystemTrayIcon> m_systemTrayIcon;
    std::unique_ptr<TrayIcon> m_icon;
    std::unique_ptr<QMenu> m_menu;
    QAction* m_toggleAction = nullptr;
    QAction* m_quitAction = nullptr;
    QTimer m_trayWait;
};

} // namespace sorvu
