// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QUrl>

#include <optional>

namespace sorvu::clipboardtypes {

// Which of the types a copy offers Sorvu reads, and how it reads them. The types are the desktop's MIME
// names; programs bridged from X11 also offer the X11 names of text (UTF8_STRING).

// The type whose value tells that a password manager copied the content.
inline const QByteArray passwordManagerHintType = QByteArrayLiteral("x-kde-passwordManagerHint");
inline const QByteArray uriListType = QByteArrayLiteral("text/uri-list");
inline const QByteArray gnomeFilesType = QByteArrayLiteral("x-special/gnome-copied-files");
// The text types, explicit UTF-8 first.
inline const QList<QByteArray> textTypesByPreference = {"text/plain;charset=utf-8", "UTF8_STRING", "text/plain"};

// The file-list types offered, in the order they are tried: text/uri-list, then GNOME's copied files.
QList<QByteArray> fileListTypes(const QList<QByteArray>& offered);
// The image types Sorvu keeps that are offered: PNG first, which loses nothing and is the one a desktop keeps of a
// copy whose program quit (GNOME does), then the others in the order offered. The first that decodes wins.
QList<QByteArray> imageTypes(const QList<QByteArray>& offered);
// The text type to read, by Sorvu's preference (explicit UTF-8 first); nothing when no text is offered.
std::optional<QByteArray> textType(const QList<QByteArray>& offered);
bool isImageType(const QByteArray& type);

// The local files a file list names, the copy-or-cut line of GNOME's type skipped; nothing when any entry is
// not a local file (a web address), so that such a list is read as text instead.
std::optional<QList<QUrl>> localFilesFromList(const QByteArray& type, const QByteArray& bytes);

} // namespace sorvu::clipboardtypes
