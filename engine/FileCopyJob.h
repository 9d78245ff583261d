// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/FileTreeCopy.h"

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QUuid>

#include <atomic>
#include <optional>

namespace sorvu {

// One copied file on its way into the storage: what its path alone decides before any of it is read, the copy
// itself (on whichever thread runs it), and the log line that tells how it went.
struct FileCopyJob {
    struct StoredCopy {
        std::optional<QUrl> url;
        bool missing = false;
        FileTreeCopy::Status status = FileTreeCopy::Status::failed;
        int skippedSpecialFiles = 0;
        int errorNumber = 0;
        bool holdsStorage = false;
    };

    QUuid id;
    QString name;
    QByteArray sourcePath;
    QByteArray fileName;
    // Set when the copy was decided without reading the source; else once the copy has run.
    std::optional<StoredCopy> result;

    // The copy of a local file into the storage at `rootPath`, stored under the given name, else the source's,
    // else the id; refused at once when the source holds the storage.
    static FileCopyJob forLocalFile(const QUrl& source, const QUuid& id, const QString& name, const QString& rootPath);
    // Copies the file into the open folder, an entry named after the id; the flags, when given, stop it early.
    StoredCopy run(int folderDescriptor, const QByteArray& folderPath, qint64 maximumBytes,
                   const std::atomic_bool* cancelled, const std::atomic_bool* quitting) const;
    // Once the result is known.
    void logResult() const;
};

} // namespace sorvu
