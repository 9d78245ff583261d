// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/QueuePaster.h"

#include "engine/Clipboard.h"
#include "engine/ClipboardCollector.h"
#include "engine/ClipboardQueue.h"
#include "engine/Log.h"
#include "engine/PasteOutput.h"

namespace sorvu {

QueuePaster::QueuePaster(ClipboardQueue& queue, std::shared_ptr<Clipboard> clipboard,
                         std::shared_ptr<PasteOutput> output, PasteKeysTable keys)
    : m_queue(queue), m_clipboard(std::move(clipboard)), m_output(std::move(output)), m_keys(std::move(keys)) {
    m_hasInputAccess = m_output->canPostKeys();
}

QueuePaster::~QueuePaster() = default;

void QueuePaster::refreshInputAccess() {
    m_hasInputAccess = m_output->canPostKeys();
    emit hasInputAccessChanged();
}

bool QueuePaster::isOffered(const QueuedClipboardItem& item) const {
    return m_offer && m_offer->id == item.id && m_clipboard->changeCount() == m_offer->changeCount;
}

PasteAttemptResult QueuePaster::performPaste(const ClipboardItem& item) {
    refreshInputAccess();
    if (!m_hasInputAccess) {
        return PasteAttemptResult::accessibilityUnavailable;
    }
    // The program in front receives the paste: its window tells which keystroke it pastes with.
    const std::optional<WindowClass> recipient = m_output->recipientClass();
    const PasteKeys keys = m_keys.keysFor(recipient);
    qCDebug(lcUi).noquote() << QStringLiteral("paste keystroke keys=%1 windowClass=%2")
                                   .arg(pasteKeysName(keys), recipient ? recipient->className : QString());
    if (!m_output->canPost(keys)) {
        return PasteAttemptResult::eventCreationFailed;
    }
    const bool written = m_clipboard->write(item);
    // Our own write (or the emptied clipboard after a failed one) must never be collected back.
    m_queue.collector().skipOwnWrite();
    if (!written) {
        return PasteAttemptResult::clipboardWriteFailed;
    }
    m_output->post(keys);
    return PasteAttemptResult::commandPosted;
}

PasteAttemptResult QueuePaster::pasteNext() {
    if (m_queue.isCollecting()) {
        m_queue.collector().checkClipboard();
    }
    // What comes next is still being copied: said as such, rather than pasting what was copied after it.
    if (m_queue.queue().isEmpty() && m_queue.collector().isCopyingFiles()) {
        return PasteAttemptResult::copyInProgress;
    }
    if (m_queue.queue().isEmpty()) {
        emit flashRequested();
        return PasteAttemptResult::queueEmpty;
    }
    const QueuedClipboardItem head = m_queue.queue().first();
    // A stored copy that something else deleted would paste a name that leads nowhere.
    if (head.content.isFile() && !m_queue.files().storedFileExists(head)) {
        m_queue.take(head.id);
        qCCritical(lcQueue).noquote() << QStringLiteral("pasteNext stored file missing itemID=%1 queue.count=%2")
                                             .arg(uuidString(head.id))
                                             .arg(m_queue.queue().count());
        return PasteAttemptResult::storedFileMissing;
    }
    const PasteAttemptResult result = performPaste(head.content);
    if (result != PasteAttemptResult::commandPosted) {
        return result;
    }
    m_offer = Offer{head.id, m_queue.collector().lastChangeCount()};
    m_queue.removeHead();
    qCDebug(lcQueue).noquote() << QStringLiteral("queue removeFirst queue.count=%1").arg(m_queue.queue().count());
    if (m_queue.queue().isEmpty()) {
        m_queue.stopCollecting(ClipboardQueue::StopReason::queueDrained);
    }
    m_queue.deleteStoredFileLater(head);
    return PasteAttemptResult::commandPosted;
}

PasteAttemptResult QueuePaster::pasteAllText(const QString& separator, const QList<QUuid>& expectedIDs) {
    if (m_queue.isCollecting()) {
        m_queue.collector().checkClipboard();
    }
    const QList<QueuedClipboardItem>& queue = m_queue.queue();
    if (queue.isEmpty()) {
        emit flashRequested();
        return PasteAttemptResult::queueEmpty;
    }
    QList<QUuid> ids;
    ids.reserve(queue.count());
    for (const auto& item : queue) {
        ids.append(item.id);
    }
    if (ids != expectedIDs) {
        return PasteAttemptResult::queueChanged;
    }
    QStringList texts;
    for (const auto& item : queue) {
        if (!item.content.isText()) {
            return PasteAttemptResult::containsNonText;
        }
        texts.append(item.content.text());
    }
    const PasteAttemptResult result = performPaste(ClipboardItem::makeText(texts.join(separator)));
    if (result != PasteAttemptResult::commandPosted) {
        return result;
    }
    m_queue.removeAll();
    m_queue.stopCollecting(ClipboardQueue::StopReason::queueDrained);
    qCDebug(lcQueue).noquote() << QStringLiteral("queue removeAll after combined paste");
    return PasteAttemptResult::commandPosted;
}

} // namespace sorvu
