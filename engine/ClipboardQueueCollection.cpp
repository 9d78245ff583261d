// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/ClipboardQueue.h"

#include "engine/Log.h"
#include "engine/StorageDirectory.h"
#include "engine/UniqueDescriptor.h"

#include <QCoreApplication>
#include <QFile>
#include <QPointer>
#include <QThreadPool>

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
std::optional<ClipboardQueue::CopyProblem> copyProblem(const ClipboardQueue::StoredCopy& copy) {
    using Status = FileTreeCopy::Status;
    using Problem = ClipboardQueue::CopyProblem;
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

void ClipboardQueue::toggleCollecting() {
    setIsCollecting(!m_isCollecting);
    qCDebug(lcQueue).noquote() << QStringLiteral("toggleCollecting isCollecting=%1 queue.count=%2")
                                      .arg(boolText(m_isCollecting))
                                      .arg(m_queue.count());
    if (m_isCollecting) {
        m_lastChangeCount = m_dependencies.clipboard->changeCount();
        startPolling();
    } else {
        stopCollecting(StopReason::manualToggle);
    }
}

void ClipboardQueue::startPolling() {
    m_pollTimer.reset();
    auto timer = std::make_unique<QTimer>();
    timer->setInterval(pollIntervalMilliseconds);
    // A coarse timer may fire up to 5 % (5 ms) late, within the 10 ms the poll tolerates.
    timer->setTimerType(Qt::CoarseTimer);
    // A clipboard that tells of its changes is checked when it does; the timer then only retries an
    // unreadable change, once per interval.
    timer->setSingleShot(m_clipboardObserved);
    connect(timer.get(), &QTimer::timeout, [engine = QPointer<ClipboardQueue>(this)] {
        if (engine) {
            engine->checkClipboard();
        }
    });
    if (!m_clipboardObserved) {
        timer->start();
    }
    m_pollTimer = std::move(timer);
}

void ClipboardQueue::scheduleRetry() {
    if (m_clipboardObserved && m_pollTimer && !m_pollTimer->isActive()) {
        m_pollTimer->start();
    }
}

void ClipboardQueue::consumeChange(qint64 changeCount) {
    m_lastChangeCount = changeCount;
    m_unreadableChangeCount.reset();
    m_unreadableReadAttempts = 0;
    if (m_clipboardObserved && m_pollTimer) {
        m_pollTimer->stop();
    }
}

bool ClipboardQueue::skipIfTooLarge(qint64 changeCount) {
    if (!m_dependencies.clipboard->isContentTooLarge() || m_dependencies.clipboard->changeCount() != changeCount) {
        return false;
    }
    const std::optional<QStringList> types = m_dependencies.clipboard->offeredTypes();
    qCInfo(lcQueue).noquote() << QStringLiteral("copy skipped as larger than the size limit changeCount=%1 types=%2")
                                     .arg(changeCount)
                                     .arg(types ? types->join(QLatin1Char(',')) : QStringLiteral("mock"));
    consumeChange(changeCount);
    emit copySkippedAsTooLarge();
    return true;
}

void ClipboardQueue::checkClipboard() {
    if (m_photoAuthorizationPending) {
        return;
    }
    const qint64 current = m_dependencies.clipboard->changeCount();
    if (current == m_lastChangeCount) {
        return;
    }
    // Its files are being copied: the change is settled when the copy completes.
    if (std::any_of(m_arrivals.cbegin(), m_arrivals.cend(),
                    [&](const Arrival& arrival) { return arrival.copyingChange == current; })) {
        return;
    }
    qCDebug(lcQueue).noquote()
        << QStringLiteral("checkPasteboard changeCount %1 -> %2").arg(m_lastChangeCount).arg(current);
    const auto unchanged = [&] { return m_dependencies.clipboard->changeCount() == current; };

    if (collectedCount() >= capacity) {
        consumeChange(current);
        return;
    }

    // Asked before anything is read: a secret's content never enters the program.
    if (m_dependencies.clipboard->isSecret()) {
        if (unchanged()) {
            qCInfo(lcQueue).noquote() << QStringLiteral("copy skipped as a secret changeCount=%1").arg(current);
            consumeChange(current);
        }
        return;
    }

    const QList<QUrl> urls = m_dependencies.clipboard->fileURLs();
    if (!unchanged()) {
        return;
    }
    if (!urls.isEmpty()) {
        collectFiles(urls, current);
        return;
    }

    const QList<ClipboardImageRef> images = m_dependencies.clipboard->images();
    if (!unchanged()) {
        return;
    }
    // An image too large to keep is not replaced by whatever text came with it.
    if (images.isEmpty() && skipIfTooLarge(current)) {
        return;
    }
    if (!images.isEmpty()) {
        for (const auto& image : images) {
            if (collectedCount() >= capacity) {
                break;
            }
            appendEntries({QueuedClipboardItem::make(ClipboardItem::makeImage(image))});
            qCDebug(lcQueue).noquote()
                << QStringLiteral("queue append type=image queue.count=%1").arg(collectedCount());
        }
        consumeChange(current);
        return;
    }

    const std::optional<QString> text = m_dependencies.clipboard->plainText();
    if (text && !text->isEmpty()) {
        if (!unchanged()) {
            return;
        }
        appendEntries({QueuedClipboardItem::make(ClipboardItem::makeText(*text))});
        qCDebug(lcQueue).noquote() << QStringLiteral("queue append type=text queue.count=%1").arg(collectedCount());
        consumeChange(current);
        return;
    }

    if (unchanged() && !skipIfTooLarge(current)) {
        recordUnreadableClipboard(current);
    }
}

void ClipboardQueue::collectFiles(const QList<QUrl>& urls, qint64 changeCount) {
    const auto unchanged = [&] { return m_dependencies.clipboard->changeCount() == changeCount; };

    if (m_dependencies.clipboard->needsPhotoAuthorization()) {
        m_photoAuthorizationPending = true;
        // The answer may come on any thread; it only touches the engine once back on the main thread.
        m_dependencies.clipboard->requestPhotoAuthorization([engine = QPointer<ClipboardQueue>(this)] {
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [engine] {
                    if (!engine) {
                        return;
                    }
                    engine->m_photoAuthorizationPending = false;
                    if (engine->m_isCollecting) {
                        engine->checkClipboard();
                    }
                },
                Qt::QueuedConnection);
        });
        return;
    }

    const QHash<QUrl, QString> names = m_dependencies.clipboard->photoAssetFilenames();
    if (!unchanged()) {
        return;
    }

    const qsizetype room = capacity - collectedCount();
    FileCopyBatch batch{changeCount, urls, {}, room < urls.count()};
    for (const QUrl& url : urls.mid(0, std::min(room, urls.count()))) {
        batch.jobs.append(planCopy(url, QUuid::createUuid(), names.value(url, lastPathComponent(url))));
    }
    // The last look before the files take their place in the queue: a copy that came since replaced them.
    if (!unchanged()) {
        return;
    }

    // The copy runs on a descriptor of its own: the engine may reopen its folder meanwhile.
    auto folder = std::make_shared<UniqueDescriptor>(m_storage->duplicateInstanceDescriptor());
    auto running = std::make_shared<FileCopyBatch>(std::move(batch));
    m_arrivals.append(Arrival{changeCount, running->jobs.count(), {}});
    runInBackground(
        [running, folder, folderPath = QFile::encodeName(m_storage->instancePath()),
         maximumBytes = m_dependencies.maximumFileBytes, cancelled = m_copiesCancelled] {
            for (FileCopyJob& job : running->jobs) {
                if (!job.result) {
                    job.result = runCopy(folder->get(), folderPath, job, maximumBytes, cancelled.get());
                }
            }
        },
        [engine = QPointer<ClipboardQueue>(this), running] {
            if (engine) {
                engine->finishCollectingFiles(std::move(*running));
            }
        });
}

