// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/ClipboardCollector.h"
#include "engine/QueuedClipboardItem.h"

#include <QList>

namespace sorvu {

// What one copy's files came to once their copies, and the images read for the files that could not be
// copied, are complete.
struct CollectedFiles {
    qint64 changeCount = 0;
    // In the order the files were copied: a stored copy, or the image in its place.
    QList<QueuedClipboardItem> entries;
    // Every file that was gone has an entry; otherwise the clipboard is read again.
    bool complete = true;
    // More files than the queue had room for: the user hears of it with the other problems.
    bool beyondCapacity = false;
    // What the user is to be told, each once.
    QList<ClipboardCollector::CopyProblem> problems;
};

} // namespace sorvu
