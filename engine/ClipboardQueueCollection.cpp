#include "engine/ClipboardQueue.h"

#include "engine/Log.h"

#include <QCoreApplication>
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
    qCDebug(lcQueue).noquote()
        << QStringLiteral("checkPasteboard changeCount %1 -> %2").arg(m_lastChangeCount).arg(current);
    const auto unchanged = [&] { return m_dependencies.clipboard->changeCount() == current; };

    if (m_queue.count() >= capacity) {
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
            if (m_queue.count() >= capacity) {
                break;
            }
            auto queue = m_queue;
            queue.append(QueuedClipboardItem::make(ClipboardItem::makeImage(image)));
            setQueue(std::move(queue));
            qCDebug(lcQueue).noquote() << QStringLiteral("queue append type=image queue.count=%1").arg(m_queue.count());
        }
        consumeChange(current);
        return;
    }

    const std::optional<QString> text = m_dependencies.clipboard->plainText();
    if (text && !text->isEmpty()) {
        if (!unchanged()) {
            return;
        }
        auto queue = m_queue;
        queue.append(QueuedClipboardItem::make(ClipboardItem::makeText(*text)));
        setQueue(std::move(queue));
        qCDebug(lcQueue).noquote() << QStringLiteral("queue append type=text queue.count=%1").arg(m_queue.count());
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

    const qsizetype room = capacity - m_queue.count();
    const QList<QUrl> accepted = urls.mid(0, std::min(room, urls.count()));
    QList<std::optional<QueuedClipboardItem>> candidates(accepted.count());
    QList<qsizetype> missingPositions;
    const auto storedItems = [&] {
        QList<QueuedClipboardItem> filled;
        for (const auto& candidate : std::as_const(candidates)) {
            if (candidate) {
                filled.append(*candidate);
            }
        }
        return filled;
    };

    QList<CopyProblem> problems;
    if (accepted.count() < urls.count()) {
        problems.append(CopyProblem::overCapacity);
    }
    for (qsizetype position = 0; position < accepted.count(); ++position) {
        const QUrl& url = accepted.at(position);
        const QUuid id = QUuid::createUuid();
        const QString name = names.value(url, lastPathComponent(url));
        const StoredCopy copy = copyToClipboardStorage(url, id, name);
        if (copy.missing) {
            missingPositions.append(position);
        }
        if (copy.url) {
            candidates[position] = QueuedClipboardItem{id, ClipboardItem::makeFile(*copy.url, name)};
        }
        if (const std::optional<CopyProblem> problem = copyProblem(copy)) {
            problems.append(*problem);
        }
    }
    // Said once a copy is settled, never again at a retry of the same copy.
    const auto tellProblems = [&] {
        QList<CopyProblem> told;
        for (const CopyProblem problem : std::as_const(problems)) {
            if (!told.contains(problem)) {
                told.append(problem);
                emit copyNotQueued(problem);
            }
        }
    };

    if (std::any_of(candidates.cbegin(), candidates.cend(),
                    [](const auto& candidate) { return !candidate.has_value(); })) {
        const QList<ClipboardImageRef> fallback = m_dependencies.clipboard->imagesForFileURLs(urls);
        if (!unchanged()) {
            deleteStoredCopies(storedItems());
            return;
        }
        for (qsizetype position = 0; position < candidates.count(); ++position) {
            if (!candidates.at(position) && position < fallback.count() && fallback.at(position)) {
                candidates[position] = QueuedClipboardItem::make(ClipboardItem::makeImage(fallback.at(position)));
            }
        }
    }

    const QList<QueuedClipboardItem> entries = storedItems();
    if (!unchanged()) {
        deleteStoredCopies(entries);
        return;
    }

    const bool everyMissingReplaced =
        std::all_of(missingPositions.cbegin(), missingPositions.cend(),
                    [&](qsizetype position) { return candidates.at(position).has_value(); });
    if (everyMissingReplaced) {
        setQueue(m_queue + entries);
        consumeChange(changeCount);
        tellProblems();
        return;
    }

    recordUnreadableClipboard(changeCount);
    if (m_lastChangeCount == changeCount) {
        setQueue(m_queue + entries);
        tellProblems();
    } else {
        deleteStoredCopies(entries);
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
