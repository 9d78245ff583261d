// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/ClipboardQueue.h"

#include "engine/Clipboard.h"
#include "engine/ClipboardCollector.h"
#include "engine/Log.h"
#include "engine/PasteOutput.h"
#include "engine/QueuePaster.h"

#include <QCoreApplication>
#include <QPointer>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>

namespace sorvu {

namespace {

void logQueueEdit(const QString& what, qsizetype count) {
    qCDebug(lcQueue).noquote() << QStringLiteral("queue %1 queue.count=%2").arg(what).arg(count);
}

// The same session always gets the same folder name, in the form the storage gives its folders.
QString instanceName(const QString& sessionKey) {
    static const QUuid sessionNamespace(QStringLiteral("{6f1c2a4e-0d1b-4c55-9a3e-5b7f8e2d4c10}"));
    return uuidString(sessionKey.isEmpty() ? QUuid::createUuid() : QUuid::createUuidV5(sessionNamespace, sessionKey));
}

} // namespace

QString ClipboardQueue::defaultClipboardFilesDirectory() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Sorvu/ClipboardFiles");
}

ClipboardQueue::ClipboardQueue(Dependencies dependencies, QObject* parent)
    : QObject(parent), m_scheduleCleanup(std::move(dependencies.scheduleCleanup)),
      m_quitRemovalBudget(dependencies.quitRemovalBudget),
      m_files(std::make_unique<ClipboardFileStorage>(
          dependencies.clipboardFilesDirectory, instanceName(dependencies.sessionKey), dependencies.maximumFileBytes,
          std::move(dependencies.runInBackground))) {
    Q_ASSERT(dependencies.clipboard && dependencies.pasteOutput);
    if (!m_scheduleCleanup) {
        m_scheduleCleanup = [](double delaySeconds, std::function<void()> work) {
            QTimer::singleShot(std::chrono::milliseconds(qRound64(delaySeconds * 1000.0)), QCoreApplication::instance(),
                               std::move(work));
        };
    }
    m_collector = std::make_unique<ClipboardCollector>(*this, dependencies.clipboard);
    m_paster = std::make_unique<QueuePaster>(*this, dependencies.clipboard, std::move(dependencies.pasteOutput),
                                             std::move(dependencies.pasteKeys));
    m_files->prepare(m_queue);
}

// The parts stop first: a copy still running must not deliver into a queue that is going.
ClipboardQueue::~ClipboardQueue() {
    m_paster.reset();
    m_collector.reset();
    m_files->removeCopiesAtQuit(m_inGrace.values(), m_quitRemovalBudget);
    m_files.reset();
}

namespace {

// Observers hear of every assignment, also of one that leaves the value as it was.
template <typename Value>
void publish(ClipboardQueue* queue, Value& field, Value value, void (ClipboardQueue::*changed)()) {
    field = std::move(value);
    emit(queue->*changed)();
}

} // namespace

void ClipboardQueue::setQueue(QList<QueuedClipboardItem> queue) {
    publish(this, m_queue, std::move(queue), &ClipboardQueue::queueChanged);
}

void ClipboardQueue::setIsCollecting(bool value) {
    publish(this, m_isCollecting, value, &ClipboardQueue::isCollectingChanged);
}

bool ClipboardQueue::contains(const QUuid& id) const {
    return std::any_of(m_queue.cbegin(), m_queue.cend(), [&](const auto& item) { return item.id == id; });
}

std::optional<QueuedClipboardItem> ClipboardQueue::take(const QUuid& id) {
    const auto found = std::find_if(m_queue.cbegin(), m_queue.cend(), [&](const auto& item) { return item.id == id; });
    if (found == m_queue.cend()) {
        return std::nullopt;
    }
    const QueuedClipboardItem taken = *found;
    auto queue = m_queue;
    queue.removeAt(found - m_queue.cbegin());
    setQueue(std::move(queue));
    return taken;
}

void ClipboardQueue::append(const QList<QueuedClipboardItem>& entries) {
    setQueue(m_queue + entries);
}

void ClipboardQueue::removeHead() {
    setQueue(m_queue.mid(1));
}

void ClipboardQueue::removeAll() {
    setQueue({});
}

