// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <atomic>

namespace sorvu {

// Copies one copied file or folder into a new entry folder of the storage. Touches nothing but its
// arguments, so it may run on any thread. Names are bytes from end to end: a name that is not UTF-8 is
// kept as it is.
class FileTreeCopy {
public:
    enum class Status {
        copied,
        sourceMissing,
        // A pipe, socket or device: opening it could block for good or act on a device.
        specialFile,
        // More than the limit would have been written.
        tooLarge,
        noSpace,
        noPermission,
        failed,
    };

    struct Result {
        Status status = Status::failed;
        // The errno behind a failure; zero when it was copied.
        int errorNumber = 0;
        // Pipes, sockets and devices inside a copied folder, left out of the copy.
        int skippedSpecialFiles = 0;
        // Data bytes written; a reflink writes none.
        qint64 bytesWritten = 0;
    };

    // Copies the source (a link at the top is followed: a copied link stands for what it points at; links
    // inside a folder stay links) to entryName/fileName in the storage folder. Folders are made writable
    // and get their mode once filled; files keep their holes and share their blocks where the file system
    // can clone them. Stops when more than maximumBytes would be written or the disk has no room. On
    // failure nothing of the entry is left. Setting `cancelled`, from any thread, ends the copy soon after,
    // as a failure with ECANCELED; setting `quitting` ends the removal of what a failed copy wrote as well,
    // leaving the rest to the storage's own clean-up.
    static Result run(int storageDescriptor, const QByteArray& entryName, const QByteArray& sourcePath,
                      const QByteArray& fileName, qint64 maximumBytes, const std::atomic_bool* cancelled = nullptr,
                      const std::atomic_bool* quitting = nullptr);
};

} // namespace sorvu
