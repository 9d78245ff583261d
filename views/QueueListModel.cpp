// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/QueueListModel.h"

#include "engine/ClipboardQueue.h"
#include "views/TextPreview.h"
#include "views/ViewLanguage.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QTextBoundaryFinder>

namespace sorvu {

namespace {

// Roles whose value depends on a row's place in the queue or on the language.
const QList<int> placeRoles = {QueueListModel::PositionTextRole, QueueListModel::AccessibleNameRole,
                               QueueListModel::DeleteNameRole,   QueueListModel::DetailsRole,
                               QueueListModel::PictureSizeRole,  QueueListModel::AnnouncementRole};

qint64 characterCount(const QString& text) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qint64 count = 0;
    while (finder.toNextBoundary() >= 0) {
        ++count;
    }
    return count;
}

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
    case DetailsRole:
        return details(entry);
    case ElidesInMiddleRole:
        return content.isFile();
    case PictureSizeRole:
        if (content.isImage() && content.image()) {
            QLocale locale = m_language.locale();
            locale.setNumberOptions(QLocale::OmitGroupSeparator);
            const QSize size = content.image()->pixelSize();
            return QStringLiteral("%1 \u00d7 %2").arg(locale.toString(size.width()), locale.toString(size.height()));
        }
        return QString();
    case IsSelectedRole:
        return m_selectedID == entry.id;
    case AnnouncementRole:
        return m_announcedID == entry.id ? m_announcement : QString();
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
        {DetailsRole, "details"},
        {ElidesInMiddleRole, "elidesInMiddle"},
        {PictureSizeRole, "pictureSize"},
        {IsSelectedRole, "isSelected"},
        {AnnouncementRole, "announcement"},
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

void QueueListModel::setSelected(const std::optional<QUuid>& id) {
    const std::optional<QUuid> before = m_selectedID;
    m_selectedID = id;
    refreshRow(before, {IsSelectedRole});
    refreshRow(id, {IsSelectedRole});
}

void QueueListModel::setAnnouncement(const std::optional<QUuid>& id, const QString& text) {
    const std::optional<QUuid> before = m_announcedID;
    m_announcedID = id;
    m_announcement = text;
    refreshRow(before, {AnnouncementRole});
    refreshRow(id, {AnnouncementRole});
}

QString QueueListModel::details(const QueuedClipboardItem& entry) const {
    const ClipboardItem& content = entry.content;
    switch (content.kind()) {
    case ClipboardItem::Kind::text: {
        const QString text = content.text();
        auto length = m_textLengths.constFind(entry.id);
        if (length == m_textLengths.constEnd()) {
            length = m_textLengths.insert(entry.id, characterCount(text));
        }
        const QString start = graphemePrefix(text, detailCharacters);
        return start + (start.size() < text.size() ? QStringLiteral("\u2026") : QString()) + QLatin1Char('\n') +
               m_language.text(QT_TRANSLATE_N_NOOP("Sorvu", "%lld characters"), {*length});
    }
    case ClipboardItem::Kind::image: {
        const QSize size = content.image() ? content.image()->pixelSize() : QSize();
        return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Image: %lld \u00d7 %lld pixels"),
                               {qint64(size.width()), qint64(size.height())});
    }
    case ClipboardItem::Kind::file: {
        const QFileInfo stored(content.fileUrl().toLocalFile());
        const QString size = stored.isDir()
                                 ? m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Folder"))
                                 : m_language.locale().formattedDataSize(stored.size(), 1, QLocale::DataSizeSIFormat);
        return content.originalFilename() + QLatin1Char('\n') + size;
    }
    }
    return {};
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
    m_textLengths.removeIf([&kept](const auto& length) { return !kept.contains(length.key()); });
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

void QueueListModel::refreshRow(const std::optional<QUuid>& id, const QList<int>& roles) {
    if (const int row = rowOf(id); row >= 0) {
        emit dataChanged(index(row), index(row), roles);
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
