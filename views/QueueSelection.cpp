// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/QueueSelection.h"

#include "engine/ClipboardQueue.h"
#include "views/QueueListModel.h"
#include "views/ViewLanguage.h"

#include <algorithm>

namespace sorvu {

QueueSelection::QueueSelection(ClipboardQueue& queue, QueueListModel& rows, ViewLanguage& language, QObject* parent)
    : QObject(parent), m_queue(queue), m_rows(rows), m_language(language) {
    connect(&m_queue, &ClipboardQueue::queueChanged, this, &QueueSelection::followQueue);
}

void QueueSelection::followQueue() {
    if (!m_selectedID) {
        return;
    }
    if (!m_queue.contains(*m_selectedID)) {
        const qsizetype count = m_queue.queue().size();
        select(count > 0 ? std::optional<int>(std::min<qsizetype>(m_selectedPlace, count - 1)) : std::nullopt);
        return;
    }
    m_selectedPlace = selectedIndex();
    emit selectionChanged();
}

int QueueSelection::selectedIndex() const {
    if (!m_selectedID) {
        return -1;
    }
    const auto& queue = m_queue.queue();
    const auto found =
        std::find_if(queue.cbegin(), queue.cend(), [&](const auto& entry) { return entry.id == *m_selectedID; });
    return found == queue.cend() ? -1 : int(found - queue.cbegin());
}

void QueueSelection::ensureSelection() {
    if (selectedIndex() < 0 && !m_queue.queue().isEmpty()) {
        select(0);
    }
}

void QueueSelection::moveSelection(int delta) {
    const qsizetype count = m_queue.queue().size();
    if (count == 0) {
        return;
    }
    const int current = selectedIndex();
    select(current < 0 ? 0 : int(std::clamp<qsizetype>(current + delta, 0, count - 1)));
}

void QueueSelection::selectEdge(bool last) {
    if (!m_queue.queue().isEmpty()) {
        select(last ? int(m_queue.queue().size() - 1) : 0);
    }
}

void QueueSelection::deleteSelected() {
    if (m_selectedID) {
        m_queue.remove(*m_selectedID);
    }
}

void QueueSelection::moveSelectedEntry(int delta) {
    const int from = selectedIndex();
    const int to = from + (delta < 0 ? -1 : 1);
    const qsizetype count = m_queue.queue().size();
    if (from < 0 || delta == 0 || to < 0 || to >= count) {
        return;
    }
    const QUuid id = *m_selectedID;
    // The destination counts places before the entry leaves its own.
    m_queue.move(QSet<int>{from}, to > from ? to + 1 : to);
    m_rows.setAnnouncement(id, m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Moved to position %lld of %lld"),
                                               {qint64(to + 1), qint64(count)}));
}

void QueueSelection::select(std::optional<int> index) {
    const auto& queue = m_queue.queue();
    m_selectedID = index && *index >= 0 && *index < queue.size() ? std::optional(queue.at(*index).id) : std::nullopt;
    m_selectedPlace = index.value_or(-1);
    m_rows.setSelected(m_selectedID);
    // A place said after a move is out of date once the selection goes on.
    m_rows.setAnnouncement(std::nullopt, {});
    emit selectionChanged();
}

} // namespace sorvu
