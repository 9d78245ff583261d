// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/ClipboardCollector.h"

#include "engine/Clipboard.h"
#include "engine/ClipboardQueue.h"
#include "engine/Log.h"

#include <QPointer>

namespace sorvu {

namespace {

QString lastPathComponent(const QUrl& url) {
    QString path = url.path();
    while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) {
        path.chop(1);
    }
    return path.section(QLatin1Char('/'), -1);
}

// What the user is told of a copy that did not make it whole into the queue.
std::optional<ClipboardCollector::CopyProblem> copyProblem(const ClipboardFileStorage::StoredCopy& copy) {
    using Status = FileTreeCopy::Status;
    using Problem = ClipboardCollector::CopyProblem;
    switch (copy.status) {
    case Status::copied:
        return copy.skippedSpecialFiles > 0 ? std::optional(Problem::specialFilesSkipped) : std::nullopt;
    case Status::tooLarge:
        return Problem::tooLarge;
    case Status::noSpace:
        return Problem::noSpace;
    case Status::noPermission:
        return Problem::noPermission;
    case Status::specialFile:
        return Problem::specialFile;
    case Status::sourceMissing:
    case Status::failed:
        break;
    }
    return std::nullopt;
}

} // namespace

ClipboardCollector::ClipboardCollector(ClipboardQueue& queue, std::shared_ptr<Clipboard> clipboard)
    : m_queue(queue), m_clipboard(std::move(clipboard)) {
    m_lastChangeCount = m_clipboard->changeCount();
    m_clipboardObserved = m_clipboard->observeChanges([collector = QPointer<ClipboardCollector>(this)] {
        if (collector && collector->m_queue.isCollecting()) {
            collector->checkClipboard();
        }
    });
}

ClipboardCollector::~ClipboardCollector() = default;

void ClipboardCollector::start() {
    m_lastChangeCount = m_clipboard->changeCount();
    m_pollTimer.reset();
    auto timer = std::make_unique<QTimer>();
    timer->setInterval(pollIntervalMilliseconds);
    // A coarse timer may fire up to 5 % (5 ms) late, within the 10 ms the poll tolerates.
    timer->setTimerType(Qt::CoarseTimer);
    // A clipboard that tells of its changes is checked when it does; the timer then only retries an
    // unreadable change, once per interval.
    timer->setSingleShot(m_clipboardObserved);
    connect(timer.get(), &QTimer::timeout, this, &ClipboardCollector::checkClipboard);
    if (!m_clipboardObserved) {
        timer->start();
    }
    m_pollTimer = std::move(timer);
}

void ClipboardCollector::stop() {
    m_pollTimer.reset();
}

void ClipboardCollector::skipOwnWrite() {
    m_lastChangeCount = m_clipboard->changeCount();
}

void ClipboardCollector::scheduleRetry() {
    if (m_clipboardObserved && m_pollTimer && !m_pollTimer->isActive()) {
        m_pollTimer->start();
    }
}

void ClipboardCollector::consumeChange(qint64 changeCount) {
    m_lastChangeCount = changeCount;
    m_unreadableChangeCount.reset();
    m_unreadableReadAttempts = 0;
    if (m_clipboardObserved && m_pollTimer) {
        m_pollTimer->stop();
    }
}

bool ClipboardCollector::skipIfTooLarge(qint64 changeCount) {
    if (!m_clipboard->isContentTooLarge() || m_clipboard->changeCount() != changeCount) {
        return false;
    }
    const std::optional<QStringList> types = m_clipboard->offeredTypes();
    qCInfo(lcQueue).noquote() << QStringLiteral("copy skipped as larger than the size limit changeCount=%1 types=%2")
                                     .arg(changeCount)
                                     .arg(types ? types->join(QLatin1Char(',')) : QStringLiteral("mock"));
    consumeChange(changeCount);
    emit copySkippedAsTooLarge();
    return true;
}

