// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/QueueListModel.h"

#include "engine/ClipboardQueue.h"
#include "views/TextPreview.h"
#include "views/ViewLanguage.h"

#include <QFileInfo>
#include <QMimeDatabase>

namespace sorvu {

namespace {

// Roles whose value depends on a row's place in the queue or on the language.
const QList<int> placeRoles = {QueueListModel::PositionTextRole, QueueListModel::AccessibleNameRole,
                               QueueListModel::DeleteNameRole};

QString previewOf(const ClipboardItem& content) {
    switch (content.kind()) {
    case ClipboardItem::Kind::text:
        return graphemePrefix(content.text(), QueueListModel::previewCharacters);
    case ClipboardItem::Kind::image:
        return {};
    case ClipboardItem::Kind::file:
        return content.originalFilename();
    }
    return {};
}

} // namespace

QueueListModel::QueueListModel(ClipboardQueue& queue, ViewLanguage& language, QObject* parent)
    : QAbstractListModel(parent), m_queue(queue), m_language(language), m_rows(queue.queue()) {
    connect(&m_queue, &ClipboardQueue::queueChanged, this, &QueueListModel::followQueue);
    connect(&m_language, &ViewLanguage::changed, this, [this] { refreshRows(placeRoles); });
}

int QueueListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant QueueListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    const QueuedClipboardItem& entry = m_rows.at(index.row());
    const ClipboardItem& content = entry.content;
    const qint64 position = index.row() + 1;
    switch (role) {
    case EntryIdRole:
        return uuidString(entry.id);
    case ShowsPictureRole:
        return !content.isText();
    case ShowsNameRole:
        return !content.isImage();
    case PositionTextRole:
        return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "%lld."), {position});
    case Qt::DisplayRole:
    case PreviewTextRole:
        return previewOf(content);
    case ImageSourceRole:
        if (content.isImage()) {
            return thumbnailSource(entry.id);
        }
        return content.isFile() ? fileIconSource(content.fileUrl().toLocalFile()) : QString();
    case AccessibleNameRole:
        switch (content.kind()) {
        case ClipboardItem::Kind::text:
            return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Item %lld: text, %@"), {position, previewOf(content)});
        case ClipboardItem::Kind::image:
            return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Item %lld: image"), {position});
        case ClipboardItem::Kind::file:
            return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Item %lld: file, %@"), {position, previewOf(content)});
        }
        return {};
    case DeleteNameRole:
        return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Delete item %lld"), {position});
    case IsDraggedRole:
        return m_draggedID == entry.id;
    case DragOffsetRole:
        return m_draggedID == entry.id ? m_dragOffset : 0.0;
    case IsDraggedOutRole:
        return m_draggedOutID == entry.id;
    default:
        return {};
    }
}

QHash<int, QByteArray> QueueListModel::roleNames() const {
    return {
        {EntryIdRole, "entryId"},
        {ShowsPictureRole, "showsPicture"},
        {ShowsNameRole, "showsName"},
        {PositionTextRole, "positionText"},
        {PreviewTextRole, "previewText"},
        {ImageSourceRole, "imageSource"},
        {AccessibleNameRole, "accessibleName"},
        {DeleteNameRole, "deleteName"},
        {IsDraggedRole, "isDragged"},
        {DragOffsetRole, "dragOffset"},
        {IsDraggedOutRole, "isDraggedOut"},
    };
}

void QueueListModel::setDrag(const std::optional<QUuid>& id, double offset) {
    const int before = rowOf(m_draggedID);
    m_draggedID = id;
    m_dragOffset = offset;
    const int after = rowOf(id);
    for (const int row : {before, after}) {
        if (row >= 0) {
            emit dataChanged(index(row), index(row), {IsDraggedRole, DragOffsetRole});
        }
    }
}

void QueueListModel::setDraggedOut(const std::optional<QUuid>& id) {
    const int before = rowOf(m_draggedOutID);
    m_draggedOutID = id;
    for (const int row : {before, rowOf(id)}) {
        if (row >= 0) {
            emit dataChanged(index(row), index(row), {IsDraggedOutRole});
        }
    }
}

QString QueueListModel::thumbnailSource(const QUuid& id) {
    return QStringLiteral("image://sorvu-thumbnail/") + uuidString(id);
}

QString QueueListModel::fileIconSource(const QString& path) {
    // The stored copy tells a folder from a file; its name's ending tells the rest.
    static const QMimeDatabase mimeTypes;
    const QMimeType type = QFileInfo(path).isDir() ? mimeTypes.mimeTypeForName(QStringLiteral("inode/directory"))
                                                   : mimeTypes.mimeTypeForFile(path, QMimeDatabase::MatchExtension);
    return QStringLiteral("image://sorvu-fileicon/%1/%2").arg(type.iconName(), type.genericIconName());
}

void QueueListModel::followQueue() {
    const QList<QueuedClipboardItem>& target = m_queue.queue();
    QSet<QUuid> kept;
    for (const auto& entry : target) {
        kept.insert(entry.id);
    }
    bool orderChanged = false;
    for (int row = int(m_rows.size()) - 1; row >= 0; --row) {
        if (!kept.contains(m_rows.at(row).id)) {
            beginRemoveRows({}, row, row);
            m_rows.removeAt(row);
            endRemoveRows();
            orderChanged = true;
        }
    }
    for (int row = 0; row < target.size(); ++row) {
        const QUuid& wanted = target.at(row).id;
        if (row < m_rows.size() && m_rows.at(row).id == wanted) {
            continue;
        }
        orderChanged = true;
        const int from = rowOf(wanted);
        if (from > row) {
            beginMoveRows({}, from, from, {}, row);
            m_rows.move(from, row);
            endMoveRows();
        } else {
            beginInsertRows({}, row, row);
            m_rows.insert(row, target.at(row));
            endInsertRows();
        }
    }
    if (orderChanged) {
        refreshRows(placeRoles);
    }
}

void QueueListModel::refreshRows(const QList<int>& roles) {
    if (!m_rows.isEmpty()) {
        emit dataChanged(index(0), index(int(m_rows.size()) - 1), roles);
    }
}

int QueueListModel::rowOf(const std::optional<QUuid>& id) const {
    if (!id) {
        return -1;
    }
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows.at(row).id == *id) {
            return row;
        }
    }
    return -1;
}

} // namespace sorvu
