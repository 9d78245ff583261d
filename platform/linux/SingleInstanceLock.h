// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <optional>

namespace sorvu {

// Keeps a second Sorvu on the same X display from collecting too (it would queue every copy twice).
// Held through an advisory lock on a file in the user's runtime directory, released by the system when
// the process ends, however it ends. There is no fallback to a shared folder such as /tmp: another user
// could make the lock file there first and keep Sorvu from ever starting.
class SingleInstanceLock {
public:
    enum class Outcome {
        acquired,
        // Another process of this user holds the lock for the display.
        heldByAnother,
        // No private runtime directory, or the lock file cannot be made there.
        unavailable,
    };

    struct Acquisition;
    static Acquisition acquire(const QString& displayName);

    SingleInstanceLock(SingleInstanceLock&& other) noexcept;
    SingleInstanceLock& operator=(SingleInstanceLock&&) = delete;
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    ~SingleInstanceLock();

    // In $XDG_RUNTIME_DIR when that is a folder of this user that no one else may write to; nothing else.
    static std::optional<QString> lockFilePath(const QString& displayName);
    // One name for each way of writing the same display: ":75", "unix:75" and ":75.0" are all "75".
    static QString normalizedDisplay(const QString& displayName);

private:
    explicit SingleInstanceLock(int descriptor) : m_descriptor(descriptor) {}

    int m_descriptor = -1;
};

// What a start learns: whether it may run, and the lock to keep while it does.
struct SingleInstanceLock::Acquisition {
    Outcome outcome = Outcome::unavailable;
    std::optional<SingleInstanceLock> lock;
};

} // namespace sorvu
