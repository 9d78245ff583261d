// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/ClipboardFileStorage.h"
#include "engine/QueueArrivals.h"

#include <QList>
#include <QObject>
#include <QTimer>
#include <QUrl>

#include <memory>
#include <optional>

namespace sorvu {

class Clipboard;
class ClipboardQueue;

// Takes every new clipboard content into the queue while collecting is on: files (through private copies),
// then images, then text, one entry per file or image. A clipboard that tells of its changes is read when it
// does; one that cannot is polled. Content that cannot be read is tried again a few times.
class ClipboardCollector : public QObject {
    Q_OBJECT

public:
    // Why copied content, or part of it, did not make it into the queue: the user is told once per copy.
    enum class CopyProblem { tooLarge, noSpace, noPermission, specialFile, specialFilesSkipped, overCapacity };
    Q_ENUM(CopyProblem)

    static constexpr int pollIntervalMilliseconds = 100;
    static constexpr int unreadableRetryLimit = 3;

    ClipboardCollector(ClipboardQueue& queue, std::shared_ptr<Clipboard> clipboard);
    ~ClipboardCollector() override;

    // Collecting began: only what is copied from now on counts.
    void start();
    void stop();
    void checkClipboard();
    // Sorvu itself just wrote the clipboard: that content must never be collected back.
    void skipOwnWrite();

    // Whether copied files are still being copied: their entries, and what was collected after them, join
    // the queue once the copy is complete.
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
    struct FileBatch {
        qint64 changeCount = 0;
        QList<QUrl> urls;
        QList<ClipboardFileStorage::CopyJob> jobs;
        bool overCapacity = false;
    };

    void scheduleRetry();
    // Skips the change, with a log line and a word to the user, when its content is too large to keep.
    bool skipIfTooLarge(qint64 changeCount);
    void consumeChange(qint64 changeCount);
    void recordUnreadableClipboard(qint64 changeCount);
    void collectFiles(const QList<QUrl>& urls, qint64 changeCount);
    void finishCollectingFiles(const FileBatch& batch);
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
    QueueArrivals m_arrivals;
};

} // namespace sorvu
