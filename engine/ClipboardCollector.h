// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/ClipboardFileStorage.h"
#include "engine/ClipboardImage.h"
#include "engine/QueueArrivals.h"

#include <QList>
#include <QObject>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

namespace sorvu {

class Clipboard;
class ClipboardQueue;

// Takes every new clipboard content into the queue while collecting is on: files (through private copies),
// then images (once they are known to decode), then text, one entry per file or image. A clipboard that tells
// of its changes is read when it does; one that cannot is polled. Content that cannot be read is tried again a
// few times; an emptied clipboard is no copy at all.
class ClipboardCollector : public QObject {
    Q_OBJECT

public:
    // Why copied content, or part of it, did not make it into the queue: the user is told once per copy.
    enum class CopyProblem { tooLarge, noSpace, noPermission, specialFile, specialFilesSkipped, overCapacity };
    Q_ENUM(CopyProblem)

    static constexpr int pollIntervalMilliseconds = 100;
    static constexpr int unreadableRetryLimit = 3;

    ClipboardCollector(ClipboardQueue& queue, std::shared_ptr<Clipboard> clipboard);
    // Calls off the copies and checks still running.
    ~ClipboardCollector() override;

    // Collecting began: only what is copied from now on counts.
    void start();
    void stop();
    void checkClipboard();
    // Sorvu itself just wrote the clipboard: that content must never be collected back.
    void skipOwnWrite();
    // Calls off the file copies and image checks still running and drops what waits behind them: nothing
    // collected so far joins the queue later, and the copies they came from are not collected again.
    void cancelArrivals();

    // Whether copied files are still being copied (or copied images checked): their entries, and what was
    // collected after them, join the queue once that is complete.
    bool isCopyingFiles() const { return m_arrivals.isCopying(); }
    // Whether the clipboard says when it changes; otherwise the collector polls it while collecting.
    bool isClipboardObserved() const { return m_clipboardObserved; }
    // Whether a check is scheduled: the regular poll of a clipboard that cannot tell, or the retry of an
    // unreadable change.
    bool isPolling() const { return m_pollTimer && m_pollTimer->isActive(); }
    qint64 lastChangeCount() const { return m_lastChangeCount; }
    std::optional<qint64> unreadableChangeCount() const { return m_unreadableChangeCount; }
    int unreadableReadAttempts() const { return m_unreadableReadAttempts; }

signals:
    // A copy was skipped because it is larger than the clipboard's size limit for its kind.
    void copySkippedAsTooLarge();
    void copyNotQueued(sorvu::ClipboardCollector::CopyProblem problem);

private:
    using ImageChecks = QList<ClipboardImage::Check>;

    struct FileBatch {
        qint64 changeCount = 0;
        QList<QUrl> urls;
        QList<ClipboardFileStorage::CopyJob> jobs;
        // More files than the queue had room for: the user hears of it with the batch's other problems.
        bool beyondCapacity = false;
        QueueArrivals::Cancellation cancellation;
        // Once the copies ran: an entry for each position that has one, the positions whose source was
        // missing, and what the user is to be told.
        QList<std::optional<QueuedClipboardItem>> candidates = {};
        QList<qsizetype> missingPositions = {};
        QList<CopyProblem> problems = {};
    };

    void scheduleRetry();
    // Skips the change, with a log line and a word to the user, when its content is too large to keep.
    bool skipIfTooLarge(qint64 changeCount);
    // Skips the change, with a log line and no retry, when it offers an image that could not be read: reading
    // the same bytes again would not help.
    bool skipIfImageUnreadable(qint64 changeCount);
    void consumeChange(qint64 changeCount);
    void recordUnreadableClipboard(qint64 changeCount);
    // Every copy the full queue has no room for is logged; the user is told once, until the queue has room
    // again. True when this copy is the one to tell of.
    bool noteQueueFull();
    void skipAsQueueFull(qint64 changeCount);
    void skipBeyondCapacity(qint64 changeCount, qsizetype kept, qsizetype skipped);
    // Checks the images off the main thread, then hands the checks to `then` on the main thread; a check
    // called off meanwhile answers undecodable.
    void checkImages(const QList<ClipboardImageRef>& images, const QueueArrivals::Cancellation& cancellation,
                     std::function<void(const ImageChecks&)> then);
    static void logImageSkipped(qint64 changeCount, const QString& reason, const QString& type, QSize size);
    void collectImages(const QList<ClipboardImageRef>& images, qint64 changeCount);
    void finishCollectingImages(qint64 changeCount, const QList<ClipboardImageRef>& images, const ImageChecks& checks);
    void collectFiles(const QList<QUrl>& urls, qint64 changeCount);
    void finishCollectingFiles(FileBatch batch);
    // The images that stand for files that could not be copied, with their checks, are the last part of a batch.
    void settleFiles(FileBatch batch, const QList<qsizetype>& imagePositions, const QList<ClipboardImageRef>& images,
                     const ImageChecks& checks);
    // The copies a batch made are deleted when it does not join the queue; its places are given up.
    void discardFiles(const FileBatch& batch);
    // Entries in the queue and on their way to it, copies still running included.
    qsizetype collectedCount() const;
    void append(const QList<QueuedClipboardItem>& entries);
    void settle(qint64 changeCount, const QList<QueuedClipboardItem>& entries);

    ClipboardQueue& m_queue;
    std::shared_ptr<Clipboard> m_clipboard;
    std::unique_ptr<QTimer> m_pollTimer;
    bool m_clipboardObserved = false;
    qint64 m_lastChangeCount = 0;
    std::optional<qint64> m_unreadableChangeCount;
    int m_unreadableReadAttempts = 0;
    bool m_queueFullTold = false;
    QueueArrivals m_arrivals;
};

} // namespace sorvu
