// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/FileTreeCopy.h"
#include "engine/QueuedClipboardItem.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>
#include <QUuid>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QThreadPool;

namespace sorvu {

class StorageDirectory;

// Sorvu's private copies of copied files: a copy is made when files are collected, so that a paste still
// finds them after the originals moved or changed, and it is deleted once no entry or paste needs it. Each
// running Sorvu keeps its copies in a folder of its own inside the shared storage root.
class ClipboardFileStorage {
public:
    // Runs the work off the main thread, then the completion on the main thread.
    using RunInBackground = std::function<void(std::function<void()> work, std::function<void()> completion)>;

    struct StoredCopy {
        std::optional<QUrl> url;
        bool missing = false;
        FileTreeCopy::Status status = FileTreeCopy::Status::failed;
        int skippedSpecialFiles = 0;
        int errorNumber = 0;
        bool holdsStorage = false;
    };

    // One copied file on its way into the storage.
    struct CopyJob {
        QUuid id;
        QString name;
        QByteArray sourcePath;
        QByteArray fileName;
        // Set when the copy was decided without reading the source; else once the copy has run.
        std::optional<StoredCopy> result;
    };

    // The instance name is this instance's folder in the root. Copies and removals run through
    // runInBackground; when it is empty, on a worker thread of the storage's own, one after the other.
    ClipboardFileStorage(QString rootPath, QString instanceName, qint64 maximumFileBytes,
                         RunInBackground runInBackground);
    // Stops the work in the background first, without waiting for a large copy or removal to finish.
    ~ClipboardFileStorage();
    ClipboardFileStorage(const ClipboardFileStorage&) = delete;
    ClipboardFileStorage& operator=(const ClipboardFileStorage&) = delete;

    // Makes the storage ready and removes what earlier runs left behind: the folders of instances that are
    // gone, and the copies in this instance's folder that no entry of the queue owns.
    void prepare(const QList<QueuedClipboardItem>& queue);

    const QString& rootPath() const { return m_rootPath; }
    // This instance's own folder inside the storage, where its entries' copies live.
    QString instancePath() const;

    // What can be decided about a copy on the main thread, before any of the source is read.
    CopyJob planCopy(const QUrl& source, const QUuid& id, const QString& name);
    // Runs the copies the plans left open, off the main thread and after every copy started before them;
    // the completion runs on the main thread. Setting the flag calls off the copies not yet complete.
    void runCopies(std::shared_ptr<QList<CopyJob>> jobs, std::shared_ptr<const std::atomic_bool> cancelled,
                   std::function<void()> completion);
    // Other work of the engine that takes long, in order with the copies and removals.
    void runInBackground(std::function<void()> work, std::function<void()> completion);
    static void logCopy(const QUuid& id, const StoredCopy& copy);
    // Plans and runs one copy at once, on the calling thread.
    StoredCopy copyToClipboardStorage(const QUrl& source, const QUuid& id, const QString& name);

    void deleteStoredFile(const QueuedClipboardItem& item);
    void deleteStoredFiles(const QList<QueuedClipboardItem>& items);
    std::optional<QString> storedLocation(const QueuedClipboardItem& item) const;
    bool storedFileExists(const QueuedClipboardItem& item) const;
    void removeUnownedStoredFiles(const QList<QueuedClipboardItem>& queue);
    // Sorvu quits: the work in the background stops, then every copy goes except those of the items given
    // (pasted a moment ago, they may still be being read). The removal stops when the time is up; what it
    // leaves goes at the next start.
    void removeCopiesAtQuit(const QList<QueuedClipboardItem>& kept, std::chrono::milliseconds budget);

private:
    // The storage folder, private and tagged for backup tools to skip, and this instance's folder in it.
    // False, with a log line that names the folder, when it cannot be used.
    bool makeStorageRoot();
    // The entry's name in this instance's folder; nothing when the item's URL is not one of its entries.
    std::optional<QByteArray> storedEntryName(const QueuedClipboardItem& item) const;
    void removeStoredEntries(const QList<QByteArray>& names);
    // Stops what runs in the background and waits for it: each piece of work gives up soon once told.
    void stopBackgroundWork();
    // Copies one file: on whichever thread calls it.
    static StoredCopy runCopy(int folderDescriptor, const QByteArray& folderPath, const CopyJob& job,
                              qint64 maximumBytes, const std::atomic_bool* cancelled, const std::atomic_bool* quitting);

    QString m_rootPath;
    std::unique_ptr<StorageDirectory> m_storage;
    qint64 m_maximumFileBytes;
    RunInBackground m_runInBackground;
    std::unique_ptr<QThreadPool> m_workers;
    // Set when Sorvu quits: removals stop, and so does the clean-up after a copy that was called off.
    std::shared_ptr<std::atomic_bool> m_quitting = std::make_shared<std::atomic_bool>(false);
};

} // namespace sorvu
