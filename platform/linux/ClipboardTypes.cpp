// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/ClipboardTypes.h"

#include "engine/LocalFileUrl.h"

namespace sorvu::clipboardtypes {

namespace {

const QByteArray pngType = "image/png";
const QList<QByteArray> keptImageTypes = {pngType, "image/jpeg", "image/gif", "image/bmp", "image/webp", "image/tiff"};

} // namespace

QList<QByteArray> fileListTypes(const QList<QByteArray>& offered) {
    QList<QByteArray> types;
    for (const QByteArray& type : {uriListType, gnomeFilesType}) {
        if (offered.contains(type)) {
            types.append(type);
        }
    }
    return types;
}

bool isImageType(const QByteArray& type) {
    return keptImageTypes.contains(type);
}

QList<QByteArray> imageTypes(const QList<QByteArray>& offered) {
    QList<QByteArray> types;
    if (offered.contains(pngType)) {
        types.append(pngType);
    }
    for (const QByteArray& type : offered) {
        if (isImageType(type) && !types.contains(type)) {
            types.append(type);
        }
    }
    return types;
}

std::optional<QByteArray> textType(const QList<QByteArray>& offered) {
    for (const QByteArray& type : textTypesByPreference) {
        if (offered.contains(type)) {
            return type;
        }
    }
    return std::nullopt;
}

std::optional<QList<QUrl>> localFilesFromList(const QByteArray& type, const QByteArray& bytes) {
    QList<QByteArray> lines = bytes.split('\n');
    // GNOME's list starts with whether the files were copied or cut; some programs leave that line out.
    if (type == gnomeFilesType && !lines.isEmpty() &&
        (lines.first().trimmed() == "copy" || lines.first().trimmed() == "cut")) {
        lines.removeFirst();
    }
    QList<QUrl> urls;
    for (const QByteArray& rawLine : lines) {
        const QByteArray line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith('#')) {
            continue;
        }
        // Spaces are not always encoded; the tolerant parse takes them as they are.
        const QUrl url = QUrl::fromEncoded(line, QUrl::TolerantMode);
        const bool localHost = url.host().isEmpty() || url.host() == QStringLiteral("localhost");
        if (!url.isValid() || !url.isLocalFile() || !localHost) {
            return std::nullopt;
        }
        // From the path's bytes, so that a name that is not UTF-8 keeps them.
        urls.append(localFileUrl(localPathBytes(url)));
    }
    return urls;
}

} // namespace sorvu::clipboardtypes