void ClipboardQueue::finishCollectingFiles(FileCopyBatch batch) {
    const qint64 changeCount = batch.changeCount;
    const auto unchanged = [&] { return m_dependencies.clipboard->changeCount() == changeCount; };

    QList<std::optional<QueuedClipboardItem>> candidates(batch.jobs.count());
    QList<qsizetype> missingPositions;
    QList<CopyProblem> problems;
    if (batch.overCapacity) {
        problems.append(CopyProblem::overCapacity);
    }
    for (qsizetype position = 0; position < batch.jobs.count(); ++position) {
        const FileCopyJob& job = batch.jobs.at(position);
        const StoredCopy& copy = *job.result;
        logCopy(job.id, copy);
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
    const auto settle = [&](const QList<QueuedClipboardItem>& entries) {
        settleCopy(changeCount, entries);
        QList<CopyProblem> told;
        for (const CopyProblem problem : std::as_const(problems)) {
            if (!told.contains(problem)) {
                told.append(problem);
                emit copyNotQueued(problem);
            }
        }
    };
    const auto discard = [&] {
        deleteStoredCopies(storedItems());
        settleCopy(changeCount, {});
    };

    // What failed may come as an image instead; that is read now, and only counts for the same copy.
    if (std::any_of(candidates.cbegin(), candidates.cend(),
                    [](const auto& candidate) { return !candidate.has_value(); })) {
        const QList<ClipboardImageRef> fallback = m_dependencies.clipboard->imagesForFileURLs(batch.urls);
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
        settle(entries);
        // A later copy may have been collected meanwhile; its count stays.
        if (m_lastChangeCount < changeCount) {
            consumeChange(changeCount);
        }
        return;
    }

    recordUnreadableClipboard(changeCount);
    if (m_lastChangeCount == changeCount) {
        settle(entries);
    } else {
        discard();
    }
}

void ClipboardQueue::runInBackground(std::function<void()> work, std::function<void()> completion) {
    if (m_dependencies.runInBackground) {
        m_dependencies.runInBackground(std::move(work), std::move(completion));
        return;
    }
    m_copyPool->start([work = std::move(work), completion = std::move(completion)] {
        work();
        QMetaObject::invokeMethod(QCoreApplication::instance(), completion, Qt::QueuedConnection);
    });
}

bool ClipboardQueue::isCopyingFiles() const {
    return std::any_of(m_arrivals.cbegin(), m_arrivals.cend(),
                       [](const Arrival& arrival) { return arrival.copyingChange.has_value(); });
}

qsizetype ClipboardQueue::collectedCount() const {
    qsizetype count = m_queue.count();
    for (const Arrival& arrival : m_arrivals) {
        count += arrival.entries.count() + (arrival.copyingChange ? arrival.reserved : 0);
    }
    return count;
}

void ClipboardQueue::appendEntries(const QList<QueuedClipboardItem>& entries) {
    if (m_arrivals.isEmpty()) {
        setQueue(m_queue + entries);
    } else if (!m_arrivals.last().copyingChange) {
        m_arrivals.last().entries += entries;
    } else {
        m_arrivals.append(Arrival{std::nullopt, 0, entries});
    }
}

void ClipboardQueue::settleCopy(qint64 changeCount, const QList<QueuedClipboardItem>& entries) {
    for (Arrival& arrival : m_arrivals) {
        if (arrival.copyingChange == changeCount) {
            arrival.copyingChange.reset();
            arrival.entries = entries;
            break;
        }
    }
    QList<QueuedClipboardItem> arrived;
    while (!m_arrivals.isEmpty() && !m_arrivals.first().copyingChange) {
        arrived += m_arrivals.takeFirst().entries;
    }
    if (!arrived.isEmpty()) {
        setQueue(m_queue + arrived);
    }
}

void ClipboardQueue::recordUnreadableClipboard(qint64 changeCount) {
    if (!m_unreadableChangeCount || *m_unreadableChangeCount != changeCount) {
        m_unreadableChangeCount = changeCount;
        m_unreadableReadAttempts = 0;
    }
    ++m_unreadableReadAttempts;
    const std::optional<QStringList> types = m_dependencies.clipboard->offeredTypes();
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

void ClipboardQueue::deleteStoredCopies(const QList<QueuedClipboardItem>& items) {
    for (const auto& item : items) {
        deleteStoredFile(item);
    }
}

} // namespace sorvu
