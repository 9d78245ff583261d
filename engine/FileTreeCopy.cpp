// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/FileTreeCopy.h"

#include "engine/StorageDirectory.h"
#include "engine/UniqueDescriptor.h"

#include <QList>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace sorvu {

namespace {

constexpr int sourceFlags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
constexpr size_t streamChunk = size_t(1) << 20;
constexpr int creationMode = S_IRUSR | S_IWUSR;

bool isCopyable(mode_t mode) {
    return S_ISREG(mode) || S_ISDIR(mode);
}

// One copy's running state: what it may still write and what it left out.
class TreeCopier {
public:
    TreeCopier(qint64 maximumBytes, const std::atomic_bool* cancelled)
        : m_maximumBytes(maximumBytes), m_cancelled(cancelled) {}

    int copy(int source, const struct stat& status, int targetParent, const QByteArray& name) {
        return S_ISDIR(status.st_mode) ? copyDirectory(source, status, targetParent, name)
                                       : copyFile(source, status, targetParent, name);
    }

    qint64 written() const { return m_written; }
    int skippedSpecialFiles() const { return m_skippedSpecialFiles; }

private:
    int copyDirectory(int source, const struct stat& status, int targetParent, const QByteArray& name) {
        if (mkdirat(targetParent, name.constData(), S_IRWXU) != 0) {
            return errno;
        }
        const UniqueDescriptor target(openat(targetParent, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW));
        if (!target.isValid()) {
            return errno;
        }
        QList<QByteArray> names;
        if (const int error = StorageDirectory::namesIn(source, names)) {
            return error;
        }
        for (const QByteArray& child : std::as_const(names)) {
            if (const int error = copyChild(source, child, target.get())) {
                return error;
            }
        }
        // Only now: a read-only folder's mode would have kept its own content out.
        return fchmod(target.get(), status.st_mode & 07777) == 0 ? 0 : errno;
    }

    bool isCancelled() const { return m_cancelled != nullptr && m_cancelled->load(std::memory_order_relaxed); }

    // Zero while the copy may go on; ECANCELED once it was called off, EFBIG when the bytes would pass the limit.
    int mayWrite(qint64 bytes) const {
        if (isCancelled()) {
            return ECANCELED;
        }
        return m_written + bytes > m_maximumBytes ? EFBIG : 0;
    }

    int copyChild(int sourceDirectory, const QByteArray& name, int targetDirectory) {
        if (isCancelled()) {
            return ECANCELED;
        }
        struct stat status {};
        if (fstatat(sourceDirectory, name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
            return errno;
        }
        if (S_ISLNK(status.st_mode)) {
            return copyLink(sourceDirectory, name, targetDirectory);
        }
        if (!isCopyable(status.st_mode)) {
            ++m_skippedSpecialFiles;
            return 0;
        }
        // Opened without following and without blocking, then judged by what was opened: a pipe swapped in
        // since the look above must not hang the copy.
        const UniqueDescriptor child(openat(sourceDirectory, name.constData(), sourceFlags | O_NOFOLLOW));
        struct stat opened {};
        if (!child.isValid() || fstat(child.get(), &opened) != 0) {
            return errno;
        }
        if (!isCopyable(opened.st_mode)) {
            ++m_skippedSpecialFiles;
            return 0;
        }
        return copy(child.get(), opened, targetDirectory, name);
    }

    static int copyLink(int sourceDirectory, const QByteArray& name, int targetDirectory) {
        QByteArray target(PATH_MAX, '\0');
        const ssize_t length = readlinkat(sourceDirectory, name.constData(), target.data(), target.size());
        if (length < 0) {
            return errno;
        }
        target.truncate(length);
        return symlinkat(target.constData(), targetDirectory, name.constData()) == 0 ? 0 : errno;
    }

    int copyFile(int source, const struct stat& status, int targetParent, const QByteArray& name) {
        if (const int error = checkRoom(status, targetParent)) {
            return error;
        }
        const UniqueDescriptor target(
            openat(targetParent, name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, creationMode));
        if (!target.isValid()) {
            return errno;
        }
        // A clone shares the blocks until either side changes: instant, and no room taken.
        m_shortEnd = -1;
        if (status.st_size == 0 || ioctl(target.get(), FICLONE, source) != 0) {
            if (const int error = copyData(source, status, target.get())) {
                return error;
            }
        }
        return fchmod(target.get(), status.st_mode & 07777) == 0 ? 0 : errno;
    }

    int checkRoom(const struct stat& status, int targetParent) const {
        const qint64 allocated = qint64(status.st_blocks) * 512;
        if (m_written + std::min<qint64>(allocated, status.st_size) > m_maximumBytes) {
            return EFBIG;
        }
        struct statvfs space {};
        if (fstatvfs(targetParent, &space) == 0 && qint64(space.f_bavail) * qint64(space.f_frsize) < allocated) {
            return ENOSPC;
        }
        return 0;
    }

    int copyData(int source, const struct stat& status, int target) {
        // The reported size is only a hint: files of /proc say 0 and have content, others grow. The data
        // parts are copied where the system can tell them from holes, then the rest until the end.
        off_t streamFrom = 0;
        if (status.st_size > 0) {
            off_t offset = 0;
            bool sparseAware = true;
            while (offset < status.st_size) {
                const off_t data = lseek(source, offset, SEEK_DATA);
                if (data < 0 && errno == ENXIO) {
                    break;
                }
                if (data < 0) {
                    sparseAware = false;
                    break;
                }
                const off_t hole = lseek(source, data, SEEK_HOLE);
                if (hole < 0) {
                    return errno;
                }
                if (const int error = copyRange(source, target, data, hole - data)) {
                    return error;
                }
                offset = hole;
            }
            if (m_shortEnd >= 0) {
                // Shorter than reported (files of /sys): no padding to the reported size.
                return ftruncate(target, m_shortEnd) == 0 ? 0 : errno;
            }
            streamFrom = offset;
            if (sparseAware) {
                // A hole at the end has no data to copy, only a size.
                streamFrom = std::max<off_t>(offset, status.st_size);
                if (ftruncate(target, streamFrom) != 0) {
                    return errno;
                }
            }
        }
        return streamRange(source, target, streamFrom, -1);
    }

    int copyRange(int source, int target, off_t start, off_t length) {
        loff_t in = start;
        loff_t out = start;
        const off_t end = start + length;
        while (in < end) {
            const size_t chunk = size_t(std::min<off_t>(end - in, off_t(streamChunk) * 8));
            if (const int refusal = mayWrite(qint64(chunk))) {
                return refusal;
            }
            const ssize_t copied = copy_file_range(source, &in, target, &out, chunk, 0);
            if (copied < 0 && errno == EINTR) {
                continue;
            }
            if (copied < 0) {
                // Between some file systems the kernel cannot copy: bytes through memory then.
                return (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)
                           ? streamRange(source, target, in, end)
                           : errno;
            }
            if (copied == 0) {
                m_shortEnd = in;
                return 0;
            }
            m_written += copied;
        }
        return 0;
    }

    // Reads and writes until the end (-1: the end of the file).
    int streamRange(int source, int target, off_t from, off_t end) {
        QByteArray buffer(qsizetype(streamChunk), Qt::Uninitialized);
        off_t position = from;
        while (end < 0 || position < end) {
            const size_t wanted = end < 0 ? streamChunk : size_t(std::min<off_t>(end - position, streamChunk));
            const ssize_t got = pread(source, buffer.data(), wanted, position);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                return errno;
            }
            if (got == 0) {
                if (end >= 0) {
                    m_shortEnd = position;
                }
                return 0;
            }
            if (const int refusal = mayWrite(got)) {
                return refusal;
            }
            for (ssize_t done = 0; done < got;) {
                const ssize_t put = pwrite(target, buffer.constData() + done, size_t(got - done), position + done);
                if (put < 0 && errno != EINTR) {
                    return errno;
                }
                done += std::max<ssize_t>(put, 0);
            }
            position += got;
            m_written += got;
        }
        return 0;
    }

