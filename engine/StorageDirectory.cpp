// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/StorageDirectory.h"

#include "engine/QueuedClipboardItem.h"
#include "engine/UniqueDescriptor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvu {

namespace {

const QByteArray tagSignature = QByteArrayLiteral("Signature: 8a477f597d28d172789f06886806bc55");
const QByteArray tagContents = tagSignature +
                               "\n"
                               "# This file is a cache directory tag created by Sorvu.\n"
                               "# It holds private copies of copied files, removed when Sorvu restarts.\n"
                               "# For information about cache directory tags see https://bford.info/cachedir/\n";

constexpr int directoryFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

bool sameFile(const struct stat& lhs, const struct stat& rhs) {
    return lhs.st_dev == rhs.st_dev && lhs.st_ino == rhs.st_ino;
}

// Whether the name in the folder still is the open file.
bool stillNamed(int parent, const QByteArray& name, int opened) {
    struct stat atName {};
    struct stat open {};
    return fstatat(parent, name.constData(), &atName, AT_SYMLINK_NOFOLLOW) == 0 && fstat(opened, &open) == 0 &&
           sameFile(atName, open);
}

int openSubfolder(int parent, const QByteArray& name) {
    int descriptor = openat(parent, name.constData(), directoryFlags);
    if (descriptor < 0 && errno == EACCES) {
        // A copied read-only folder (mode 0000 or 0300): ours, so it may be opened up to be emptied.
        struct stat status {};
        if (fstatat(parent, name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(status.st_mode) &&
            fchmodat(parent, name.constData(), S_IRWXU, 0) == 0) {
            descriptor = openat(parent, name.constData(), directoryFlags);
        }
    }
    return descriptor;
}

bool removeAt(int parent, const QByteArray& name, const StorageDirectory::RemovalLimit& limit) {
    struct stat status {};
    if (fstatat(parent, name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
        return true;
    }
    if (!S_ISDIR(status.st_mode)) {
        unlinkat(parent, name.constData(), 0);
        return true;
    }
    const UniqueDescriptor folder(openSubfolder(parent, name));
    if (folder.isValid() && !StorageDirectory::removeContents(folder.get(), limit)) {
        return false;
    }
    unlinkat(parent, name.constData(), AT_REMOVEDIR);
    return true;
}

} // namespace

StorageDirectory::StorageDirectory(QString rootPath, QString instanceName)
    : m_rootPath(std::move(rootPath)), m_instanceName(std::move(instanceName)) {}

StorageDirectory::~StorageDirectory() {
    closeDescriptors();
}

void StorageDirectory::closeDescriptors() {
    for (int* descriptor : {&m_rootDescriptor, &m_instanceDescriptor}) {
        if (*descriptor >= 0) {
            close(*descriptor);
            *descriptor = -1;
        }
    }
}

int StorageDirectory::prepare() {
    closeDescriptors();
    if (const int error = openRoot()) {
        return error;
    }
    // Without the tag, backup tools copy private clipboard contents: worth trying, not worth refusing for.
    writeTag();
    return openInstanceFolder();
}

int StorageDirectory::openRoot() {
    // The folders above the root are the user's to arrange, links included; the root itself is Sorvu's.
    QDir().mkpath(QFileInfo(m_rootPath).path());
    const QByteArray path = QFile::encodeName(m_rootPath);
    if (mkdir(path.constData(), S_IRWXU) != 0 && errno != EEXIST) {
        return errno;
    }
    UniqueDescriptor root(open(path.constData(), directoryFlags));
    if (!root.isValid()) {
        const int error = errno;
        struct stat status {};
        // The system answers a link with ENOTDIR or ELOOP depending on what it leads to: one answer here.
        return lstat(path.constData(), &status) == 0 && S_ISLNK(status.st_mode) ? ELOOP : error;
    }
    struct stat status {};
    if (fstat(root.get(), &status) != 0) {
        return errno;
    }
    if (status.st_uid != geteuid()) {
        return EPERM;
    }
    // Clipboard contents can be private: only the user may look inside.
    if ((status.st_mode & 07777) != S_IRWXU && fchmod(root.get(), S_IRWXU) != 0) {
        return errno;
    }
    m_rootDescriptor = root.release();
    return 0;
}

int StorageDirectory::writeTag() const {
    constexpr int flags = O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    UniqueDescriptor tag(openat(m_rootDescriptor, tagName.constData(), flags | O_CREAT, S_IRUSR | S_IWUSR));
    struct stat status {};
    if (!tag.isValid() || fstat(tag.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        // A link, a pipe or a folder in its place: only the name goes, never what it leads to.
        tag.reset();
        removeAt(m_rootDescriptor, tagName, {});
        tag.reset(openat(m_rootDescriptor, tagName.constData(), flags | O_CREAT | O_EXCL, S_IRUSR | S_IWUSR));
        if (!tag.isValid()) {
            return errno;
        }
    }
    QByteArray start(tagSignature.size(), '\0');
    if (pread(tag.get(), start.data(), start.size(), 0) == start.size() && start == tagSignature) {
        return 0;
    }
    if (ftruncate(tag.get(), 0) != 0 || pwrite(tag.get(), tagContents.constData(), tagContents.size(), 0) < 0) {
        return errno;
    }
    return 0;
}

int StorageDirectory::openInstanceFolder() {
    const QByteArray name = m_instanceName.toUtf8();
    // Another instance's clean-up may take a folder made a moment ago for abandoned: then it is made again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (mkdirat(m_rootDescriptor, name.constData(), S_IRWXU) != 0 && errno != EEXIST) {
            return errno;
        }
        UniqueDescriptor folder(openat(m_rootDescriptor, name.constData(), directoryFlags));
        if (!folder.isValid()) {
            return errno;
        }
        // Never waits: another instance that holds the lock is emptying the folder as abandoned, which may
        // take long when an earlier run left many copies in it.
        if (flock(folder.get(), LOCK_EX | LOCK_NB) != 0) {
            return errno;
        }
        if (stillNamed(m_rootDescriptor, name, folder.get())) {
            m_instanceDescriptor = folder.release();
            return 0;
        }
    }
    return EAGAIN;
}

bool StorageDirectory::isCurrent() const {
    if (m_rootDescriptor < 0 || m_instanceDescriptor < 0) {
        return false;
    }
    struct stat atPath {};
    struct stat root {};
    return lstat(QFile::encodeName(m_rootPath).constData(), &atPath) == 0 && fstat(m_rootDescriptor, &root) == 0 &&
           sameFile(atPath, root) && stillNamed(m_rootDescriptor, m_instanceName.toUtf8(), m_instanceDescriptor);
}

int StorageDirectory::namesIn(int directoryDescriptor, QList<QByteArray>& names) {
    // A directory stream of its own, so that reading it moves no offset the caller relies on.
    const int duplicate = openat(directoryDescriptor, ".", directoryFlags);
    if (duplicate < 0) {
        return errno;
    }
    DIR* stream = fdopendir(duplicate);
    if (stream == nullptr) {
        const int error = errno;
        close(duplicate);
        return error;
    }
    errno = 0;
    while (const dirent* entry = readdir(stream)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..") {
            names.append(name);
        }
        errno = 0;
    }
    const int error = errno;
    closedir(stream);
    return error;
}

