// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/XdgAutostart.h"

#include "engine/Log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvu {

namespace {

enum SystemStatus { notRegistered = 0, enabled = 1, notFound = 3 };

// Quotes one Exec argument: inside double quotes the characters " ` $ \ take a backslash, then the
// desktop file's own string escaping doubles every backslash, and % is written as %%.
QString quotedExecArgument(const QString& argument) {
    QString quoted;
    for (const QChar character : argument) {
        if (character == '"' || character == '`' || character == '$' || character == '\\') {
            quoted += '\\';
        }
        quoted += character;
    }
    quoted.replace('\\', QStringLiteral("\\\\"));
    quoted.replace('%', QStringLiteral("%%"));
    return '"' + quoted + '"';
}

// The desktop file's string escapes: \s \n \t \r \\.
QString unescapedValue(const QString& value) {
    QString result;
    for (qsizetype index = 0; index < value.size(); ++index) {
        const QChar character = value.at(index);
        if (character != '\\' || index + 1 == value.size()) {
            result += character;
            continue;
        }
        const QChar next = value.at(++index);
        if (next == 's') {
            result += ' ';
        } else if (next == 'n') {
            result += '\n';
        } else if (next == 't') {
            result += '\t';
        } else if (next == 'r') {
            result += '\r';
        } else {
            result += next;
        }
    }
    return result;
}

// The program an Exec line starts: its first argument, quoted or not, with %% read as %.
QString execProgram(const QString& execValue) {
    const QString line = unescapedValue(execValue).trimmed();
    QString program;
    if (line.startsWith('"')) {
        for (qsizetype index = 1; index < line.size(); ++index) {
            const QChar character = line.at(index);
            if (character == '\\' && index + 1 < line.size()) {
                program += line.at(++index);
            } else if (character == '"') {
                break;
            } else {
                program += character;
            }
        }
    } else {
        program = line.section(QRegularExpression(QStringLiteral("\\s+")), 0, 0);
    }
    return program.replace(QStringLiteral("%%"), QStringLiteral("%"));
}

// The keys of the [Desktop Entry] group; other groups (actions) do not decide anything here.
QHash<QString, QString> desktopEntryKeys(const QByteArray& contents) {
    QHash<QString, QString> keys;
    bool inMainGroup = false;
    for (const QByteArray& rawLine : contents.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.isEmpty() || line.startsWith('#')) {
            continue;
        }
        if (line.startsWith('[')) {
            inMainGroup = line == QStringLiteral("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (inMainGroup && equals > 0) {
            keys.insert(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
        }
    }
    return keys;
}

std::optional<SystemError> makeDirectory(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    if (mkdir(native.constData(), 0700) == 0 || errno == EEXIST) {
        return std::nullopt;
    }
    if (errno != ENOENT) {
        return SystemError::posix(errno);
    }
    const QString parent = QFileInfo(path).path();
    if (parent == path) {
        return SystemError::posix(ENOENT);
    }
    if (auto error = makeDirectory(parent)) {
        return error;
    }
    if (mkdir(native.constData(), 0700) == 0 || errno == EEXIST) {
        return std::nullopt;
    }
    return SystemError::posix(errno);
}

// Written beside the file and renamed over it, so a session starting meanwhile never reads half a file.
std::optional<SystemError> replaceFile(const QString& path, const QByteArray& contents) {
    if (auto error = makeDirectory(QFileInfo(path).path())) {
        return error;
    }
    QByteArray temporary = QFile::encodeName(path) + QByteArrayLiteral(".XXXXXX");
    const int descriptor = mkstemp(temporary.data());
    if (descriptor < 0) {
        return SystemError::posix(errno);
    }
    qsizetype written = 0;
    while (written < contents.size()) {
        const ssize_t count = ::write(descriptor, contents.constData() + written, size_t(contents.size() - written));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            const int error = errno;
            ::close(descriptor);
            unlink(temporary.constData());
            return SystemError::posix(error);
        }
        written += count;
    }
    fchmod(descriptor, 0644);
    if (::close(descriptor) != 0 || rename(temporary.constData(), QFile::encodeName(path).constData()) != 0) {
        const int error = errno;
        unlink(temporary.constData());
        return SystemError::posix(error);
    }
    return std::nullopt;
}

// The entry with the Exec line of its [Desktop Entry] group replaced; every other line stays as it was,
// including the desktop's switches that turned the entry off.
QByteArray withExecLine(const QByteArray& contents, const QByteArray& execLine) {
    QList<QByteArray> lines = contents.split('\n');
    bool inMainGroup = false;
    for (QByteArray& line : lines) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith('[')) {
            inMainGroup = trimmed == "[Desktop Entry]";
        } else if (inMainGroup && trimmed.startsWith("Exec") && trimmed.mid(4).trimmed().startsWith('=')) {
            line = execLine;
        }
    }
    return lines.join('\n');
}

