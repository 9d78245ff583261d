// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/ClipboardQueue.h"

#include "engine/Log.h"

namespace sorvu {

PasteAttemptResult ClipboardQueue::performPaste(const ClipboardItem& item) {
    setHasInputAccess(m_dependencies.inputAccessCheck());
    if (!m_hasInputAccess) {
        return PasteAttemptResult::accessibilityUnavailable;
    }
    const std::optional<PostEvents> postEvents = m_dependencies.pasteKeystroke();
    if (!postEvents || !*postEvents) {
        return PasteAttemptResult::eventCreationFailed;
    }
    const bool written = m_dependencies.clipboard->write(item);
    // Our own write (or the emptied clipboard after a failed one) must never be collected back.
    m_lastChangeCount = m_dependencies.clipboard->changeCount();
    if (!written) {
        return PasteAttemptResult::pasteboardWriteFailed;
    }
    (*postEvents)();
    return PasteAttemptResult::commandPosted;
}

PasteAttemptResult ClipboardQueue::pasteNext() {
    if (m_isCollecting) {
        checkClipboard();
    }
    // What comes next is still being copied: said as such, rather than pasting what was copied after it.
    if (m_queue.isEmpty() && isCopyingFiles()) {
        return PasteAttemptResult::copyInProgress;
    }
    if (m_queue.isEmpty()) {
        emit flashRequested();
        return PasteAttemptResult::queueEmpty;
    }
    const QueuedClipboardItem head = m_queue.first();
    // A stored copy that something else deleted would paste a name that leads nowhere.
    if (head.content.isFile() && !storedFileExists(head)) {
        take(head.id);
        qCCritical(lcQueue).noquote() << QStringLiteral("pasteNext stored file missing itemID=%1 queue.count=%2")
                                             .arg(uuidString(head.id))
                                             .arg(m_queue.count());
        return PasteAttemptResult::storedFileMissing;
    }
    const PasteAttemptResult result = performPaste(head.content);
    if (result != PasteAttemptResult::commandPosted) {
        return result;
    }
    m_offer = Offer{head.id, m_lastChangeCount};
    setQueue(m_queue.mid(1));
    qCDebug(lcQueue).noquote() << QStringLiteral("queue removeFirst queue.count=%1").arg(m_queue.count());
    if (m_queue.isEmpty()) {
        stopCollecting(StopReason::queueDrained);
    }
    deleteStoredFileLater(head);
    return PasteAttemptResult::commandPosted;
}

PasteAttemptResult ClipboardQueue::pasteAllText(const QString& separator, const QList<QUuid>& expectedIDs) {
    if (m_isCollecting) {
        checkClipboard();
    }
    if (m_queue.isEmpty()) {
        emit flashRequested();
        return PasteAttemptResult::queueEmpty;
    }
    QList<QUuid> ids;
    ids.reserve(m_queue.count());
    for (const auto& item : std::as_const(m_queue)) {
        ids.append(item.id);
    }
    if (ids != expectedIDs) {
        return PasteAttemptResult::queueChanged;
    }
    QStringList texts;
    for (const auto& item : std::as_const(m_queue)) {
        if (!item.content.isText()) {
            return PasteAttemptResult::containsNonText;
        }
        texts.append(item.content.text());
    }
    const PasteAttemptResult result = performPaste(ClipboardItem::makeText(texts.join(separator)));
    if (result != PasteAttemptResult::commandPosted) {
        return result;
    }
    setQueue({});
    stopCollecting(StopReason::queueDrained);
    qCDebug(lcQueue).noquote() << QStringLiteral("queue removeAll after combined paste");
    return PasteAttemptResult::commandPosted;
}

} // namespace sorvu