void ClipboardCollector::checkClipboard() {
    const qint64 current = m_clipboard->changeCount();
    if (current == m_lastChangeCount) {
        return;
    }
    // Its files are being copied: the change is settled when the copy completes.
    if (m_arrivals.isCopying(current)) {
        return;
    }
    qCDebug(lcQueue).noquote()
        << QStringLiteral("checkPasteboard changeCount %1 -> %2").arg(m_lastChangeCount).arg(current);
    const auto unchanged = [&] { return m_clipboard->changeCount() == current; };

    if (collectedCount() >= ClipboardQueue::capacity) {
        consumeChange(current);
        return;
    }

    // Asked before anything is read: a secret's content never enters the program.
    if (m_clipboard->isSecret()) {
        if (unchanged()) {
            qCInfo(lcQueue).noquote() << QStringLiteral("copy skipped as a secret changeCount=%1").arg(current);
            consumeChange(current);
        }
        return;
    }

    const QList<QUrl> urls = m_clipboard->fileURLs();
    if (!unchanged()) {
        return;
    }
    if (!urls.isEmpty()) {
        collectFiles(urls, current);
        return;
    }

    const QList<ClipboardImageRef> images = m_clipboard->images();
    if (!unchanged()) {
        return;
    }
    // An image too large to keep is not replaced by whatever text came with it.
    if (images.isEmpty() && skipIfTooLarge(current)) {
        return;
    }
    if (!images.isEmpty()) {
        for (const auto& image : images) {
            if (collectedCount() >= ClipboardQueue::capacity) {
                break;
            }
            append({QueuedClipboardItem::make(ClipboardItem::makeImage(image))});
            qCDebug(lcQueue).noquote()
                << QStringLiteral("queue append type=image queue.count=%1").arg(collectedCount());
        }
        consumeChange(current);
        return;
    }

    const std::optional<QString> text = m_clipboard->plainText();
    if (text && !text->isEmpty()) {
        if (!unchanged()) {
            return;
        }
        append({QueuedClipboardItem::make(ClipboardItem::makeText(*text))});
        qCDebug(lcQueue).noquote() << QStringLiteral("queue append type=text queue.count=%1").arg(collectedCount());
        consumeChange(current);
        return;
    }

    if (unchanged() && !skipIfTooLarge(current)) {
        recordUnreadableClipboard(current);
    }
}

void ClipboardCollector::collectFiles(const QList<QUrl>& urls, qint64 changeCount) {
    ClipboardFileStorage& files = m_queue.files();
    const qsizetype room = ClipboardQueue::capacity - collectedCount();
    FileBatch batch{changeCount, urls, {}, room < urls.count()};
    for (const QUrl& url : urls.mid(0, std::min(room, urls.count()))) {
        batch.jobs.append(files.planCopy(url, QUuid::createUuid(), lastPathComponent(url)));
    }
    // The last look before the files take their place in the queue: a copy that came since replaced them.
    if (m_clipboard->changeCount() != changeCount) {
        return;
    }

    m_arrivals.holdPlaces(changeCount, batch.jobs.count());
    auto jobs = std::make_shared<QList<ClipboardFileStorage::CopyJob>>(std::move(batch.jobs));
    files.runCopies(jobs, [collector = QPointer<ClipboardCollector>(this), jobs, batch = std::move(batch)]() mutable {
        if (collector) {
            batch.jobs = std::move(*jobs);
            collector->finishCollectingFiles(batch);
        }
    });
}