void ClipboardQueue::remove(const QUuid& id) {
    const std::optional<QueuedClipboardItem> removed = take(id);
    if (!removed) {
        return;
    }
    m_files->deleteStoredFile(*removed);
    logQueueEdit(QStringLiteral("remove"), m_queue.count());
}

void ClipboardQueue::move(const QUuid& id, int targetIndex) {
    const auto found = std::find_if(m_queue.cbegin(), m_queue.cend(), [&](const auto& item) { return item.id == id; });
    if (found == m_queue.cend()) {
        return;
    }
    const int from = int(found - m_queue.cbegin());
    const int target = std::min(std::max(targetIndex, 0), int(m_queue.count()) - 1);
    if (target == from) {
        return;
    }
    move(QSet<int>{from}, from < target ? target + 1 : target);
}

void ClipboardQueue::move(const QSet<int>& sourceOffsets, int destinationOffset) {
    QList<int> sources(sourceOffsets.cbegin(), sourceOffsets.cend());
    std::sort(sources.begin(), sources.end());
    const int count = int(m_queue.count());
    sources.erase(
        std::remove_if(sources.begin(), sources.end(), [&](int index) { return index < 0 || index >= count; }),
        sources.end());
    const int destination = std::clamp(destinationOffset, 0, count);

    QList<QueuedClipboardItem> moved;
    QList<QueuedClipboardItem> kept;
    int insertion = 0;
    for (int index = 0; index < count; ++index) {
        if (std::binary_search(sources.cbegin(), sources.cend(), index)) {
            moved.append(m_queue.at(index));
        } else {
            if (index < destination) {
                ++insertion;
            }
            kept.append(m_queue.at(index));
        }
    }
    for (int offset = 0; offset < moved.count(); ++offset) {
        kept.insert(insertion + offset, moved.at(offset));
    }
    setQueue(std::move(kept));
    logQueueEdit(QStringLiteral("move"), m_queue.count());
}

void ClipboardQueue::clear() {
    // Copies still being made belong to what is cleared: none of them may come back.
    m_collector->cancelArrivals();
    m_files->deleteStoredFiles(m_queue);
    setQueue({});
    logQueueEdit(QStringLiteral("clear"), m_queue.count());
}

void ClipboardQueue::consumeDropped(const QUuid& id) {
    const std::optional<QueuedClipboardItem> removed = take(id);
    if (!removed) {
        return;
    }
    logQueueEdit(QStringLiteral("consumeDropped"), m_queue.count());
    if (m_queue.isEmpty()) {
        stopCollecting(StopReason::queueDrained);
    }
    deleteStoredFileLater(*removed);
}

void ClipboardQueue::toggleCollecting() {
    setIsCollecting(!m_isCollecting);
    qCDebug(lcQueue).noquote() << QStringLiteral("toggleCollecting isCollecting=%1 queue.count=%2")
                                      .arg(boolText(m_isCollecting))
                                      .arg(m_queue.count());
    if (m_isCollecting) {
        m_collector->start();
    } else {
        stopCollecting(StopReason::manualToggle);
    }
}

void ClipboardQueue::stopCollecting(StopReason reason) {
    setIsCollecting(false);
    m_collector->stop();
    qCDebug(lcQueue).noquote()
        << QStringLiteral("stopCollecting reason=%1 queue.count=%2").arg(caseName(reason)).arg(m_queue.count());
}

void ClipboardQueue::deleteStoredFileLater(const QueuedClipboardItem& item) {
    if (!item.content.isFile()) {
        return;
    }
    // The target of a paste or a drop reads the copy when it likes (a file manager takes its time over a
    // large folder): it goes only once the clipboard has stopped offering it for a whole grace period.
    const bool offered = m_paster->isOffered(item);
    m_inGrace.insert(item.id, item);
    m_scheduleCleanup(storedCopyGraceSeconds, [queue = QPointer<ClipboardQueue>(this), item, offered] {
        if (!queue) {
            return;
        }
        if (queue->contains(item.id)) {
            queue->m_inGrace.remove(item.id);
            return;
        }
        if (offered || queue->m_paster->isOffered(item)) {
            queue->deleteStoredFileLater(item);
            return;
        }
        queue->m_inGrace.remove(item.id);
        queue->m_files->deleteStoredFile(item);
    });
}

} // namespace sorvu
