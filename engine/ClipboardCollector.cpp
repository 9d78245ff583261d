// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/ClipboardCollector.h"

#include "engine/Clipboard.h"
#include "engine/ClipboardQueue.h"
#include "engine/EnumNames.h"
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

ClipboardCollector::~ClipboardCollector() {
    m_arrivals.cancelAll();
}

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

void ClipboardCollector::cancelArrivals() {
    const QueueArrivals::Cancelled cancelled = m_arrivals.cancelAll();
    // Its files are still on the clipboard: read again, they would bring back what was cleared.
    if (cancelled.latestChange && *cancelled.latestChange > m_lastChangeCount) {
        consumeChange(*cancelled.latestChange);
    }
    if (cancelled.count > 0) {
        qCDebug(lcQueue).noquote() << QStringLiteral("collection cancelled entries=%1 changeCount=%2")
                                          .arg(cancelled.count)
                                          .arg(cancelled.latestChange.value_or(m_lastChangeCount));
    }
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
    // Its files are being copied or its images checked: the change is settled when that is complete.
    if (m_arrivals.isCopying(current)) {
        return;
    }
    qCDebug(lcQueue).noquote()
        << QStringLiteral("checkPasteboard changeCount %1 -> %2").arg(m_lastChangeCount).arg(current);
    const auto unchanged = [&] { return m_clipboard->changeCount() == current; };

    // The program that owned the clipboard exited: there is nothing to read, now or at a retry.
    if (m_clipboard->isEmpty()) {
        if (unchanged()) {
            qCDebug(lcQueue).noquote() << QStringLiteral("clipboard emptied changeCount=%1").arg(current);
            consumeChange(current);
        }
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

    if (collectedCount() >= ClipboardQueue::capacity) {
        skipAsQueueFull(current);
        return;
    }
    // Room again: the next copy the queue cannot take is told of anew.
    m_queueFullTold = false;

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
    if (!images.isEmpty()) {
        collectImages(images, current);
        return;
    }
    // An image too large to keep, or one that cannot be read, is not replaced by whatever text came with it.
    if (skipIfTooLarge(current) || skipIfImageUnreadable(current)) {
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

void ClipboardCollector::collectImages(const QList<ClipboardImageRef>& images, qint64 changeCount) {
    const QList<ClipboardImageRef> kept = images.mid(0, ClipboardQueue::capacity - collectedCount());
    if (kept.count() < images.count()) {
        skipBeyondCapacity(changeCount, kept.count(), images.count() - kept.count());
        if (noteQueueFull()) {
            emit copyNotQueued(CopyProblem::overCapacity);
        }
    }
    // Known to decode only once every row was read, which for the largest takes seconds.
    const QueueArrivals::Cancellation cancellation = m_arrivals.holdPlaces(changeCount, kept.count());
    checkImages(kept, cancellation, [this, changeCount, kept, cancellation](const ImageChecks& checks) {
        // Cleared meanwhile: nothing of it comes back.
        if (!cancellation->load()) {
            finishCollectingImages(changeCount, kept, checks);
        }
    });
}

void ClipboardCollector::finishCollectingImages(qint64 changeCount, const QList<ClipboardImageRef>& images,
                                                const ImageChecks& checks) {
    const qsizetype before = collectedCount() - images.count();
    QList<QueuedClipboardItem> entries;
    for (qsizetype index = 0; index < images.count(); ++index) {
        const ClipboardImage& image = *images.at(index);
        if (checks.at(index) != ClipboardImage::Check::decodes) {
            logImageSkipped(changeCount, caseName(checks.at(index)), image.mimeType(), image.pixelSize());
            continue;
        }
        entries.append(QueuedClipboardItem::make(ClipboardItem::makeImage(images.at(index))));
        qCDebug(lcQueue).noquote()
            << QStringLiteral("queue append type=image queue.count=%1").arg(before + entries.count());
    }
    settle(changeCount, entries);
    // A later copy may have been collected meanwhile; its count stays.
    if (m_lastChangeCount < changeCount) {
        consumeChange(changeCount);
    }
}

void ClipboardCollector::checkImages(const QList<ClipboardImageRef>& images,
                                     const QueueArrivals::Cancellation& cancellation,
                                     std::function<void(const ImageChecks&)> then) {
    auto checks = std::make_shared<ImageChecks>();
    m_queue.files().runInBackground(
        [images, checks, cancellation] {
            for (const ClipboardImageRef& image : images) {
                checks->append(image->check(cancellation.get()));
            }
        },
        [collector = QPointer<ClipboardCollector>(this), checks, then = std::move(then)] {
            if (collector) {
                then(*checks);
            }
        });
}

void ClipboardCollector::logImageSkipped(qint64 changeCount, const QString& reason, const QString& type, QSize size) {
    qCInfo(lcQueue).noquote() << QStringLiteral("image skipped as unreadable changeCount=%1 reason=%2 type=%3 width=%4 "
                                                "height=%5")
                                     .arg(changeCount)
                                     .arg(reason, type)
                                     .arg(std::max(size.width(), 0))
                                     .arg(std::max(size.height(), 0));
}

bool ClipboardCollector::skipIfImageUnreadable(qint64 changeCount) {
    const std::optional<QStringList> types = m_clipboard->offeredTypes();
    QStringList images;
    for (const QString& type : types.value_or(QStringList())) {
        if (ClipboardImage::isReadableType(type)) {
            images.append(type);
        }
    }
    if (images.isEmpty() || m_clipboard->changeCount() != changeCount) {
        return false;
    }
    logImageSkipped(changeCount, QStringLiteral("notRead"), images.join(QLatin1Char(',')), QSize());
    consumeChange(changeCount);
    return true;
}

bool ClipboardCollector::noteQueueFull() {
    return !std::exchange(m_queueFullTold, true);
}

void ClipboardCollector::skipAsQueueFull(qint64 changeCount) {
    qCInfo(lcQueue).noquote() << QStringLiteral("copy skipped as the queue is full changeCount=%1 queue.count=%2")
                                     .arg(changeCount)
                                     .arg(collectedCount());
    consumeChange(changeCount);
    if (noteQueueFull()) {
        emit copyNotQueued(CopyProblem::overCapacity);
    }
}

void ClipboardCollector::skipBeyondCapacity(qint64 changeCount, qsizetype kept, qsizetype skipped) {
    qCInfo(lcQueue).noquote()
        << QStringLiteral("copy partly skipped as the queue is full changeCount=%1 kept=%2 skipped=%3 queue.count=%4")
               .arg(changeCount)
               .arg(kept)
               .arg(skipped)
               .arg(collectedCount() + kept);
}

void ClipboardCollector::collectFiles(const QList<QUrl>& urls, qint64 changeCount) {
    ClipboardFileStorage& files = m_queue.files();
    const qsizetype kept = std::min(ClipboardQueue::capacity - collectedCount(), urls.count());
    FileBatch batch{changeCount, urls, {}, false, nullptr};
    for (const QUrl& url : urls.mid(0, kept)) {
        batch.jobs.append(files.planCopy(url, QUuid::createUuid(), lastPathComponent(url)));
    }
    // The last look before the files take their place in the queue: a copy that came since replaced them.
    if (m_clipboard->changeCount() != changeCount) {
        return;
    }

    batch.beyondCapacity = kept < urls.count();
    if (batch.beyondCapacity) {
        skipBeyondCapacity(changeCount, kept, urls.count() - kept);
    }
    const QueueArrivals::Cancellation cancellation = m_arrivals.holdPlaces(changeCount, batch.jobs.count());
    batch.cancellation = cancellation;
    auto jobs = std::make_shared<QList<ClipboardFileStorage::CopyJob>>(std::move(batch.jobs));
    files.runCopies(jobs, cancellation,
                    [collector = QPointer<ClipboardCollector>(this), jobs, batch = std::move(batch)]() mutable {
                        if (!collector) {
                            return;
                        }
                        batch.jobs = std::move(*jobs);
                        // Cleared while copying: what was copied goes again at once.
                        if (batch.cancellation->load()) {
                            collector->discardFiles(batch);
                        } else {
                            collector->finishCollectingFiles(std::move(batch));
                        }
                    });
}

void ClipboardCollector::finishCollectingFiles(FileBatch batch) {
    batch.candidates.resize(batch.jobs.count());
    for (qsizetype position = 0; position < batch.jobs.count(); ++position) {
        const ClipboardFileStorage::CopyJob& job = batch.jobs.at(position);
        const ClipboardFileStorage::StoredCopy& copy = *job.result;
        ClipboardFileStorage::logCopy(job.id, copy);
        if (copy.missing) {
            batch.missingPositions.append(position);
        }
        if (copy.url) {
            batch.candidates[position] = QueuedClipboardItem{job.id, ClipboardItem::makeFile(*copy.url, job.name)};
        }
        if (const std::optional<CopyProblem> problem = copyProblem(copy)) {
            batch.problems.append(*problem);
        }
    }

    // What failed may come as an image instead; that is read now, and only counts for the same copy.
    QList<qsizetype> imagePositions;
    QList<ClipboardImageRef> images;
    if (std::any_of(batch.candidates.cbegin(), batch.candidates.cend(),
                    [](const auto& candidate) { return !candidate.has_value(); })) {
        const QList<ClipboardImageRef> fallback = m_clipboard->imagesForFileURLs(batch.urls);
        if (m_clipboard->changeCount() != batch.changeCount) {
            discardFiles(batch);
            return;
        }
        for (qsizetype position = 0; position < batch.candidates.count(); ++position) {
            if (!batch.candidates.at(position) && position < fallback.count() && fallback.at(position)) {
                imagePositions.append(position);
                images.append(fallback.at(position));
            }
        }
    }
    if (images.isEmpty()) {
        settleFiles(std::move(batch), {}, {}, {});
        return;
    }
    const QueueArrivals::Cancellation cancellation = batch.cancellation;
    checkImages(images, cancellation,
                [this, batch = std::move(batch), imagePositions, images](const ImageChecks& checks) mutable {
                    if (batch.cancellation->load()) {
                        discardFiles(batch);
                    } else {
                        settleFiles(std::move(batch), imagePositions, images, checks);
                    }
                });
}

void ClipboardCollector::settleFiles(FileBatch batch, const QList<qsizetype>& imagePositions,
                                     const QList<ClipboardImageRef>& images, const ImageChecks& checks) {
    const qint64 changeCount = batch.changeCount;
    // Said once a copy is settled, never again at a retry of the same copy.
    const auto settleAndTell = [&](const QList<QueuedClipboardItem>& entries) {
        settle(changeCount, entries);
        if (batch.beyondCapacity && noteQueueFull()) {
            batch.problems.prepend(CopyProblem::overCapacity);
        }
        QList<CopyProblem> told;
        for (const CopyProblem problem : std::as_const(batch.problems)) {
            if (!told.contains(problem)) {
                told.append(problem);
                emit copyNotQueued(problem);
            }
        }
    };

    for (qsizetype index = 0; index < images.count(); ++index) {
        if (checks.at(index) == ClipboardImage::Check::decodes) {
            batch.candidates[imagePositions.at(index)] =
                QueuedClipboardItem::make(ClipboardItem::makeImage(images.at(index)));
        } else {
            logImageSkipped(changeCount, caseName(checks.at(index)), images.at(index)->mimeType(),
                            images.at(index)->pixelSize());
        }
    }

    QList<QueuedClipboardItem> entries;
    for (const auto& candidate : std::as_const(batch.candidates)) {
        if (candidate) {
            entries.append(*candidate);
        }
    }
    const bool everyMissingReplaced =
        std::all_of(batch.missingPositions.cbegin(), batch.missingPositions.cend(),
                    [&](qsizetype position) { return batch.candidates.at(position).has_value(); });
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
        discardFiles(batch);
    }
}

void ClipboardCollector::discardFiles(const FileBatch& batch) {
    QList<QueuedClipboardItem> stored;
    for (const ClipboardFileStorage::CopyJob& job : batch.jobs) {
        if (job.result && job.result->url) {
            stored.append(QueuedClipboardItem{job.id, ClipboardItem::makeFile(*job.result->url, job.name)});
        }
    }
    m_queue.files().deleteStoredFiles(stored);
    settle(batch.changeCount, {});
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