void ClipboardCollector::finishCollectingFiles(const FileBatch& batch) {
    ClipboardFileStorage& files = m_queue.files();
    const qint64 changeCount = batch.changeCount;
    const auto unchanged = [&] { return m_clipboard->changeCount() == changeCount; };

    QList<std::optional<QueuedClipboardItem>> candidates(batch.jobs.count());
    QList<qsizetype> missingPositions;
    QList<CopyProblem> problems;
    if (batch.overCapacity) {
        problems.append(CopyProblem::overCapacity);
    }
    for (qsizetype position = 0; position < batch.jobs.count(); ++position) {
        const ClipboardFileStorage::CopyJob& job = batch.jobs.at(position);
        const ClipboardFileStorage::StoredCopy& copy = *job.result;
        ClipboardFileStorage::logCopy(job.id, copy);
        if (copy.missing) {
            missingPositions.append(position);
        }
        if (copy.url) {
            candidates[position] = QueuedClipboardItem{job.id, ClipboardItem::makeFile(*copy.url, job.name)};
        }
        if (const std::optional<CopyProblem> problem = copyProblem(copy)) {
            problems.append(*problem);
        }
    }
    const auto storedItems = [&] {
        QList<QueuedClipboardItem> filled;
        for (const auto& candidate : std::as_const(candidates)) {
            if (candidate && candidate->content.isFile()) {
                filled.append(*candidate);
            }
        }
        return filled;
    };
    // Said once a copy is settled, never again at a retry of the same copy.
    const auto settleAndTell = [&](const QList<QueuedClipboardItem>& entries) {
        settle(changeCount, entries);
        QList<CopyProblem> told;
        for (const CopyProblem problem : std::as_const(problems)) {
            if (!told.contains(problem)) {
                told.append(problem);
                emit copyNotQueued(problem);
            }
        }
    };
    const auto discard = [&] {
        files.deleteStoredFiles(storedItems());
        settle(changeCount, {});
    };

    // What failed may come as an image instead; that is read now, and only counts for the same copy.
    if (std::any_of(candidates.cbegin(), candidates.cend(),
                    [](const auto& candidate) { return !candidate.has_value(); })) {
        const QList<ClipboardImageRef> fallback = m_clipboard->imagesForFileURLs(batch.urls);
        if (!unchanged()) {
            discard();
            return;
        }
        for (qsizetype position = 0; position < candidates.count(); ++position) {
            if (!candidates.at(position) && position < fallback.count() && fallback.at(position)) {
                candidates[position] = QueuedClipboardItem::make(ClipboardItem::makeImage(fallback.at(position)));
            }
        }
    }

    QList<QueuedClipboardItem> entries;
    for (const auto& candidate : std::as_const(candidates)) {
        if (candidate) {
            entries.append(*candidate);
        }
    }
    const bool everyMissingReplaced =
        std::all_of(missingPositions.cbegin(), missingPositions.cend(),
                    [&](qsizetype position) { return candidates.at(position).has_value(); });
    if (everyMissingReplaced) {
        settleAndTell(entries);
        // A later copy may have been collected meanwhile; its count stays.
        if (m_lastChangeCount < changeCount) {
            consumeChange(changeCount);
        }
        return;
    }

    recordUnreadableClipboard(changeCount);
    if (m_lastChangeCount == changeCount) {
        settleAndTell(entries);
    } else {
        discard();
    }
}

qsizetype ClipboardCollector::collectedCount() const {
    return m_queue.queue().count() + m_arrivals.count();
}

void ClipboardCollector::append(const QList<QueuedClipboardItem>& entries) {
    // Behind everything collected before them, also behind files still being copied.
    if (!m_arrivals.waitBehindCopies(entries)) {
        m_queue.append(entries);
    }
}

void ClipboardCollector::settle(qint64 changeCount, const QList<QueuedClipboardItem>& entries) {
    const QList<QueuedClipboardItem> arrived = m_arrivals.settle(changeCount, entries);
    if (!arrived.isEmpty()) {
        m_queue.append(arrived);
    }
}

void ClipboardCollector::recordUnreadableClipboard(qint64 changeCount) {
    if (!m_unreadableChangeCount || *m_unreadableChangeCount != changeCount) {
        m_unreadableChangeCount = changeCount;
        m_unreadableReadAttempts = 0;
    }
    ++m_unreadableReadAttempts;
    const std::optional<QStringList> types = m_clipboard->offeredTypes();
    qCInfo(lcQueue).noquote() << QStringLiteral("pasteboard unreadable changeCount=%1 attempt=%2 types=%3")
                                     .arg(changeCount)
                                     .arg(m_unreadableReadAttempts)
                                     .arg(types ? types->join(QLatin1Char(',')) : QStringLiteral("mock"));
    if (m_unreadableReadAttempts >= unreadableRetryLimit) {
        consumeChange(changeCount);
    } else {
        scheduleRetry();
    }
}

} // namespace sorvu
