// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/ClipboardImage.h"

#include <QHash>
#include <QMutex>
#include <QQuickImageProvider>
#include <QUuid>

namespace sorvu {

class ClipboardQueue;

// The rows' thumbnails of image entries, decoded straight at row size off the main thread and kept per
// entry for as long as the entry is queued, so that a queue of large screenshots neither stalls the popup
// nor decodes any picture at full size on each paint.
class ThumbnailProvider : public QQuickImageProvider {
public:
    // Thumbnails are made at this size in pixels when the view asks for none.
    static constexpr int defaultPixels = 56;

    explicit ThumbnailProvider(ClipboardQueue& queue);

    // The id is the entry's id.
    QImage requestImage(const QString& id, QSize* size, const QSize& requestedSize) override;

    int cachedCount() const;

private:
    void followQueue(ClipboardQueue& queue);

    mutable QMutex m_mutex;
    QHash<QUuid, ClipboardImageRef> m_images;
    QHash<QUuid, QImage> m_thumbnails;
};

} // namespace sorvu
