// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/SingleInstanceLock.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace sorvu {

QString SingleInstanceLock::lockFilePath(const QString& displayName) {
    QString directory = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (directory.isEmpty() || !QDir(directory).exists()) {
        directory = QDir::tempPath();
    }
    // ":0.0" and ":0" are the same session.
    QString display = displayName;
    display.remove(QRegularExpression(QStringLiteral("\\.\\d+$")));
    display.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]")), QStringLiteral("_"));
    return QStringLiteral("%1/sorvu-%2-%3.lock").arg(directory).arg(getuid()).arg(display);
}

std::optional<SingleInstanceLock> SingleInstanceLock::acquire(const QString& displayName) {
    const QByteArray path = QFile::encodeName(lockFilePath(displayName));
    const int descriptor = open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor < 0) {
        // Without a lock file we cannot tell; running beats refusing to start.
        return SingleInstanceLock(-1);
    }
    if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        close(descriptor);
        return std::nullopt;
    }
    return SingleInstanceLock(descriptor);
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