QList<QByteArray> StorageDirectory::entryNames() const {
    QList<QByteArray> names;
    if (m_instanceDescriptor >= 0) {
        namesIn(m_instanceDescriptor, names);
    }
    return names;
}

bool StorageDirectory::removeEntryAt(int folderDescriptor, const QByteArray& name, const RemovalLimit& limit) {
    return removeAt(folderDescriptor, name, limit);
}

UniqueDescriptor StorageDirectory::duplicateInstanceDescriptor() const {
    return UniqueDescriptor(m_instanceDescriptor >= 0 ? fcntl(m_instanceDescriptor, F_DUPFD_CLOEXEC, 0) : -1);
}

UniqueDescriptor StorageDirectory::duplicateRootDescriptor() const {
    return UniqueDescriptor(m_rootDescriptor >= 0 ? fcntl(m_rootDescriptor, F_DUPFD_CLOEXEC, 0) : -1);
}

bool StorageDirectory::removeContents(int directoryDescriptor, const RemovalLimit& limit) {
    struct stat status {};
    if (fstat(directoryDescriptor, &status) == 0 && (status.st_mode & S_IRWXU) != S_IRWXU) {
        fchmod(directoryDescriptor, status.st_mode | S_IRWXU);
    }
    QList<QByteArray> names;
    namesIn(directoryDescriptor, names);
    for (const QByteArray& name : std::as_const(names)) {
        if (limit.isReached() || !removeAt(directoryDescriptor, name, limit)) {
            return false;
        }
    }
    return true;
}

void StorageDirectory::removeAbandonedFoldersIn(int rootDescriptor, const QByteArray& ownName,
                                                const RemovalLimit& limit) {
    if (rootDescriptor < 0) {
        return;
    }
    QList<QByteArray> names;
    namesIn(rootDescriptor, names);
    for (const QByteArray& name : std::as_const(names)) {
        if (name == ownName || !isSorvuFolderName(name)) {
            continue;
        }
        // Only a real folder (never a link), and only one that no living instance keeps locked.
        const UniqueDescriptor folder(openSubfolder(rootDescriptor, name));
        if (!folder.isValid() || flock(folder.get(), LOCK_EX | LOCK_NB) != 0) {
            continue;
        }
        if (!removeContents(folder.get(), limit)) {
            return;
        }
        unlinkat(rootDescriptor, name.constData(), AT_REMOVEDIR);
    }
}

bool StorageDirectory::isSorvuFolderName(const QByteArray& name) {
    const QUuid id = QUuid::fromString(QLatin1StringView(name));
    return !id.isNull() && uuidString(id).toLatin1() == name;
}

} // namespace sorvu
