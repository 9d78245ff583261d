// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/SingleInstanceLock.h"

#include <QFile>
#include <QRegularExpression>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvu {

QString SingleInstanceLock::normalizedDisplay(const QString& displayName) {
    static const QRegularExpression form(QStringLiteral("^(.*):(\\d+)(\\.\\d+)?$"));
    const QRegularExpressionMatch match = form.match(displayName);
    QString normalized = displayName;
    if (match.hasMatch()) {
        // The screen does not make another session, and "unix" is the local socket an empty host means.
        const QString host = match.captured(1);
        const bool local = host.isEmpty() || host == QStringLiteral("unix");
        normalized = local ? match.captured(2) : host + QLatin1Char('_') + match.captured(2);
    }
    normalized.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]")), QStringLiteral("_"));
    return normalized;
}

std::optional<QString> SingleInstanceLock::lockFilePath(const QString& displayName) {
    const QString directory = qEnvironmentVariable("XDG_RUNTIME_DIR");
    struct stat status {};
    if (directory.isEmpty() || stat(QFile::encodeName(directory).constData(), &status) != 0 ||
        !S_ISDIR(status.st_mode) || status.st_uid != geteuid() || (status.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        return std::nullopt;
    }
    return QStringLiteral("%1/sorvu-%2-%3.lock").arg(directory).arg(getuid()).arg(normalizedDisplay(displayName));
}

SingleInstanceLock::Acquisition SingleInstanceLock::acquire(const QString& displayName) {
    const std::optional<QString> path = lockFilePath(displayName);
    if (!path) {
        return {Outcome::unavailable, std::nullopt};
    }
    const int descriptor =
        open(QFile::encodeName(*path).constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (descriptor < 0) {
        return {Outcome::unavailable, std::nullopt};
    }
    if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        close(descriptor);
        return {held ? Outcome::heldByAnother : Outcome::unavailable, std::nullopt};
    }
    return {Outcome::acquired, SingleInstanceLock(descriptor)};
}

SingleInstanceLock::SingleInstanceLock(SingleInstanceLock&& other) noexcept : m_descriptor(other.m_descriptor) {
    other.m_descriptor = -1;
}

SingleInstanceLock::~SingleInstanceLock() {
    if (m_descriptor >= 0) {
        close(m_descriptor);
    }
}

} // namespace sorvu
