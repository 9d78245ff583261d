// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QUuid>
#include <QtQml/qqmlregistration.h>

#include <optional>

namespace sorvu {

class ClipboardQueue;
class QueueListModel;
class ViewLanguage;

// The keyboard's way through the queue list: a selected entry (none until the list takes focus), moved with
// the arrow keys, Home and End; Delete removes it, Ctrl with an arrow moves it in the queue (its row then says
// its new place). When the selected entry leaves the queue, the one now at its place is selected.
class QueueSelection : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the queue screen")
    Q_PROPERTY(int selectedIndex READ selectedIndex NOTIFY selectionChanged)

public:
    QueueSelection(ClipboardQueue& queue, QueueListModel& rows, ViewLanguage& language, QObject* parent = nullptr);

    int selectedIndex() const;
    // Selects the first entry when none is selected.
    Q_INVOKABLE void ensureSelection();
    Q_INVOKABLE void moveSelection(int delta);
    Q_INVOKABLE void selectEdge(bool last);
    Q_INVOKABLE void deleteSelected();
    Q_INVOKABLE void moveSelectedEntry(int delta);

signals:
    void selectionChanged();

private:
    void followQueue();
    void select(std::optional<int> index);

    ClipboardQueue& m_queue;
    QueueListModel& m_rows;
    ViewLanguage& m_language;
    std::optional<QUuid> m_selectedID;
    // Where the selection was, for when its entry leaves the queue.
    int m_selectedPlace = -1;
};

} // namespace sorvu
