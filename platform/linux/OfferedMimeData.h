// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/ClipboardItem.h"

#include <QMimeData>

#include <functional>

namespace sorvu {

// What the program offers on the clipboard, or in a drag, for one item. It reports every fetch of a type by another
// program (Qt asks it for the bytes only when a program requests them), and converts an image to PNG
// only when someone asks for PNG.
class OfferedMimeData : public QMimeData {
    Q_OBJECT

public:
    using FetchObserver = std::function<void(const QString& mimeType)>;

    OfferedMimeData(const ClipboardItem& item, FetchObserver observer);

    QStringList formats() const override;
    bool hasFormat(const QString& mimeType) const override;

    // The bytes for our own reads, which are no fetch by another program; UTF8_STRING is the text.
    QByteArray localData(const QString& mimeType) const;

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    void setPlainText(const QString& text);

    ClipboardImageRef m_image;
    FetchObserver m_observer;
    bool m_convertsToPng = false;
    mutable bool m_readingLocally = false;
};

} // namespace sorvu
