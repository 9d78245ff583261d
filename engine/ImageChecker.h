// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/ClipboardImage.h"
#include "engine/QueueArrivals.h"

#include <QList>
#include <QObject>
#include <QSize>
#include <QString>

#include <functional>

namespace sorvu {

class ClipboardFileStorage;

// Checks copied images for whether they decode before they join the queue: off the main thread, in order
// with the storage's copies, as reading every row of the largest takes seconds.
class ImageChecker : public QObject {
    Q_OBJECT

public:
    using Checks = QList<ClipboardImage::Check>;

    explicit ImageChecker(ClipboardFileStorage& storage);

    // Hands the checks to `then` on the main thread, unless this checker is gone by then; a check called off
    // meanwhile answers undecodable.
    void check(const QList<ClipboardImageRef>& images, const QueueArrivals::Cancellation& cancellation,
               std::function<void(const Checks&)> then);

    // An image that does not join the queue, and why.
    static void logSkipped(qint64 changeCount, const QString& reason, const QString& type, QSize size);
    static void logSkipped(qint64 changeCount, const ClipboardImage& image, ClipboardImage::Check check);

private:
    ClipboardFileStorage& m_storage;
};

} // namespace sorvu
