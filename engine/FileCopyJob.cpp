// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/FileCopyJob.h"

#include "engine/LocalFileUrl.h"
#include "engine/Log.h"
#include "engine/QueuedClipboardItem.h"

#include <QFile>

#include <climits>
#include <cstdlib>

namespace sorvu {

namespace {

// The final component of a name, never one that could step out of its directory.
QString safeFileName(const QString& name) {
    QString trimmed = name;
    while (trimmed.endsWith(QLatin1Char('/'))) {
        trimmed.chop(1);
    }
    const QString last = trimmed.section(QLatin1Char('/'), -1);
    if (last.isEmpty() || last == QLatin1String(".") || last == QLatin1String("..")) {
        return {};
    }
    return last;
}

// The name the copy is stored under: the given one, else the source's own bytes, else the id.
QByteArray storedFileName(const QByteArray& sourcePath, const QString& name, const QString& idString) {
    // Path arithmetic on bytes: Latin-1 maps each byte to one character and back.
    const QByteArray sourceName = safeFileName(QString::fromLatin1(sourcePath)).toLatin1();
    const QString given = safeFileName(name);
    // A name shown from the source's bytes stands for those bytes, even where they are not UTF-8.
    if (!given.isEmpty() && given != QFile::decodeName(sourceName)) {
        return QFile::encodeName(given);
    }
    return sourceName.isEmpty() ? idString.toLatin1() : sourceName;
}

std::optional<QByteArray> resolvedPath(const QByteArray& path) {
    char resolved[PATH_MAX];
    if (realpath(path.constData(), resolved) == nullptr) {
        return std::nullopt;
    }
    return QByteArray(resolved);
}

// Whether copying the source would copy the storage into itself, or copy the storage.
bool holdsStorage(const QByteArray& source, const QString& rootPath) {
    const std::optional<QByteArray> resolved = resolvedPath(source);
    const QByteArray root = resolvedPath(QFile::encodeName(rootPath)).value_or(QFile::encodeName(rootPath));
    return resolved && (root == *resolved || root.startsWith(*resolved + '/') || resolved->startsWith(root + '/'));
}

void logRefusal(const QString& idString, const QString& reason) {
    qCCritical(lcQueue).noquote()
        << QStringLiteral("copyToClipboardStorage refused itemID=%1 reason=%2").arg(idString, reason);
}

} // namespace

FileCopyJob FileCopyJob::forLocalFile(const QUrl& source, const QUuid& id, const QString& name,
                                      const QString& rootPath) {
    FileCopyJob job{id, name, localPathBytes(source), {}, std::nullopt};
    // A folder that holds the storage (home, ~/.local) would be copied into itself without end.
    if (holdsStorage(job.sourcePath, rootPath)) {
        job.result = StoredCopy{std::nullopt, false, FileTreeCopy::Status::failed, 0, 0, true};
        return job;
    }
    job.fileName = storedFileName(job.sourcePath, name, uuidString(id));
    return job;
}

FileCopyJob::StoredCopy FileCopyJob::run(int folderDescriptor, const QByteArray& folderPath, qint64 maximumBytes,
                                         const std::atomic_bool* cancelled, const std::atomic_bool* quitting) const {
    const QByteArray entryName = uuidString(id).toLatin1();
    const FileTreeCopy::Result copied =
        FileTreeCopy::run(folderDescriptor, entryName, sourcePath, fileName, maximumBytes, cancelled, quitting);
    std::optional<QUrl> url;
    if (copied.status == FileTreeCopy::Status::copied) {
        url = localFileUrl(folderPath + '/' + entryName + '/' + fileName);
    }
    return StoredCopy{url,
                      copied.status == FileTreeCopy::Status::sourceMissing,
                      copied.status,
                      copied.skippedSpecialFiles,
                      copied.errorNumber,
                      false};
}

void FileCopyJob::logResult() const {
    const StoredCopy& copy = *result;
    const QString idString = uuidString(id);
    if (copy.url && copy.skippedSpecialFiles > 0) {
        qCInfo(lcQueue).noquote() << QStringLiteral("copyToClipboardStorage skipped special files itemID=%1 count=%2")
                                         .arg(idString)
                                         .arg(copy.skippedSpecialFiles);
    }
    if (copy.url) {
        return;
    }
    if (copy.holdsStorage) {
        logRefusal(idString, QStringLiteral("sourceHoldsStorage"));
    } else if (copy.status == FileTreeCopy::Status::specialFile) {
        logRefusal(idString, QStringLiteral("specialFile"));
    } else if (copy.status == FileTreeCopy::Status::tooLarge) {
        logRefusal(idString, QStringLiteral("tooLarge"));
    } else {
        qCCritical(lcQueue).noquote() << QStringLiteral("copyToClipboardStorage failed itemID=%1 domain=%2 code=%3")
                                             .arg(idString, QStringLiteral("POSIX"))
                                             .arg(copy.errorNumber);
    }
}

} // namespace sorvu
