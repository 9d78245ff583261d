// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/ThumbnailProvider.h"

#include "engine/ClipboardQueue.h"

namespace sorvu {

ThumbnailProvider::ThumbnailProvider(ClipboardQueue& queue)
    : QQuickImageProvider(QQuickImageProvider::Image, QQmlImageProviderBase::ForceAsynchronousImageLoading) {
    followQueue(queue);
    connect(&queue, &ClipboardQueue::queueChanged, this, [this, &queue] { followQueue(queue); });
}

QImage ThumbnailProvider::requestImage(const QString& id, QSize* size, const QSize& requestedSize) {
    const QUuid uuid = QUuid::fromString(id);
    ClipboardImageRef image;
    {
        const QMutexLocker lock(&m_mutex);
        const auto cached = m_thumbnails.constFind(uuid);
        if (cached != m_thumbnails.constEnd()) {
            *size = cached->size();
            return *cached;
        }
        image = m_images.value(uuid);
    }
    if (!image) {
        return {};
    }
    const QSize bounds =
        requestedSize.isValid() && !requestedSize.isEmpty() ? requestedSize : QSize(defaultPixels, defaultPixels);
    const QImage thumbnail = image->thumbnail(bounds);
    {
        const QMutexLocker lock(&m_mutex);
        // The entry may have left the queue while its picture was decoded.
        if (m_images.contains(uuid)) {
            m_thumbnails.insert(uuid, thumbnail);
        }
    }
    *size = thumbnail.size();
    return thumbnail;
}

int ThumbnailProvider::cachedCount() const {
    const QMutexLocker lock(&m_mutex);
    return int(m_thumbnails.size());
}

void ThumbnailProvider::followQueue(ClipboardQueue& queue) {
    QHash<QUuid, ClipboardImageRef> images;
    for (const auto& entry : queue.queue()) {
        if (entry.content.isImage()) {
            images.insert(entry.id, entry.content.image());
        }
    }
    const QMutexLocker lock(&m_mutex);
    m_images = std::move(images);
    m_thumbnails.removeIf([this](const auto& thumbnail) { return !m_images.contains(thumbnail.key()); });
}

} // namespace sorvu
