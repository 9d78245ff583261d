// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/FileCollection.h"

#include "engine/Clipboard.h"
#include "engine/ClipboardFileStorage.h"
#include "engine/CollectedFiles.h"
#include "engine/ImageChecker.h"

#include <QPointer>

#include <algorithm>
#include <memory>
#include <optional>

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

struct FileCollection::Batch {
    qint64 changeCount = 0;
    QList<QUrl> urls;
    QList<ClipboardFileStorage::CopyJob> jobs;
    bool beyondCapacity = false;
    QueueArrivals::Cancellation cancellation;
    // Once the copies ran: an entry for each position that has one, the positions whose source was missing,
    // and what the user is to be told.
    QList<std::optional<QueuedClipboardItem>> candidates = {};
    QList<qsizetype> missingPositions = {};
    QList<ClipboardCollector::CopyProblem> problems = {};
};

FileCollection::FileCollection(ClipboardFileStorage& storage, Clipboard& clipboard, ImageChecker& images,
                               Collected collected, Discarded discarded)
    : m_storage(storage), m_clipboard(clipboard), m_images(images), m_collected(std::move(collected)),
      m_discarded(std::move(discarded)) {}

void FileCollection::collect(const QList<QUrl>& urls, qint64 changeCount, qsizetype room,
                             const HoldPlaces& holdPlaces) {
    const qsizetype kept = std::min(room, urls.count());
    Batch batch{changeCount, urls, {}, false, nullptr};
    for (const QUrl& url : urls.mid(0, kept)) {
        batch.jobs.append(m_storage.planCopy(url, QUuid::createUuid(), lastPathComponent(url)));
    }
    // The last look before the files take their place in the queue: a copy that came since replaced them.
    if (m_clipboard.changeCount() != changeCount) {
        return;
    }

    batch.beyondCapacity = kept < urls.count();
    const QueueArrivals::Cancellation cancellation = holdPlaces(batch.jobs.count());
    batch.cancellation = cancellation;
    auto jobs = std::make_shared<QList<ClipboardFileStorage::CopyJob>>(std::move(batch.jobs));
    m_storage.runCopies(jobs, cancellation,
                        [collection = QPointer<FileCollection>(this), jobs, batch = std::move(batch)]() mutable {
                            if (!collection) {
                                return;
                            }
                            batch.jobs = std::move(*jobs);
                            // Cleared while copying: what was copied goes again at once.
                            if (batch.cancellation->load()) {
                                collection->discard(batch);
                            } else {
                                collection->finishCopies(std::move(batch));
                            }
                        });
}

void FileCollection::finishCopies(Batch batch) {
    batch.candidates.resize(batch.jobs.count());
    for (qsizetype position = 0; position < batch.jobs.count(); ++position) {
        const ClipboardFileStorage::CopyJob& job = batch.jobs.at(position);
        const ClipboardFileStorage::StoredCopy& copy = *job.result;
        job.logResult();
        if (copy.missing) {
            batch.missingPositions.append(position);
        }
        if (copy.url) {
            batch.candidates[position] = QueuedClipboardItem{job.id, ClipboardItem::makeFile(*copy.url, job.name)};
        }
        if (const std::optional<ClipboardCollector::CopyProblem> problem = copyProblem(copy)) {
            batch.problems.append(*problem);
        }
    }

    // What failed may come as an image instead; that is read now, and only counts for the same copy.
    QList<qsizetype> imagePositions;
    QList<ClipboardImageRef> images;
    if (std::any_of(batch.candidates.cbegin(), batch.candidates.cend(),
                    [](const auto& candidate) { return !candidate.has_value(); })) {
        const QList<ClipboardImageRef> fallback = m_clipboard.imagesForFileURLs(batch.urls);
        if (m_clipboard.changeCount() != batch.changeCount) {
            discard(batch);
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
        settle(std::move(batch), {}, {}, {});
        return;
    }
    const QueueArrivals::Cancellation cancellation = batch.cancellation;
    m_images.check(
        images, cancellation,
        [this, batch = std::move(batch), imagePositions, images](const ImageChecker::Checks& checks) mutable {
            if (batch.cancellation->load()) {
                discard(batch);
            } else {
                settle(std::move(batch), imagePositions, images, checks);
            }
        });
}

void FileCollection::settle(Batch batch, const QList<qsizetype>& imagePositions, const QList<ClipboardImageRef>& images,
                            const QList<ClipboardImage::Check>& checks) {
    for (qsizetype index = 0; index < images.count(); ++index) {
        if (checks.at(index) == ClipboardImage::Check::decodes) {
            batch.candidates[imagePositions.at(index)] =
                QueuedClipboardItem::make(ClipboardItem::makeImage(images.at(index)));
        } else {
            ImageChecker::logSkipped(batch.changeCount, *images.at(index), checks.at(index));
        }
    }

    CollectedFiles files{batch.changeCount, {}, true, batch.beyondCapacity, {}};
    for (const auto& candidate : std::as_const(batch.candidates)) {
        if (candidate) {
            files.entries.append(*candidate);
        }
    }
    files.complete = std::all_of(batch.missingPositions.cbegin(), batch.missingPositions.cend(),
                                 [&](qsizetype position) { return batch.candidates.at(position).has_value(); });
    for (const ClipboardCollector::CopyProblem problem : std::as_const(batch.problems)) {
        if (!files.problems.contains(problem)) {
            files.problems.append(problem);
        }
    }
    m_collected(files);
}

void FileCollection::discard(const Batch& batch) {
    QList<QueuedClipboardItem> stored;
    for (const ClipboardFileStorage::CopyJob& job : batch.jobs) {
        if (job.result && job.result->url) {
            stored.append(QueuedClipboardItem{job.id, ClipboardItem::makeFile(*job.result->url, job.name)});
        }
    }
    m_storage.deleteStoredFiles(stored);
    m_discarded(batch.changeCount);
}

void FileCollection::discard(const CollectedFiles& files) {
    // The images among the entries have no stored copy: only the files' copies go.
    m_storage.deleteStoredFiles(files.entries);
    m_discarded(files.changeCount);
}

} // namespace sorvu
