// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

namespace sorvu {

class Clipboard;

// Which change of the clipboard was dealt with last, and when to look at the clipboard again: one that tells
// of its changes is looked at when it does, one that cannot is polled while collecting. A change that could
// not be read is looked at again once per interval, a few times, before it is given up.
class ClipboardChangeWatch {
public:
    static constexpr int pollIntervalMilliseconds = 100;
    static constexpr int unreadableRetryLimit = 3;

    // `look` is called at each poll and at each retry; the change dealt with so far is the current one.
    ClipboardChangeWatch(Clipboard& clipboard, std::function<void()> look);

    // Asks the clipboard to tell of its changes through `changed`; one that cannot is polled instead.
    void observe(std::function<void()> changed);
    // Collecting began: only what is copied from now on counts.
    void start();
    void stop();
    // The clipboard's current content is not to be collected, without counting as a change dealt with.
    void skipCurrent();
    // The change is dealt with: it is not looked at again, nor retried.
    void consume(qint64 changeCount);
    // The change is dealt with, unless a later one was already: that one's count stays.
    void catchUp(qint64 changeCount);
    // The change could not be read: it is tried again at the next interval, or given up after the last try.
    void recordUnreadable(qint64 changeCount);

    bool isObserved() const { return m_observed; }
    bool isPolling() const { return m_pollTimer && m_pollTimer->isActive(); }
    qint64 lastChangeCount() const { return m_lastChangeCount; }
    std::optional<qint64> unreadableChangeCount() const { return m_unreadableChangeCount; }
    int unreadableReadAttempts() const { return m_unreadableReadAttempts; }

private:
    void scheduleRetry();

    Clipboard& m_clipboard;
    std::function<void()> m_look;
    std::unique_ptr<QTimer> m_pollTimer;
    bool m_observed = false;
    qint64 m_lastChangeCount = 0;
    std::optional<qint64> m_unreadableChangeCount;
    int m_unreadableReadAttempts = 0;
};

} // namespace sorvu
