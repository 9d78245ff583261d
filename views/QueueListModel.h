// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/QueuedClipboardItem.h"

#include <QAbstractListModel>
#include <QHash>
#include <QList>
#include <QUuid>
#include <QtQml/qqmlregistration.h>

#include <optional>

namespace sorvu {

class ClipboardQueue;
class ViewLanguage;

// The queue's entries as rows of the popup's list. A change of the queue is reported as the removals,
// moves and insertions that lead to the new order, keyed by entry id, never as a reset: rows animate
// into place and keep their hover and drag state.
class QueueListModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the queue screen")

public:
    enum Role {
        EntryIdRole = Qt::UserRole + 1,
        ShowsPictureRole,
        ShowsNameRole,
        PositionTextRole,
        PreviewTextRole,
        ImageSourceRole,
        AccessibleNameRole,
        DeleteNameRole,
        IsDraggedRole,
        DragOffsetRole,
        IsDraggedOutRole,
        // What a tooltip and a screen reader's description tell beyond the row: the start of a text and its
        // length, an image's size in pixels, a file's whole name and its size.
        DetailsRole,
        // File names lose their middle, so that their ending stays.
        ElidesInMiddleRole,
        // An image's size, shown beside its thumbnail from the start (the thumbnail comes later).
        PictureSizeRole,
        IsSelectedRole,
        // Said after the keyboard moved the entry: its new place.
        AnnouncementRole,
    };
    Q_ENUM(Role)

    static constexpr int previewCharacters = 40;
    static constexpr int detailCharacters = 300;

    QueueListModel(ClipboardQueue& queue, ViewLanguage& language, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    // The row being dragged inside the list and how far it is drawn from its place; nothing when none is.
    void setDrag(const std::optional<QUuid>& id, double offset);
    // The entry travelling in a drag out of the popup, drawn dimmed.
    void setDraggedOut(const std::optional<QUuid>& id);
    // The keyboard's selected entry.
    void setSelected(const std::optional<QUuid>& id);
    // What the entry's row says about its last move; only one row says something at a time.
    void setAnnouncement(const std::optional<QUuid>& id, const QString& text);

    // The addresses the rows load an image entry's thumbnail and a stored file's icon from.
    static QString thumbnailSource(const QUuid& id);
    static QString fileIconSource(const QString& path);

private:
    void followQueue();
    void refreshRows(const QList<int>& roles);
    void refreshRow(const std::optional<QUuid>& id, const QList<int>& roles);
    int rowOf(const std::optional<QUuid>& id) const;
    QString details(const QueuedClipboardItem& entry) const;

    ClipboardQueue& m_queue;
    ViewLanguage& m_language;
    QList<QueuedClipboardItem> m_rows;
    std::optional<QUuid> m_draggedID;
    double m_dragOffset = 0;
    std::optional<QUuid> m_draggedOutID;
    std::optional<QUuid> m_selectedID;
    std::optional<QUuid> m_announcedID;
    QString m_announcement;
    // A text's length in characters, counted once per entry.
    mutable QHash<QUuid, qint64> m_textLengths;
};

} // namespace sorvu
