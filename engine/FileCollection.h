// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/ClipboardImage.h"
#include "engine/QueueArrivals.h"

#include <QList>
#include <QObject>
#include <QUrl>

#include <functional>

namespace sorvu {

class Clipboard;
class ClipboardFileStorage;
class ImageChecker;
struct CollectedFiles;

// Takes one copy's files towards the queue: a private copy of each, made off the main thread, and for a
// file that could not be copied, the image the clipboard offers in its place once it is known to decode.
// The copies of a batch called off, or overtaken by a later copy, are deleted again.
class FileCollection : public QObject {
    Q_OBJECT

public:
    // The copies are planned and go ahead: holds the places of the files kept, and gives what calls them off.
    using HoldPlaces = std::function<QueueArrivals::Cancellation(qsizetype kept)>;
    using Collected = std::function<void(const CollectedFiles& files)>;
    // The batch's copies are deleted: the places it held are given up.
    using Discarded = std::function<void(qint64 changeCount)>;

    FileCollection(ClipboardFileStorage& storage, Clipboard& clipboard, ImageChecker& images, Collected collected,
                   Discarded discarded);

    // Copies the first `room` files; nothing happens when a later copy replaced them while the copies were
    // planned.
    void collect(const QList<QUrl>& urls, qint64 changeCount, qsizetype room, const HoldPlaces& holdPlaces);
    // The files are not to join the queue after all: their copies are deleted.
    void discard(const CollectedFiles& files);

private:
    struct Batch;

    void finishCopies(Batch batch);
    // The images that stand for files that could not be copied, with their checks, are the last part of a batch.
    void settle(Batch batch, const QList<qsizetype>& imagePositions, const QList<ClipboardImageRef>& images,
                const QList<ClipboardImage::Check>& checks);
    void discard(const Batch& batch);

    ClipboardFileStorage& m_storage;
    Clipboard& m_clipboard;
    ImageChecker& m_images;
    Collected m_collected;
    Discarded m_discarded;
};

} // namespace sorvu
