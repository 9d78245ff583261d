#include "engine/ClipboardQueue.h"

#include "engine/LocalFileUrl.h"
#include "engine/Log.h"
#include "engine/StorageDirectory.h"

#include <QDir>
#include <QFile>

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

void ClipboardQueue::prepareStorage() {
    if (makeStorageRoot()) {
        // Folders of instances that are gone; a living instance's folder is locked and stays.
        m_storage->removeAbandonedFolders();
        removeUnownedStoredFiles(m_queue);
    }
}

bool ClipboardQueue::makeStorageRoot() {
    const int error = m_storage->prepare();
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

QString ClipboardQueue::storagePath() const {
    return m_storage->instancePath();
}

ClipboardQueue::StoredCopy ClipboardQueue::copyToClipboardStorage(const QUrl& source, const QUuid& id,
                                                                  const QString& name) {
    const QString idString = uuidString(id);
    const auto failure = [&](int error, FileTreeCopy::Status status) {
        qCCritical(lcQueue).noquote() << QStringLiteral("copyToClipboardStorage failed itemID=%1 domain=%2 code=%3")
                                             .arg(idString, QStringLiteral("POSIX"))
                                             .arg(error);
        return StoredCopy{std::nullopt, status == FileTreeCopy::Status::sourceMissing, status, 0};
    };
    if (!source.isLocalFile()) {
        return failure(ENOENT, FileTreeCopy::Status::sourceMissing);
    }
    // Deleted or replaced behind Sorvu's back: every later copy would fail until the next start.
    if (!m_storage->isCurrent() && !makeStorageRoot()) {
        return failure(ENOENT, FileTreeCopy::Status::failed);
    }
    const QByteArray sourcePath = localPathBytes(source);
    // A folder that holds the storage (home, ~/.local) would be copied into itself without end.
    if (holdsStorage(sourcePath, m_storage->rootPath())) {
        logRefusal(idString, QStringLiteral("sourceHoldsStorage"));
        return StoredCopy{std::nullopt, false, FileTreeCopy::Status::failed, 0};
    }

    const QByteArray fileName = storedFileName(sourcePath, name, idString);
    const FileTreeCopy::Result result = FileTreeCopy::run(m_storage->instanceDescriptor(), idString.toLatin1(),
                                                          sourcePath, fileName, m_dependencies.maximumFileBytes);
    switch (result.status) {
    case FileTreeCopy::Status::copied: {
        const QByteArray destination =
            QFile::encodeName(m_storage->instancePath()) + '/' + idString.toLatin1() + '/' + fileName;
        return StoredCopy{localFileUrl(destination), false, result.status, result.skippedSpecialFiles};
    }
    case FileTreeCopy::Status::specialFile:
        logRefusal(idString, QStringLiteral("specialFile"));
        return StoredCopy{std::nullopt, false, result.status, 0};
    case FileTreeCopy::Status::tooLarge:
        logRefusal(idString, QStringLiteral("tooLarge"));
        return StoredCopy{std::nullopt, false, result.status, 0};
    default:
        return failure(result.errorNumber, result.status);
    }
}

std::optional<QByteArray> ClipboardQueue::storedEntryName(const QueuedClipboardItem& item) const {
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

std::optional<QString> ClipboardQueue::storedLocation(const QueuedClipboardItem& item) const {
    const std::optional<QByteArray> name = storedEntryName(item);
    if (!name) {
        return std::nullopt;
    }
    return QFile::decodeName(QFile::encodeName(standardized(m_storage->instancePath())) + '/' + *name);
}

void ClipboardQueue::deleteStoredFile(const QueuedClipboardItem& item) {
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
    m_storage->removeEntry(*name);
}

bool ClipboardQueue::storedFileExists(const QueuedClipboardItem& item) const {
    struct stat status {};
    return storedEntryName(item) && lstat(localPathBytes(item.content.fileUrl()).constData(), &status) == 0;
}

void ClipboardQueue::removeUnownedStoredFiles(const QList<QueuedClipboardItem>& queue) {
    QSet<QByteArray> owned;
    for (const auto& item : queue) {
        if (const auto name = storedEntryName(item)) {
            owned.insert(*name);
        }
    }
    for (const QByteArray& name : m_storage->entryNames()) {
        if (!owned.contains(name)) {
            m_storage->removeEntry(name);
        }
    }
}

} // namespace sorvu
