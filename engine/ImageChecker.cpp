// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/ImageChecker.h"

#include "engine/ClipboardFileStorage.h"
#include "engine/EnumNames.h"
#include "engine/Log.h"

#include <QPointer>

#include <algorithm>
#include <memory>

namespace sorvu {

ImageChecker::ImageChecker(ClipboardFileStorage& storage) : m_storage(storage) {}

void ImageChecker::check(const QList<ClipboardImageRef>& images, const QueueArrivals::Cancellation& cancellation,
                         std::function<void(const Checks&)> then) {
    auto checks = std::make_shared<Checks>();
    m_storage.runInBackground(
        [images, checks, cancellation] {
            for (const ClipboardImageRef& image : images) {
                checks->append(image->check(cancellation.get()));
            }
        },
        [checker = QPointer<ImageChecker>(this), checks, then = std::move(then)] {
            if (checker) {
                then(*checks);
            }
        });
}

void ImageChecker::logSkipped(qint64 changeCount, const QString& reason, const QString& type, QSize size) {
    qCInfo(lcQueue).noquote() << QStringLiteral("image skipped as unreadable changeCount=%1 reason=%2 type=%3 width=%4 "
                                                "height=%5")
                                     .arg(changeCount)
                                     .arg(reason, type)
                                     .arg(std::max(size.width(), 0))
                                     .arg(std::max(size.height(), 0));
}

void ImageChecker::logSkipped(qint64 changeCount, const ClipboardImage& image, ClipboardImage::Check check) {
    logSkipped(changeCount, caseName(check), image.mimeType(), image.pixelSize());
}

} // namespace sorvu
