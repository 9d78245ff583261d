// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <optional>

namespace sorvu {

// Keeps a second Sorvu in the same X session from collecting too (it would queue every copy twice).
// Held through an advisory lock on a file in the user's runtime directory, released by the system when
// the process ends, however it ends.
class SingleInstanceLock {
public:
    // Nothing when another process of this user holds the lock for the display.
    static std::optional<SingleInstanceLock> acquire(const QString& displayName);

    SingleInstanceLock(SingleInstanceLock&& other) noexcept;
    SingleInstanceLock& operator=(SingleInstanceLock&&) = delete;
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    ~SingleInstanceLock();

    static QString lockFilePath(const QString& displayName);

private:
    explicit SingleInstanceLock(int descriptor) : m_descriptor(descriptor) {}

    int m_descriptor = -1;
};

} // namespace sorvu
