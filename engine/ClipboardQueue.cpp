#include "engine/ClipboardQueue.h"

#include "engine/Log.h"

#include <QCoreApplication>
#include <QPointer>
#include <QStandardPaths>

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
    : QObject(parent), m_clipboard(std::move(dependencies.clipboard)),
      m_clipboardFilesDirectory(std::move(dependencies.clipboardFilesDirectory)),
      m_pasteKeystroke(std::move(dependencies.pasteKeystroke)),
      m_scheduleCleanup(std::move(dependencies.scheduleCleanup)),
      m_inputAccessCheck(std::move(dependencies.inputAccessCheck)),
      m_launchAtLogin(std::move(dependencies.launchAtLogin)), m_automaticallyPolls(dependencies.automaticallyPolls),
      m_settings(std::move(dependencies.settings)) {
    Q_ASSERT(m_clipboard && m_pasteKeystroke && m_scheduleCleanup && m_inputAccessCheck && m_launchAtLogin &&
             m_settings);
    m_lastChangeCount = m_clipboard->changeCount();
    m_hasInputAccess = m_inputAccessCheck();
    m_launchAtLoginEnabled =
        launchAtLoginStatusFromSystemValue(m_launchAtLogin->systemStatusValue()) == LaunchAtLoginStatus::enabled;
    prepareStorage();
    refreshLaunchAtLoginStatus();
}

ClipboardQueue::~ClipboardQueue() = default;

void ClipboardQueue::setQueue(QList<QueuedClipboardItem> queue) {
    m_queue = std::move(queue);
    emit queueChanged();
}

void ClipboardQueue::setIsCollecting(bool value) {
    m_isCollecting = value;
    emit isCollectingChanged();
}

void ClipboardQueue::setHasInputAccess(bool value) {
    m_hasInputAccess = value;
    emit hasInputAccessChanged();
}

void ClipboardQueue::setLaunchAtLoginEnabled(bool value) {
    m_launchAtLoginEnabled = value;
    emit launchAtLoginEnabledChanged();
}

void ClipboardQueue::setLaunchAtLoginDesynced(bool value) {
    m_launchAtLoginDesynced = value;
    emit launchAtLoginDesyncedChanged();
}

void ClipboardQueue::remove(const QUuid& id) {
    const auto found = std::find_if(m_queue.cbegin(), m_queue.cend(), [&](const auto& item) { return item.id == id; });
    if (found == m_queue.cend()) {
        return;
    }
    const QueuedClipboardItem removed = *found;
    auto queue = m_queue;
    queue.removeAt(found - m_queue.cbegin());
    setQueue(std::move(queue));
    deleteStoredFile(removed);
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
    const auto found = std::find_if(m_queue.cbegin(), m_queue.cend(), [&](const auto& item) { return item.id == id; });
    if (found == m_queue.cend()) {
        return;
    }
    const QueuedClipboardItem removed = *found;
    auto queue = m_queue;
    queue.removeAt(found - m_queue.cbegin());
    setQueue(std::move(queue));
    logQueueEdit(QStringLiteral("consumeDropped"), m_queue.count());
    if (m_queue.isEmpty()) {
        stopCollecting(StopReason::queueDrained);
    }
    deleteStoredFileLater(removed, droppedFileCleanupDelaySeconds);
}

void ClipboardQueue::stopCollecting(StopReason reason) {
    setIsCollecting(false);
    m_pollTimer.reset();
    qCDebug(lcQueue).noquote()
        << QStringLiteral("stopCollecting reason=%1 queue.count=%2").arg(caseName(reason)).arg(m_queue.count());
}

void ClipboardQueue::refreshInputAccess() {
    setHasInputAccess(m_inputAccessCheck());
    refreshLaunchAtLoginStatus();
}

void ClipboardQueue::deleteStoredFileLater(const QueuedClipboardItem& item, double delaySeconds) {
    if (!item.content.isFile()) {
        return;
    }
    m_scheduleCleanup(delaySeconds, [engine = QPointer<ClipboardQueue>(this), item] {
        if (engine) {
            engine->deleteStoredFile(item);
        }
    });
}

} // namespace sorvu
