// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/ClipboardCollector.h"

#include "engine/Clipboard.h"
#include "engine/ClipboardQueue.h"
#include "engine/CollectedFiles.h"
#include "engine/FileCollection.h"
#include "engine/Log.h"

#include <QPointer>

namespace sorvu {

ClipboardCollector::ClipboardCollector(ClipboardQueue& queue, std::shared_ptr<Clipboard> clipboard)
    : m_queue(queue), m_clipboard(std::move(clipboard)), m_watch(*m_clipboard, [this] { checkClipboard(); }),
      m_images(queue.files()),
      m_files(std::make_unique<FileCollection>(
          queue.files(), *m_clipboard, m_images, [this](const CollectedFiles& files) { settleFiles(files); },
          [this](qint64 changeCount) { settle(changeCount, {}); })) {
    m_watch.observe([collector = QPointer<ClipboardCollector>(this)] {
        if (collector && collector->m_queue.isCollecting()) {
            collector->checkClipboard();
        }
    });
}

ClipboardCollector::~ClipboardCollector() {
    m_arrivals.cancelAll();
}

void ClipboardCollector::start() {
    m_watch.start();
}

void ClipboardCollector::stop() {
    m_watch.stop();
}

void ClipboardCollector::skipOwnWrite() {
    m_watch.skipCurrent();
}

void ClipboardCollector::cancelArrivals() {
    const QueueArrivals::Cancelled cancelled = m_arrivals.cancelAll();
    // Its files are still on the clipboard: read again, they would bring back what was cleared.
    if (cancelled.latestChange) {
        m_watch.catchUp(*cancelled.latestChange);
    }
    if (cancelled.count > 0) {
        qCDebug(lcQueue).noquote() << QStringLiteral("collection cancelled entries=%1 changeCount=%2")
                                          .arg(cancelled.count)
                                          .arg(cancelled.latestChange.value_or(m_watch.lastChangeCount()));
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
    m_watch.consume(changeCount);
    emit copySkippedAsTooLarge();
    return true;
}

void ClipboardCollector::checkClipboard() {
    const qint64 current = m_clipboard->changeCount();
    if (current == m_watch.lastChangeCount()) {
        return;
    }
    // Its files are being copied or its images checked: the change is settled when that is complete.
    if (m_arrivals.isCopying(current)) {
        return;
    }
    qCDebug(lcQueue).noquote()
        << QStringLiteral("checkPasteboard changeCount %1 -> %2").arg(m_watch.lastChangeCount()).arg(current);
    const auto unchanged = [&] { return m_clipboard->changeCount() == current; };

    // The program that owned the clipboard exited: there is nothing to read, now or at a retry.
    if (m_clipboard->isEmpty()) {
        if (unchanged()) {
            qCDebug(lcQueue).noquote() << QStringLiteral("clipboard emptied changeCount=%1").arg(current);
            m_watch.consume(current);
        }
        return;
    }

    if (m_clipboard->isKeptCopy()) {
        if (unchanged()) {
            qCDebug(lcQueue).noquote() << QStringLiteral("copy kept by the desktop changeCount=%1").arg(current);
            m_watch.consume(current);
        }
        return;
    }

    // Asked before anything is read: a secret's content never enters the program.
    if (m_clipboard->isSecret()) {
        if (unchanged()) {
            qCInfo(lcQueue).noquote() << QStringLiteral("copy skipped as a secret changeCount=%1").arg(current);
            m_watch.consume(current);
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
        m_watch.consume(current);
        return;
    }

    if (unchanged() && !skipIfTooLarge(current)) {
        m_watch.recordUnreadable(current);
    }
}

void ClipboardCollector::collectImages(const QList<ClipboardImageRef>& images, qint64 changeCount) {
    const QList<ClipboardImageRef> kept = images.mid(0, ClipboardQueue::capacity - collectedCount());
    if (kept.count() < images.count()) {
        skipBeyondCapacity(changeCount, kept.count(), images.count() - kept.count());
        tellQueueFull();
    }
    // Known to decode only once every row was read, which for the largest takes seconds.
    const QueueArrivals::Cancellation cancellation = m_arrivals.holdPlaces(changeCount, kept.count());
    m_images.check(kept, cancellation, [this, changeCount, kept, cancellation](const ImageChecker::Checks& checks) {
        // Cleared meanwhile: nothing of it comes back.
        if (!cancellation->load()) {
            finishCollectingImages(changeCount, kept, checks);
        }
    });
}

void ClipboardCollector::finishCollectingImages(qint64 changeCount, const QList<ClipboardImageRef>& images,
                                                const ImageChecker::Checks& checks) {
    const qsizetype before = collectedCount() - images.count();
    QList<QueuedClipboardItem> entries;
    for (qsizetype index = 0; index < images.count(); ++index) {
        const ClipboardImage& image = *images.at(index);
        if (checks.at(index) != ClipboardImage::Check::decodes) {
            ImageChecker::logSkipped(changeCount, image, checks.at(index));
            continue;
        }
        entries.append(QueuedClipboardItem::make(ClipboardItem::makeImage(images.at(index))));
        qCDebug(lcQueue).noquote()
            << QStringLiteral("queue append type=image queue.count=%1").arg(before + entries.count());
    }
    settle(changeCount, entries);
    m_watch.catchUp(changeCount);
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
    ImageChecker::logSkipped(changeCount, QStringLiteral("notRead"), images.join(QLatin1Char(',')), QSize());
    m_watch.consume(changeCount);
    return true;
}

void ClipboardCollector::tellQueueFull() {
    if (!std::exchange(m_queueFullTold, true)) {
        emit copyNotQueued(CopyProblem::overCapacity);
    }
}

void ClipboardCollector::skipAsQueueFull(qint64 changeCount) {
    qCInfo(lcQueue).noquote() << QStringLiteral("copy skipped as the queue is full changeCount=%1 queue.count=%2")
                                     .arg(changeCount)
                                     .arg(collectedCount());
    m_watch.consume(changeCount);
    tellQueueFull();
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
    m_files->collect(urls, changeCount, ClipboardQueue::capacity - collectedCount(), [&](qsizetype kept) {
        if (kept < urls.count()) {
            skipBeyondCapacity(changeCount, kept, urls.count() - kept);
        }
        return m_arrivals.holdPlaces(changeCount, kept);
    });
}

void ClipboardCollector::settleFiles(const CollectedFiles& files) {
    const qint64 changeCount = files.changeCount;
    // Said once a copy is settled, never again at a retry of the same copy.
    const auto settleAndTell = [&] {
        settle(changeCount, files.entries);
        if (files.beyondCapacity) {
            tellQueueFull();
        }
        for (const CopyProblem problem : files.problems) {
            emit copyNotQueued(problem);
        }
    };
    if (files.complete) {
        settleAndTell();
        m_watch.catchUp(changeCount);
        return;
    }

    m_watch.recordUnreadable(changeCount);
    if (m_watch.lastChangeCount() == changeCount) {
        settleAndTell();
    } else {
        m_files->discard(files);
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

} // namespace sorvu