    qint64 m_maximumBytes;
    const std::atomic_bool* m_cancelled;
    qint64 m_written = 0;
    int m_skippedSpecialFiles = 0;
    // Where a file ended before the size it reported; -1 while none did.
    off_t m_shortEnd = -1;
};

FileTreeCopy::Status statusForError(int error) {
    switch (error) {
    case 0:
        return FileTreeCopy::Status::copied;
    case EFBIG:
        return FileTreeCopy::Status::tooLarge;
    case ENOSPC:
    case EDQUOT:
        return FileTreeCopy::Status::noSpace;
    case EACCES:
    case EPERM:
        return FileTreeCopy::Status::noPermission;
    default:
        return FileTreeCopy::Status::failed;
    }
}

} // namespace

FileTreeCopy::Result FileTreeCopy::run(int storageDescriptor, const QByteArray& entryName, const QByteArray& sourcePath,
                                       const QByteArray& fileName, qint64 maximumBytes,
                                       const std::atomic_bool* cancelled, const std::atomic_bool* quitting) {
    struct stat status {};
    if (stat(sourcePath.constData(), &status) != 0) {
        const int error = errno;
        return Result{error == ENOENT ? Status::sourceMissing : statusForError(error), error, 0, 0};
    }
    // Judged before opening: opening a pipe could wait for a writer, opening a device could act on it.
    if (!isCopyable(status.st_mode)) {
        return Result{Status::specialFile, 0, 0, 0};
    }
    const UniqueDescriptor source(open(sourcePath.constData(), sourceFlags));
    if (!source.isValid() || fstat(source.get(), &status) != 0) {
        const int error = errno;
        return Result{error == ENOENT ? Status::sourceMissing : statusForError(error), error, 0, 0};
    }
    if (!isCopyable(status.st_mode)) {
        return Result{Status::specialFile, 0, 0, 0};
    }

    if (mkdirat(storageDescriptor, entryName.constData(), S_IRWXU) != 0) {
        const int error = errno;
        return Result{statusForError(error), error, 0, 0};
    }
    TreeCopier copier(maximumBytes, cancelled);
    int error = 0;
    {
        const UniqueDescriptor entry(
            openat(storageDescriptor, entryName.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        error = entry.isValid() ? copier.copy(source.get(), status, entry.get(), fileName) : errno;
    }
    if (error != 0) {
        const UniqueDescriptor entry(
            openat(storageDescriptor, entryName.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!entry.isValid() || StorageDirectory::removeContents(entry.get(), {quitting})) {
            unlinkat(storageDescriptor, entryName.constData(), AT_REMOVEDIR);
        }
    }
    return Result{statusForError(error), error, copier.skippedSpecialFiles(), copier.written()};
}

} // namespace sorvu
