// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/PopupMemory.h"

#include <QFile>
#include <QPixmapCache>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QRegularExpression>

#include <malloc.h>
#include <sys/mman.h>

namespace sorvu {

namespace {

// Hands the pages of Qt Quick's libraries back to the system's file cache: only the popup uses them, and the
// next opening maps them again from the cache without reading the disk. Only read-only mappings that hold no
// private copy of a page qualify: everything in them is the file's own content, so dropping it loses nothing.
void releaseQuickLibraryPages() {
    QFile smaps(QStringLiteral("/proc/self/smaps"));
    if (!smaps.open(QIODevice::ReadOnly)) {
        return;
    }
    static const QRegularExpression quickLibrary(QStringLiteral(
        "^([0-9a-f]+)-([0-9a-f]+) r-[-x]p \\S+ \\S+ \\S+\\s+\\S*/lib(Qt6Q(uick|ml)\\w*|qtquick\\w*plugin|"
        "\\w*qml\\w*plugin)[^/]*\\.so"));
    // The mapping whose fields follow, when it is one of those libraries; its "Anonymous" field decides.
    quintptr start = 0;
    quintptr end = 0;
    for (const QByteArray& line : smaps.readAll().split('\n')) {
        if (line.startsWith("Anonymous:") && end > start) {
            if (line.simplified() == "Anonymous: 0 kB") {
                madvise(reinterpret_cast<void*>(start), end - start, MADV_DONTNEED);
            }
            start = end = 0;
            continue;
        }
        const QRegularExpressionMatch match = quickLibrary.match(QString::fromLatin1(line));
        if (match.hasMatch()) {
            start = match.captured(1).toULongLong(nullptr, 16);
            end = match.captured(2).toULongLong(nullptr, 16);
        }
    }
}

} // namespace

void releaseMemoryOfClosedPopup(QQmlEngine& engine, QQuickWindow& window) {
    engine.collectGarbage();
    engine.trimComponentCache();
    window.releaseResources();
    QPixmapCache::clear();
    malloc_trim(0);
    releaseQuickLibraryPages();
}

} // namespace sorvu
