// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "shortcuts/GlobalShortcuts.h"

#include <QByteArray>
#include <QList>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace sorvu {

class ShortcutManager;
class X11KeyGrabs;

// The global shortcuts as passive key grabs on the root window, over an X connection of its own. A grabbed
// press goes to Sorvu alone, so the program in front never sees it: a terminal would take Ctrl+Super+C for
// Ctrl+C, a word processor would type the letter. Each action's effective key code is grabbed with its exact
// modifiers, once for every combination of Caps Lock and Num Lock. The grabs follow the overrides, the keymap
// and the layout group, and are lifted while a shortcut is being recorded so that the recorder sees every key.
// Which press fires which action stays the manager's decision (repeats, exact modifiers). A combination
// another program grabbed first is logged and reported as taken, and tried again when the keymap changes, when
// asked (the popup opens), and every `retryInterval` while one is taken: X tells no one when a grab ends.
class X11GrabbedShortcuts : public GlobalShortcuts {
    Q_OBJECT

public:
    // Connects to the given display; an empty name means the one the Qt application uses. Grabs nothing
    // before start.
    explicit X11GrabbedShortcuts(ShortcutManager& manager, const QByteArray& displayName = {},
                                 QObject* parent = nullptr);
    ~X11GrabbedShortcuts() override;

    static constexpr std::chrono::milliseconds retryInterval{30000};

    void start() override;
    QList<ShortcutAction> takenActions() const override;
    void retryTaken() override;

    // Whether a retry of taken shortcuts is due on the timer; never while none is taken.
    bool isRetryScheduled() const { return m_retryTimer.isActive(); }
    // For tests: a shorter wait between retries.
    void setRetryInterval(std::chrono::milliseconds interval) { m_retryTimer.setInterval(interval); }

    // Whether the connection to the server is open.
    bool isConnected() const;

    // Runs the poster with every grab lifted and takes the grabs again afterwards: keys Sorvu posts itself
    // then reach the program in front and never fire an action (an override such as Ctrl+V would otherwise
    // swallow the paste keystroke, or paste in a loop). The server must have handled what the poster sent by
    // the time it returns.
    void withGrabsLifted(const std::function<void()>& post);

private:
    void readEvents();
    void scheduleRead();
    void updateGrabs();
    void setTaken(const QList<ShortcutAction>& taken);

    ShortcutManager& m_manager;
    // Before the notifier: the connection outlives the notifier watching its socket.
    std::unique_ptr<X11KeyGrabs> m_grabs;
    std::unique_ptr<QSocketNotifier> m_notifier;
    bool m_started = false;
    bool m_readScheduled = false;
    QList<ShortcutAction> m_taken;
    QTimer m_retryTimer;
};

} // namespace sorvu
