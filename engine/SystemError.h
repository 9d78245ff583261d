// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace sorvu {

// A failure of a system call, as the log reports it: a domain ("POSIX" for errno values) and a code.
struct SystemError {
    QString domain;
    qint64 code = 0;

    static SystemError posix(int errorNumber) { return SystemError{QStringLiteral("POSIX"), errorNumber}; }
};

} // namespace sorvu
