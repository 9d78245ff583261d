// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/ClipboardQueue.h"

#include "engine/Log.h"
#include "engine/StorageDirectory.h"

#include <QCoreApplication>
#include <QPointer>
#include <QStandardPaths>
#include <QThreadPool>

#include <algorithm>

namespace sorvu {

namespace {

void logQueueEdit(const QString& what, qsizetype count) {
    qCDebug(lcQueue).noquote() << QStringLiteral("queue %1 queue.count=%2").arg(what).arg(count);
}

} // namespace

ClipboardQueue::ScheduleCleanup ClipboardQueue::mainLoopScheduleCleanup() {
    return [](double delaySeconds, std::function<void()> work) {
        QTimer::singleShot(std::chrono::milliseconds(qRound64(delaySeconds * 1000.0)), QCoreApplication::instance(),
                           std::move(work));
    };
}

QString ClipboardQueue::defaultClipboardFilesDirectory() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Sorvu/ClipboardFiles");
}

ClipboardQueue::ClipboardQueue(Dependencies dependencies, QObject* parent)
    : QObject(parent), m_dependencies(std::move(dependencies)),
      // A name of its own for each running instance: several may share the storage.
      m_storage(
          std::make_unique<StorageDirectory>(m_dependencies.clipboardFilesDirectory, uuidString(QUuid::createUuid()))),
      m_copyPool(std::make_unique<QThreadPool>()) {
    // One copy after the other: their entries join the queue in the order they were copied.
    m_copyPool->setMaxThreadCount(1);
    Q_ASSERT(m_dependencies.clipboard && m_dependencies.pasteKeystroke && m_dependencies.scheduleCleanup &&
             m_dependencies.inputAccessCheck && m_dependencies.launchAtLogin && m_dependencies.settings);
    m_lastChangeCount = m_dependencies.clipboard->changeCount();
    m_clipboardObserved = m_dependencies.clipboard->observeChanges([engine = QPointer<ClipboardQueue>(this)] {
        if (engine && engine->m_isCollecting) {
            engine->checkClipboard();
        }
    });
    m_hasInputAccess = m_dependencies.inputAccessCheck();
    m_launchAtLoginEnabled = launchAtLoginStatusFromSystemValue(m_dependencies.launchAtLogin->systemStatusValue()) ==
                             LaunchAtLoginStatus::enabled;
    prepareStorage();
    refreshLaunchAtLoginStatus();
}

ClipboardQueue::~ClipboardQueue() {
    // A copy still running stops at its next chunk, so quitting does not wait for a large file.
    m_copiesCancelled->store(true);
    m_copyPool->waitForDone();
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

void ClipboardQueue::setHasInputAccess(bool value) {
    publish(this, m_hasInputAccess, value, &ClipboardQueue::hasInputAccessChanged);
}

void ClipboardQueue::setLaunchAtLoginEnabled(bool value) {
    publish(this, m_launchAtLoginEnabled, value, &ClipboardQueue::launchAtLoginEnabledChanged);
}

void ClipboardQueue::setLaunchAtLoginDesynced(bool value) {
    publish(this, m_launchAtLoginDesynced, value, &ClipboardQueue::launchAtLoginDesyncedChanged);
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

void ClipboardQueue::remove(const QUuid& id) {
    const std::optional<QueuedClipboardItem> removed = take(id);
    if (!removed) {
        return;
    }
    deleteStoredFile(*removed);
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
    for (const auto& item : std::as_const(m_queue)) {
        deleteStoredFile(item);
    }
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

void ClipboardQueue::stopCollecting(StopReason reason) {
    setIsCollecting(false);
    m_pollTimer.reset();
    qCDebug(lcQueue).noquote()
        << QStringLiteral("stopCollecting reason=%1 queue.count=%2").arg(caseName(reason)).arg(m_queue.count());
}

void ClipboardQueue::refreshInputAccess() {
    setHasInputAccess(m_dependencies.inputAccessCheck());
    refreshLaunchAtLoginStatus();
}

bool ClipboardQueue::isOffered(const QueuedClipboardItem& item) const {
    return m_offer && m_offer->id == item.id && m_dependencies.clipboard->changeCount() == m_offer->changeCount;
}

void ClipboardQueue::deleteStoredFileLater(const QueuedClipboardItem& item) {
    if (!item.content.isFile()) {
        return;
    }
    // The target of a paste or a drop reads the copy when it likes (a file manager takes its time over a
    // large folder): it goes only once the clipboard has stopped offering it for a whole grace period.
    const bool offered = isOffered(item);
    m_dependencies.scheduleCleanup(storedCopyGraceSeconds, [engine = QPointer<ClipboardQueue>(this), item, offered] {
        if (!engine) {
            return;
        }
        const bool queued = std::any_of(engine->m_queue.cbegin(), engine->m_queue.cend(),
                                        [&](const auto& entry) { return entry.id == item.id; });
        if (queued) {
            return;
        }
        if (offered || engine->isOffered(item)) {
            engine->deleteStoredFileLater(item);
            return;
        }
        engine->deleteStoredFile(item);
    });
}

} // namespace sorvu
