// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QUrl>

namespace sorvu {

// File names on Linux are bytes, not text: a name that is not valid UTF-8 (a Latin-1 "café") would come
// out of QUrl::toLocalFile() changed. These keep the bytes through the URL's percent-encoding.

// The path of a local file URL as the bytes the system knows it by.
QByteArray localPathBytes(const QUrl& url);
// A file URL for the path, each byte kept.
QUrl localFileUrl(const QByteArray& path);

} // namespace sorvu
