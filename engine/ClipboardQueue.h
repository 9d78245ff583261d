// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/Clipboard.h"
#include "engine/FileTreeCopy.h"
#include "engine/LaunchAtLogin.h"
#include "engine/LaunchAtLoginStatus.h"
#include "engine/PasteAttemptResult.h"
#include "engine/QueuedClipboardItem.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QSettings>
#include <QString>
#include <QTimer>
#include <QUuid>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QThreadPool;

namespace sorvu {

class StorageDirectory;

// The clipboard queue: collects new clipboard contents while collecting is on, keeps private copies of
// copied files, and pastes the entries back in order. Lives on the main thread.
class ClipboardQueue : public QObject {
    Q_OBJECT
    Q_PROPERTY(QList<sorvu::QueuedClipboardItem> queue READ queue NOTIFY queueChanged)
    Q_PROPERTY(bool isCollecting READ isCollecting NOTIFY isCollectingChanged)
    Q_PROPERTY(bool hasInputAccess READ hasInputAccess NOTIFY hasInputAccessChanged)
    Q_PROPERTY(bool launchAtLoginEnabled READ launchAtLoginEnabled NOTIFY launchAtLoginEnabledChanged)
    Q_PROPERTY(bool launchAtLoginDesynced READ launchAtLoginDesynced NOTIFY launchAtLoginDesyncedChanged)

public:
    enum class StopReason { manualToggle, queueDrained };
    Q_ENUM(StopReason)
    // Why copied content, or part of it, did not make it into the queue: the user is told once per copy.
    enum class CopyProblem { tooLarge, noSpace, noPermission, specialFile, specialFilesSkipped, overCapacity };
    Q_ENUM(CopyProblem)

    using PostEvents = std::function<void()>;
    using PasteKeystroke = std::function<std::optional<PostEvents>()>;
    using ScheduleCleanup = std::function<void(double delaySeconds, std::function<void()> work)>;
    using InputAccessCheck = std::function<bool()>;
    // Runs the work off the main thread, then the completion on the main thread.
    using RunInBackground = std::function<void(std::function<void()> work, std::function<void()> completion)>;

    struct Dependencies {
        std::shared_ptr<Clipboard> clipboard;
        QString clipboardFilesDirectory;
        PasteKeystroke pasteKeystroke;
        ScheduleCleanup scheduleCleanup;
        InputAccessCheck inputAccessCheck;
        std::shared_ptr<LaunchAtLogin> launchAtLogin;
        // Holds "userEnabledLaunchAtLogin".
        std::shared_ptr<QSettings> settings;
        // The most data one copied file or folder may write into the storage.
        qint64 maximumFileBytes = qint64(2048) << 20;
        // Where copies of copied files are made; when empty, on a worker thread of the engine's own, one
        // copy after the other.
        RunInBackground runInBackground;
    };

    // Runs the work on the main thread's event loop once the delay has passed.
    static ScheduleCleanup mainLoopScheduleCleanup();
    // $XDG_DATA_HOME/Sorvu/ClipboardFiles.
    static QString defaultClipboardFilesDirectory();

    static constexpr int capacity = 99;
    static constexpr int pollIntervalMilliseconds = 100;
    static constexpr int unreadableRetryLimit = 3;
    // How long a stored copy outlives the clipboard's offer of it: a file manager may still be reading it,
    // and a drag-out may still be dropped.
    static constexpr double storedCopyGraceSeconds = 30.0;
    static inline const QString userEnabledLaunchAtLoginKey = QStringLiteral("userEnabledLaunchAtLogin");

    explicit ClipboardQueue(Dependencies dependencies, QObject* parent = nullptr);
    ~ClipboardQueue() override;

    const QList<QueuedClipboardItem>& queue() const { return m_queue; }
    // Whether copied files are still being copied: their entries, and what was collected after them, join
    // the queue once the copy is complete.
    bool isCopyingFiles() const;
    bool isCollecting() const { return m_isCollecting; }
    bool hasInputAccess() const { return m_hasInputAccess; }
    bool launchAtLoginEnabled() const { return m_launchAtLoginEnabled; }
    bool launchAtLoginDesynced() const { return m_launchAtLoginDesynced; }

    const QString& clipboardFilesDirectory() const { return m_dependencies.clipboardFilesDirectory; }
    // This instance's own folder inside the storage, where its entries' copies live.
    QString storagePath() const;
    Clipboard& clipboard() const { return *m_dependencies.clipboard; }
    // Whether the clipboard says when it changes; otherwise the engine polls it while collecting.
    bool isClipboardObserved() const { return m_clipboardObserved; }
    // Whether a check is scheduled: the regular poll of a clipboard that cannot tell, or the retry of an
    // unreadable change.
    bool isPolling() const { return m_pollTimer && m_pollTimer->isActive(); }
    qint64 lastChangeCount() const { return m_lastChangeCount; }
    std::optional<qint64> unreadableChangeCount() const { return m_unreadableChangeCount; }
    int unreadableReadAttempts() const { return m_unreadableReadAttempts; }
    bool photoAuthorizationPending() const { return m_photoAuthorizationPending; }

    // Queue editing.
    void remove(const QUuid& id);
    void move(const QUuid& id, int targetIndex);
    void move(const QSet<int>& sourceOffsets, int destinationOffset);
    void clear();
    void consumeDropped(const QUuid& id);
    void stopCollecting(StopReason reason);
    void refreshInputAccess();

    // Collection.
    void toggleCollecting();
    void checkClipboard();