QString autostartFolder() {
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    // XDG base directories must be absolute; a relative one is ignored.
    if (configHome.isEmpty() || !QDir::isAbsolutePath(configHome)) {
        configHome = QDir::homePath() + QStringLiteral("/.config");
    }
    return configHome + QStringLiteral("/autostart");
}

} // namespace

XdgAutostart::XdgAutostart(QString executablePath) : m_executablePath(std::move(executablePath)) {}

QString XdgAutostart::entryPath() {
    return autostartFolder() + QStringLiteral("/org.sorvu.Sorvu.desktop");
}

QString XdgAutostart::executablePath() const {
    if (!m_executablePath.isEmpty()) {
        return m_executablePath;
    }
    if (QCoreApplication::instance() != nullptr) {
        return QCoreApplication::applicationFilePath();
    }
    return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
}

int XdgAutostart::systemStatusValue() const {
    QFile file(entryPath());
    if (!file.open(QIODevice::ReadOnly)) {
        return notRegistered;
    }
    const QHash<QString, QString> keys = desktopEntryKeys(file.readAll());
    if (keys.value(QStringLiteral("Hidden")) == QStringLiteral("true") ||
        keys.value(QStringLiteral("X-GNOME-Autostart-enabled")) == QStringLiteral("false")) {
        return notRegistered;
    }
    const QString program = execProgram(keys.value(QStringLiteral("Exec")));
    if (program.isEmpty()) {
        return notFound;
    }
    const QFileInfo target(program);
    if (target.isAbsolute()) {
        return target.isFile() && target.isExecutable() ? enabled : notFound;
    }
    return QStandardPaths::findExecutable(program).isEmpty() ? notFound : enabled;
}

std::optional<SystemError> XdgAutostart::registerLoginItem() {
    return replaceFile(entryPath(), QStringLiteral("[Desktop Entry]\n"
                                                   "Type=Application\n"
                                                   "Name=Sorvu\n"
                                                   "Comment=Clipboard queue in the system tray\n"
                                                   "Exec=%1\n"
                                                   "Terminal=false\n"
                                                   "X-GNOME-Autostart-enabled=true\n")
                                        .arg(quotedExecArgument(executablePath()))
                                        .toUtf8());
}

std::optional<SystemError> XdgAutostart::unregisterLoginItem() {
    if (unlink(QFile::encodeName(entryPath()).constData()) == 0 || errno == ENOENT) {
        return std::nullopt;
    }
    return SystemError::posix(errno);
}

void XdgAutostart::moveEntryOfOldName() const {
    const QString oldPath = autostartFolder() + QStringLiteral("/sorvu.desktop");
    QFile oldEntry(oldPath);
    if (!oldEntry.open(QIODevice::ReadOnly)) {
        return;
    }
    const QByteArray contents = oldEntry.readAll();
    oldEntry.close();
    // The old name is generic enough for another program's entry; only the one Sorvu wrote moves.
    const QHash<QString, QString> keys = desktopEntryKeys(contents);
    if (keys.value(QStringLiteral("Name")) != QStringLiteral("Sorvu") ||
        QFileInfo(execProgram(keys.value(QStringLiteral("Exec")))).fileName() != QStringLiteral("sorvu")) {
        return;
    }
    // An entry under the new name is newer and wins. The old one may start a build that is gone, so the
    // moved entry starts the running program, switched on or off as the old one was.
    if (!QFile::exists(entryPath())) {
        const QByteArray execLine = "Exec=" + quotedExecArgument(executablePath()).toUtf8();
        if (auto error = replaceFile(entryPath(), withExecLine(contents, execLine))) {
            qCWarning(lcQueue, "autostart entry of the old name not moved domain=%s code=%lld",
                      qPrintable(error->domain), static_cast<long long>(error->code));
            return;
        }
    }
    if (unlink(QFile::encodeName(oldPath).constData()) != 0) {
        qCWarning(lcQueue, "autostart entry of the old name not removed domain=POSIX code=%d", errno);
    }
}

} // namespace sorvu
