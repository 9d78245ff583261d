// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/ClipboardImage.h"

#include <QMetaType>
#include <QObject>
#include <QString>
#include <QUrl>

#include <variant>

namespace sorvu {

// What one queue entry holds: a text, an image, or a file the engine copied into its own storage.
class ClipboardItem {
    Q_GADGET

public:
    enum class Kind { text, image, file };
    Q_ENUM(Kind)

    struct File {
        QUrl url;                 // the engine's stored copy
        QString originalFilename; // the name shown to the user
    };

    ClipboardItem() : m_payload(QString()) {}
    static ClipboardItem makeText(QString text) { return ClipboardItem(Payload(std::move(text))); }
    static ClipboardItem makeImage(ClipboardImageRef image) { return ClipboardItem(Payload(std::move(image))); }
    static ClipboardItem makeFile(QUrl url, QString originalFilename) {
        return ClipboardItem(Payload(File{std::move(url), std::move(originalFilename)}));
    }

    Kind kind() const { return static_cast<Kind>(m_payload.index()); }
    bool isText() const { return kind() == Kind::text; }
    bool isImage() const { return kind() == Kind::image; }
    bool isFile() const { return kind() == Kind::file; }

    // Each accessor answers the empty value for the other kinds.
    QString text() const;
    ClipboardImageRef image() const;
    QUrl fileUrl() const;
    QString originalFilename() const;

    // Texts by value, images by identity, files by URL alone (the shown name does not count).
    friend bool operator==(const ClipboardItem& lhs, const ClipboardItem& rhs);

private:
    using Payload = std::variant<QString, ClipboardImageRef, File>;
    explicit ClipboardItem(Payload payload) : m_payload(std::move(payload)) {}

    Payload m_payload;
};

} // namespace sorvu

Q_DECLARE_METATYPE(sorvu::ClipboardItem)
