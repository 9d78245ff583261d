// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/ClipboardFileStorage.h"
#include "engine/PasteKeysTable.h"
#include "engine/QueuedClipboardItem.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QUuid>

#include <chrono>
#include <memory>
#include <optional>

namespace sorvu {

class Clipboard;
class ClipboardCollector;
class PasteOutput;
class QueuePaster;

// The clipboard queue: the entries in the order they will be pasted, whether new copies are collected, and
// the edits the user makes. Its parts do the rest: the collector takes new copies from the clipboard, the file
// storage keeps private copies of copied files, the paster pastes the entries back. Lives on the main thread.
class ClipboardQueue : public QObject {
    Q_OBJECT
    Q_PROPERTY(QList<sorvu::QueuedClipboardItem> queue READ queue NOTIFY queueChanged)
    Q_PROPERTY(bool isCollecting READ isCollecting NOTIFY isCollectingChanged)

public:
    enum class StopReason { manualToggle, queueDrained };
    Q_ENUM(StopReason)

    struct Dependencies {
        std::shared_ptr<Clipboard> clipboard;
        std::shared_ptr<PasteOutput> pasteOutput;
        // Which keystroke pastes into which program.
        PasteKeysTable pasteKeys = PasteKeysTable::withDefaults();
        QString clipboardFilesDirectory;
        // Names this instance's folder in the storage: one Sorvu per session, so one folder per session.
        QString sessionKey;
        // The most data one copied file or folder may write into the storage.
        qint64 maximumFileBytes = qint64(2048) << 20;
        ClipboardFileStorage::RunInBackground runInBackground;
        // Runs the work on the main thread once the delay has passed; the main event loop when empty.
        std::function<void(double delaySeconds, std::function<void()> work)> scheduleCleanup;
        // How long quitting may spend removing stored copies; what is left goes at the next start.
        std::chrono::milliseconds quitRemovalBudget{250};
    };

    static constexpr int capacity = 99;
    // How long a stored copy outlives the clipboard's offer of it: a file manager may still be reading it,
    // and a drag-out may still be dropped.
    static constexpr double storedCopyGraceSeconds = 30.0;

    // $XDG_DATA_HOME/Sorvu/ClipboardFiles.
    static QString defaultClipboardFilesDirectory();

    explicit ClipboardQueue(Dependencies dependencies, QObject* parent = nullptr);
    // Sorvu quits: the copies of its entries go with the queue, within the removal budget; those of entries
    // pasted or dropped a moment ago stay for the program that may still be reading them.
    ~ClipboardQueue() override;

    const QList<QueuedClipboardItem>& queue() const { return m_queue; }
    bool isCollecting() const { return m_isCollecting; }
    bool contains(const QUuid& id) const;

    ClipboardCollector& collector() const { return *m_collector; }
    ClipboardFileStorage& files() const { return *m_files; }
    QueuePaster& paster() const { return *m_paster; }

    // Editing.
    void remove(const QUuid& id);
    void move(const QUuid& id, int targetIndex);
    void move(const QSet<int>& sourceOffsets, int destinationOffset);
    void clear();
    // The entry was dropped into another program: it leaves the queue, its copy a while later.
    void consumeDropped(const QUuid& id);
    void toggleCollecting();
    void stopCollecting(StopReason reason);

    // For the parts: entries that join at the end, and the head that a paste took.
    void append(const QList<QueuedClipboardItem>& entries);
    void removeHead();
    void removeAll();
    // Removes the entry and publishes the change; nothing when no entry has the id.
    std::optional<QueuedClipboardItem> take(const QUuid& id);
    // Deletes the entry's stored copy once it is out of the queue and the clipboard has stopped offering it
    // for a whole grace period.
    void deleteStoredFileLater(const QueuedClipboardItem& item);

signals:
    void queueChanged();
    void isCollectingChanged();

private:
    void setQueue(QList<QueuedClipboardItem> queue);
    void setIsCollecting(bool value);

    QList<QueuedClipboardItem> m_queue;
    bool m_isCollecting = false;
    std::function<void(double delaySeconds, std::function<void()> work)> m_scheduleCleanup;
    std::chrono::milliseconds m_quitRemovalBudget;
    // Entries out of the queue whose copies wait out their grace period.
    QHash<QUuid, QueuedClipboardItem> m_inGrace;
    std::unique_ptr<ClipboardFileStorage> m_files;
    std::unique_ptr<ClipboardCollector> m_collector;
    std::unique_ptr<QueuePaster> m_paster;
};

} // namespace sorvu
