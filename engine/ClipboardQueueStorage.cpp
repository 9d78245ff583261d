// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/ClipboardQueue.h"

#include "engine/Log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace sorvu {

namespace fs = std::filesystem;

namespace {

const QByteArray cacheDirectoryTagSignature = "Signature: 8a477f597d28d172789f06886806bc55";
const QByteArray cacheDirectoryTagContents =
    cacheDirectoryTagSignature + "\n"
                                 "# This file is a cache directory tag created by Sorvu.\n"
                                 "# It holds private copies of copied files, removed when Sorvu restarts.\n"
                                 "# For information about cache directory tags see https://bford.info/cachedir/\n";

QString standardized(const QString& path) {
    return QDir::cleanPath(QDir::isAbsolutePath(path) ? path : QDir(path).absolutePath());
}

fs::path toPath(const QString& path) {
    return fs::path(path.toStdString());
}

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

void removeWithoutFollowingLinks(const QString& path) {
    std::error_code ignored;
    fs::remove_all(toPath(path), ignored);
}

} // namespace

void ClipboardQueue::prepareStorage() {
    makeStorageRoot();
    removeUnownedStoredFiles(m_queue);
}

void ClipboardQueue::makeStorageRoot() {
    QDir().mkpath(m_dependencies.clipboardFilesDirectory);
    // Clipboard contents can be private: only the user may look inside.
    QFile::setPermissions(m_dependencies.clipboardFilesDirectory,
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // Backup tools that honour cache-directory tags skip the folder.
    QFile tag(m_dependencies.clipboardFilesDirectory + QLatin1Char('/') + cacheDirectoryTagName);
    const bool tagged =
        tag.open(QIODevice::ReadOnly) && tag.read(cacheDirectoryTagSignature.size()) == cacheDirectoryTagSignature;
    tag.close();
    if (!tagged && tag.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        tag.write(cacheDirectoryTagContents);
    }
}

ClipboardQueue::StoredCopy ClipboardQueue::copyToClipboardStorage(const QUrl& source, const QUuid& id,
                                                                  const QString& name) {
    const QString itemDirectory = m_dependencies.clipboardFilesDirectory + QLatin1Char('/') + uuidString(id);
    QString fileName = safeFileName(name);
    if (fileName.isEmpty()) {
        fileName = safeFileName(source.path());
    }
    if (fileName.isEmpty()) {
        fileName = uuidString(id);
    }
    const QString destination = itemDirectory + QLatin1Char('/') + fileName;

    // Deleted behind Sorvu's back: every later copy would fail until the next start.
    if (!QFileInfo::exists(m_dependencies.clipboardFilesDirectory)) {
        makeStorageRoot();
    }
    std::error_code error;
    bool holdsStorage = false;
    if (!source.isLocalFile()) {
        error = std::make_error_code(std::errc::no_such_file_or_directory);
    } else {
        // A link that was copied stands for what it points at; links inside a copied folder stay links.
        const fs::path resolved = fs::canonical(toPath(source.toLocalFile()), error);
        // A folder that holds the storage (home, ~/.local) would be copied into itself without end.
        const QString resolvedPath = QString::fromStdString(resolved.string());
        const QString root = standardized(m_dependencies.clipboardFilesDirectory);
        holdsStorage = !error && (root == resolvedPath || root.startsWith(resolvedPath + QLatin1Char('/')) ||
                                  resolvedPath.startsWith(root + QLatin1Char('/')));
        if (holdsStorage) {
            error = std::make_error_code(std::errc::invalid_argument);
        } else if (!error && (fs::create_directory(toPath(itemDirectory), error), !error)) {
            fs::copy(resolved, toPath(destination), fs::copy_options::recursive | fs::copy_options::copy_symlinks,
                     error);
        }
    }
    if (!error) {
        return StoredCopy{QUrl::fromLocalFile(destination), false};
    }
    if (holdsStorage) {
        qCCritical(lcQueue).noquote()
            << QStringLiteral("copyToClipboardStorage refused itemID=%1 reason=sourceHoldsStorage").arg(uuidString(id));
        return StoredCopy{std::nullopt, false};
    }

    removeWithoutFollowingLinks(itemDirectory);
    qCCritical(lcQueue).noquote() << QStringLiteral("copyToClipboardStorage failed itemID=%1 domain=%2 code=%3")
                                         .arg(uuidString(id), QStringLiteral("POSIX"))
                                         .arg(error.value());
    return StoredCopy{std::nullopt, error.value() == ENOENT};
}

std::optional<QString> ClipboardQueue::storedLocation(const QueuedClipboardItem& item) const {
    if (!item.content.isFile() || !item.content.fileUrl().isLocalFile()) {
        return std::nullopt;
    }
    const QString root = standardized(m_dependencies.clipboardFilesDirectory);
    const QString file = standardized(item.content.fileUrl().toLocalFile());
    const QString idString = uuidString(item.id);
    const QFileInfo fileInfo(file);
    const QString parent = fileInfo.path();

    if (parent == root && fileInfo.completeBaseName() == idString) {
        return file;
    }
    if (QFileInfo(parent).path() == root && QFileInfo(parent).fileName() == idString) {
        return parent;
    }
    return std::nullopt;
}

void ClipboardQueue::deleteStoredFile(const QueuedClipboardItem& item) {
    if (!item.content.isFile()) {
        return;
    }
    const std::optional<QString> location = storedLocation(item);
    if (!location) {
        qCCritical(lcQueue).noquote() << QStringLiteral(
                                             "deleteStoredFile refused itemID=%1 reason=ownershipValidationFailed")
                                             .arg(uuidString(item.id));
        return;
    }
    removeWithoutFollowingLinks(*location);
}

void ClipboardQueue::removeUnownedStoredFiles(const QList<QueuedClipboardItem>& queue) {
    QSet<QString> owned;
    for (const auto& item : queue) {
        if (const auto location = storedLocation(item)) {
            owned.insert(*location);
        }
    }
    const QString root = standardized(m_dependencies.clipboardFilesDirectory);
    owned.insert(root + QLatin1Char('/') + cacheDirectoryTagName);

    const QDir directory(root);
    if (!directory.exists()) {
        return;
    }
    const QStringList entries =
        directory.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        const QString path = root + QLatin1Char('/') + entry;
        if (!owned.contains(path)) {
            removeWithoutFollowingLinks(path);
        }
    }
}

} // namespace sorvu
