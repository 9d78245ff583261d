// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/LocalFileUrl.h"

namespace sorvu {

QByteArray localPathBytes(const QUrl& url) {
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
}

QUrl localFileUrl(const QByteArray& path) {
    QUrl url;
    url.setScheme(QStringLiteral("file"));
    url.setPath(QString::fromLatin1(path.toPercentEncoding("/")), QUrl::TolerantMode);
    return url;
}

} // namespace sorvu