    // Pasting.
    PasteAttemptResult pasteNext();
    PasteAttemptResult pasteAllText(const QString& separator, const QList<QUuid>& expectedIDs);

    // Launch at login.
    void refreshLaunchAtLoginStatus();
    void toggleLaunchAtLogin();

    // File storage.
    struct StoredCopy {
        std::optional<QUrl> url;
        bool missing = false;
        FileTreeCopy::Status status = FileTreeCopy::Status::failed;
        int skippedSpecialFiles = 0;
        int errorNumber = 0;
        bool holdsStorage = false;
    };
    StoredCopy copyToClipboardStorage(const QUrl& source, const QUuid& id, const QString& name);
    void deleteStoredFile(const QueuedClipboardItem& item);
    std::optional<QString> storedLocation(const QueuedClipboardItem& item) const;
    bool storedFileExists(const QueuedClipboardItem& item) const;
    void removeUnownedStoredFiles(const QList<QueuedClipboardItem>& queue);

signals:
    void queueChanged();
    void isCollectingChanged();
    void hasInputAccessChanged();
    void launchAtLoginEnabledChanged();
    void launchAtLoginDesyncedChanged();
    void flashRequested();
    // A copy was skipped because it is larger than the clipboard's size limit for its kind.
    void copySkippedAsTooLarge();
    void copyNotQueued(sorvu::ClipboardQueue::CopyProblem problem);

private:
    void setQueue(QList<QueuedClipboardItem> queue);
    // Removes the entry and publishes the change; nothing when no entry has the id.
    std::optional<QueuedClipboardItem> take(const QUuid& id);
    void setIsCollecting(bool value);
    void setHasInputAccess(bool value);
    void setLaunchAtLoginEnabled(bool value);
    void setLaunchAtLoginDesynced(bool value);

    void prepareStorage();
    // The storage folder, private and tagged for backup tools to skip, and this instance's folder in it.
    // False, with a log line that names the folder, when it cannot be used.
    bool makeStorageRoot();
    // The entry's name in this instance's folder; nothing when the item's URL is not one of its entries.
    std::optional<QByteArray> storedEntryName(const QueuedClipboardItem& item) const;
    void startPolling();
    void scheduleRetry();
    // Skips the change, with a log line and a word to the user, when its content is too large to keep.
    bool skipIfTooLarge(qint64 changeCount);
    void consumeChange(qint64 changeCount);
    void recordUnreadableClipboard(qint64 changeCount);
    void collectFiles(const QList<QUrl>& urls, qint64 changeCount);
    // One copied file on its way into the storage.
    struct FileCopyJob {
        QUuid id;
        QString name;
        QByteArray sourcePath;
        QByteArray fileName;
        // Set when the copy was decided without reading the source; else when the copy has run.
        std::optional<StoredCopy> result;
    };
    struct FileCopyBatch {
        qint64 changeCount = 0;
        QList<QUrl> urls;
        QList<FileCopyJob> jobs;
        bool overCapacity = false;
    };
    // What can be decided about a copy on the main thread, before any of the source is read.
    FileCopyJob planCopy(const QUrl& source, const QUuid& id, const QString& name);
    // Copies one file: on whichever thread calls it.
    static StoredCopy runCopy(int folderDescriptor, const QByteArray& folderPath, const FileCopyJob& job,
                              qint64 maximumBytes, const std::atomic_bool* cancelled);
    void finishCollectingFiles(FileCopyBatch batch);
    static void logCopy(const QUuid& id, const StoredCopy& copy);
    void runInBackground(std::function<void()> work, std::function<void()> completion);
    // Adds entries behind everything collected before them, also behind files still being copied.
    void appendEntries(const QList<QueuedClipboardItem>& entries);
    // Entries in the queue and on their way to it, copies still running included.
    qsizetype collectedCount() const;
    void settleCopy(qint64 changeCount, const QList<QueuedClipboardItem>& entries);
    void deleteStoredCopies(const QList<QueuedClipboardItem>& items);
    void removeStoredEntries(const QList<QByteArray>& names);
    void deleteStoredFileLater(const QueuedClipboardItem& item);
    // Whether the clipboard still holds our paste of the item.
    bool isOffered(const QueuedClipboardItem& item) const;
    PasteAttemptResult performPaste(const ClipboardItem& item);
    void removeHeadAfterPaste();

    QList<QueuedClipboardItem> m_queue;
    bool m_isCollecting = false;
    bool m_hasInputAccess = false;
    bool m_launchAtLoginEnabled = false;
    bool m_launchAtLoginDesynced = false;

    Dependencies m_dependencies;
    std::unique_ptr<StorageDirectory> m_storage;

    std::unique_ptr<QTimer> m_pollTimer;
    bool m_clipboardObserved = false;
    qint64 m_lastChangeCount = 0;
    std::optional<qint64> m_unreadableChangeCount;
    int m_unreadableReadAttempts = 0;
    bool m_photoAuthorizationPending = false;
    // What our last paste put on the clipboard, and the change count it had there.
    struct Offer {
        QUuid id;
        qint64 changeCount = 0;
    };
    std::optional<Offer> m_offer;

    // What was collected but has not joined the queue yet, in copy order: a running copy of files holds
    // its place, and what came after it waits behind it.
    struct Arrival {
        std::optional<qint64> copyingChange;
        qsizetype reserved = 0;
        QList<QueuedClipboardItem> entries;
    };
    QList<Arrival> m_arrivals;
    std::unique_ptr<QThreadPool> m_copyPool;
    std::shared_ptr<std::atomic_bool> m_copiesCancelled = std::make_shared<std::atomic_bool>(false);
};

} // namespace sorvu
