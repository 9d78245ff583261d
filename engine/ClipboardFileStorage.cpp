// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/ClipboardFileStorage.h"

#include "engine/LocalFileUrl.h"
#include "engine/Log.h"
#include "engine/StorageDirectory.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QThreadPool>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>

namespace sorvu {

namespace {

QString standardized(const QString& path) {
    return QDir::cleanPath(QDir::isAbsolutePath(path) ? path : QDir(path).absolutePath());
}

// Path arithmetic on bytes: Latin-1 maps each byte to one character and back.
QString asLatin1(const QByteArray& bytes) {
    return QString::fromLatin1(bytes);
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

// The name the copy is stored under: the given one, else the source's own bytes, else the id.
QByteArray storedFileName(const QByteArray& sourcePath, const QString& name, const QString& idString) {
    const QByteArray sourceName = safeFileName(asLatin1(sourcePath)).toLatin1();
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

ClipboardFileStorage::ClipboardFileStorage(QString rootPath, QString instanceName, qint64 maximumFileBytes,
                                           RunInBackground runInBackground)
    : m_rootPath(std::move(rootPath)),
      m_storage(std::make_unique<StorageDirectory>(m_rootPath, std::move(instanceName))),
      m_maximumFileBytes(maximumFileBytes), m_runInBackground(std::move(runInBackground)),
      m_workers(std::make_unique<QThreadPool>()) {
    // One copy after the other: their entries join the queue in the order they were copied.
    m_workers->setMaxThreadCount(1);
}

ClipboardFileStorage::~ClipboardFileStorage() {
    stopBackgroundWork();
}

void ClipboardFileStorage::stopBackgroundWork() {
    // A removal stops at its next entry; a copy still running was called off by its collector and stops at its
    // next chunk: quitting waits for neither a large file nor a large folder.
    m_quitting->store(true);
    m_workers->waitForDone();
}

void ClipboardFileStorage::prepare(const QList<QueuedClipboardItem>& queue) {
    if (makeStorageRoot()) {
        // Folders of instances that are gone; a living instance's folder is locked and stays.
        auto root = std::make_shared<UniqueDescriptor>(m_storage->duplicateRootDescriptor());
        runInBackground(
            [root, own = m_storage->instanceName().toUtf8(), quitting = m_quitting] {
                StorageDirectory::removeAbandonedFoldersIn(root->get(), own, {quitting.get()});
            },
            [] {});
        removeUnownedStoredFiles(queue);
    }
}

void ClipboardFileStorage::runInBackground(std::function<void()> work, std::function<void()> completion) {
    if (m_runInBackground) {
        m_runInBackground(std::move(work), std::move(completion));
        return;
    }
    m_workers->start([work = std::move(work), completion = std::move(completion)] {
        work();
        QMetaObject::invokeMethod(QCoreApplication::instance(), completion, Qt::QueuedConnection);
    });
}

void ClipboardFileStorage::runCopies(std::shared_ptr<QList<CopyJob>> jobs,
                                     std::shared_ptr<const std::atomic_bool> cancelled,
                                     std::function<void()> completion) {
    // The copy runs on a descriptor of its own: the storage may reopen its folder meanwhile.
    auto folder = std::make_shared<UniqueDescriptor>(m_storage->duplicateInstanceDescriptor());
    runInBackground(
        [jobs, folder, folderPath = QFile::encodeName(m_storage->instancePath()), maximumBytes = m_maximumFileBytes,
         cancelled = std::move(cancelled), quitting = m_quitting] {
            for (CopyJob& job : *jobs) {
                if (cancelled->load()) {
                    job.result = StoredCopy{std::nullopt, false, FileTreeCopy::Status::failed, 0, ECANCELED, false};
                } else if (!job.result) {
                    job.result = runCopy(folder->get(), folderPath, job, maximumBytes, cancelled.get(), quitting.get());
                }
            }
        },
        std::move(completion));
}

bool ClipboardFileStorage::makeStorageRoot() {
    int error = m_storage->prepare();
    // Another instance is clearing this folder as abandoned: rather than wait for it, a folder of a new name.
    if (error == EWOULDBLOCK) {
        m_storage = std::make_unique<StorageDirectory>(m_rootPath, uuidString(QUuid::createUuid()));
        error = m_storage->prepare();
    }
    if (error == 0) {
        return true;
    }
    const QString reason = error == ELOOP     ? QStringLiteral("rootIsLink")
                           : error == ENOTDIR ? QStringLiteral("rootIsNotAFolder")
                           : error == EPERM   ? QStringLiteral("rootOwnedByAnotherUser")
                                              : QStringLiteral("unusable");
    // The folder is the user's to fix: named in full, with what is wrong with it.
    qCCritical(lcQueue).noquote() << QStringLiteral("storage folder refused path=%1 reason=%2 domain=POSIX code=%3")
                                         .arg(m_storage->rootPath(), reason)
                                         .arg(error);
    return false;
}

QString ClipboardFileStorage::instancePath() const {
    return m_storage->instancePath();
}

ClipboardFileStorage::CopyJob ClipboardFileStorage::planCopy(const QUrl& source, const QUuid& id, const QString& name) {
    CopyJob job{id, name, {}, {}, std::nullopt};
    if (!source.isLocalFile()) {
        job.result = StoredCopy{std::nullopt, true, FileTreeCopy::Status::sourceMissing, 0, ENOENT, false};
        return job;
    }
    // Deleted or replaced behind Sorvu's back: every later copy would fail until the next start.
    if (!m_storage->isCurrent() && !makeStorageRoot()) {
        job.result = StoredCopy{std::nullopt, false, FileTreeCopy::Status::failed, 0, ENOENT, false};
        return job;
    }
    job.sourcePath = localPathBytes(source);
    // A folder that holds the storage (home, ~/.local) would be copied into itself without end.
    if (holdsStorage(job.sourcePath, m_storage->rootPath())) {
        job.result = StoredCopy{std::nullopt, false, FileTreeCopy::Status::failed, 0, 0, true};
        return job;
    }
    job.fileName = storedFileName(job.sourcePath, name, uuidString(id));
    return job;
}

ClipboardFileStorage::StoredCopy ClipboardFileStorage::runCopy(int folderDescriptor, const QByteArray& folderPath,
                                                               const CopyJob& job, qint64 maximumBytes,
                                                               const std::atomic_bool* cancelled,
                                                               const std::atomic_bool* quitting) {
    const QByteArray entryName = uuidString(job.id).toLatin1();
    const FileTreeCopy::Result result =
        FileTreeCopy::run(folderDescriptor, entryName, job.sourcePath, job.fileName, maximumBytes, cancelled, quitting);
    std::optional<QUrl> url;
    if (result.status == FileTreeCopy::Status::copied) {
        url = localFileUrl(folderPath + '/' + entryName + '/' + job.fileName);
    }
    return StoredCopy{url,
                      result.status == FileTreeCopy::Status::sourceMissing,
                      result.status,
                      result.skippedSpecialFiles,
                      result.errorNumber,
                      false};
}

void ClipboardFileStorage::logCopy(const QUuid& id, const StoredCopy& copy) {
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

ClipboardFileStorage::StoredCopy ClipboardFileStorage::copyToClipboardStorage(const QUrl& source, const QUuid& id,
                                                                              const QString& name) {
    const CopyJob job = planCopy(source, id, name);
    const StoredCopy copy = job.result
                                ? *job.result
                                : runCopy(m_storage->instanceDescriptor(), QFile::encodeName(m_storage->instancePath()),
                                          job, m_maximumFileBytes, nullptr, nullptr);
    logCopy(id, copy);
    return copy;
}

std::optional<QByteArray> ClipboardFileStorage::storedEntryName(const QueuedClipboardItem& item) const {
    if (!item.content.isFile() || !item.content.fileUrl().isLocalFile()) {
        return std::nullopt;
    }
    const QString folder = asLatin1(QFile::encodeName(standardized(m_storage->instancePath())));
    const QString file = QDir::cleanPath(asLatin1(localPathBytes(item.content.fileUrl())));
    const QString idString = uuidString(item.id);
    const QString parent = file.section(QLatin1Char('/'), 0, -2);
    const QString name = file.section(QLatin1Char('/'), -1);

    if (parent == folder && name.section(QLatin1Char('.'), 0, 0) == idString) {
        return name.toLatin1();
    }
    if (parent.section(QLatin1Char('/'), 0, -2) == folder && parent.section(QLatin1Char('/'), -1) == idString) {
        return idString.toLatin1();
    }
    return std::nullopt;
}

std::optional<QString> ClipboardFileStorage::storedLocation(const QueuedClipboardItem& item) const {
    const std::optional<QByteArray> name = storedEntryName(item);
    if (!name) {
        return std::nullopt;
    }
    return QFile::decodeName(QFile::encodeName(standardized(m_storage->instancePath())) + '/' + *name);
}

void ClipboardFileStorage::deleteStoredFile(const QueuedClipboardItem& item) {
    if (!item.content.isFile()) {
        return;
    }
    const std::optional<QByteArray> name = storedEntryName(item);
    if (!name) {
        qCCritical(lcQueue).noquote() << QStringLiteral(
                                             "deleteStoredFile refused itemID=%1 reason=ownershipValidationFailed")
                                             .arg(uuidString(item.id));
        return;
    }
    removeStoredEntries({*name});
}

void ClipboardFileStorage::removeStoredEntries(const QList<QByteArray>& names) {
    if (names.isEmpty()) {
        return;
    }
    // A folder of many files takes seconds to remove: off the main thread, after the copies before it.
    auto folder = std::make_shared<UniqueDescriptor>(m_storage->duplicateInstanceDescriptor());
    runInBackground(
        [folder, names, quitting = m_quitting] {
            // What is left when Sorvu quits is removed at its next start.
            for (const QByteArray& name : names) {
                if (!StorageDirectory::removeEntryAt(folder->get(), name, {quitting.get()})) {
                    return;
                }
            }
        },
        [] {});
}

bool ClipboardFileStorage::storedFileExists(const QueuedClipboardItem& item) const {
    struct stat status {};
    return storedEntryName(item) && lstat(localPathBytes(item.content.fileUrl()).constData(), &status) == 0;
}

void ClipboardFileStorage::deleteStoredFiles(const QList<QueuedClipboardItem>& items) {
    for (const auto& item : items) {
        deleteStoredFile(item);
    }
}

void ClipboardFileStorage::removeCopiesAtQuit(const QList<QueuedClipboardItem>& kept,
                                              std::chrono::milliseconds budget) {
    stopBackgroundWork();
    QSet<QByteArray> keptNames;
    for (const auto& item : kept) {
        if (const auto name = storedEntryName(item)) {
            keptNames.insert(*name);
        }
    }
    const StorageDirectory::RemovalLimit limit{nullptr, QDeadlineTimer(budget)};
    qsizetype removed = 0;
    qsizetype left = 0;
    for (const QByteArray& name : m_storage->entryNames()) {
        if (keptNames.contains(name)) {
            continue;
        }
        if (!limit.isReached() && StorageDirectory::removeEntryAt(m_storage->instanceDescriptor(), name, limit)) {
            ++removed;
        } else {
            ++left;
        }
    }
    if (removed > 0 || !keptNames.isEmpty()) {
        qCDebug(lcQueue).noquote()
            << QStringLiteral("stored copies removed at quit count=%1 kept=%2").arg(removed).arg(keptNames.size());
    }
    // The next start of the session empties its folder; another session's start removes it as abandoned.
    if (left > 0) {
        qCInfo(lcQueue).noquote() << QStringLiteral("stored copies left for the next start count=%1 budgetMs=%2")
                                         .arg(left)
                                         .arg(budget.count());
    }
}

void ClipboardFileStorage::removeUnownedStoredFiles(const QList<QueuedClipboardItem>& queue) {
    QSet<QByteArray> owned;
    for (const auto& item : queue) {
        if (const auto name = storedEntryName(item)) {
            owned.insert(*name);
        }
    }
    QList<QByteArray> unowned;
    for (const QByteArray& name : m_storage->entryNames()) {
        if (!owned.contains(name)) {
            unowned.append(name);
        }
    }
    removeStoredEntries(unowned);
}

} // namespace sorvu
