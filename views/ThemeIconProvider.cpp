// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/ThemeIconProvider.h"

#include <QHash>
#include <QIcon>

namespace sorvu {

namespace {

constexpr int defaultPixels = 32;

struct Symbol {
    QStringList themeNames;
    QString bundled;
};

const QHash<QString, Symbol>& symbols() {
    static const QHash<QString, Symbol> table = {
        {QStringLiteral("gearshape"),
         {{QStringLiteral("emblem-system-symbolic"), QStringLiteral("preferences-system")},
          QStringLiteral(":/icons/symbols/gearshape.svg")}},
        {QStringLiteral("xmark.circle.fill"),
         {{QStringLiteral("window-close-symbolic"), QStringLiteral("window-close")},
          QStringLiteral(":/icons/symbols/xmark.circle.fill.svg")}},
        {QStringLiteral("checkmark"),
         {{QStringLiteral("object-select-symbolic"), QStringLiteral("dialog-ok")},
          QStringLiteral(":/icons/symbols/checkmark.svg")}},
        {QStringLiteral("arrow.counterclockwise.circle"),
         {{QStringLiteral("edit-undo-symbolic"), QStringLiteral("edit-undo")},
          QStringLiteral(":/icons/symbols/arrow.counterclockwise.circle.svg")}},
    };
    return table;
}

} // namespace

ThemeIconProvider::ThemeIconProvider(Kind kind) : QQuickImageProvider(QQuickImageProvider::Pixmap), m_kind(kind) {}

QStringList ThemeIconProvider::themeNames(Kind kind, const QString& id) {
    if (kind == Kind::symbol) {
        return symbols().value(id).themeNames;
    }
    return id.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

QString ThemeIconProvider::bundledIcon(Kind kind, const QString& id) {
    if (kind == Kind::symbol) {
        return symbols().value(id).bundled;
    }
    return id.startsWith(QLatin1String("inode-directory")) || id.startsWith(QLatin1String("folder"))
               ? QStringLiteral(":/icons/symbols/folder.svg")
               : QStringLiteral(":/icons/symbols/document.svg");
}

QPixmap ThemeIconProvider::requestPixmap(const QString& id, QSize* size, const QSize& requestedSize) {
    const QSize pixels =
        requestedSize.isValid() && !requestedSize.isEmpty() ? requestedSize : QSize(defaultPixels, defaultPixels);
    QIcon icon;
    for (const QString& name : themeNames(m_kind, id)) {
        if (QIcon::hasThemeIcon(name)) {
            icon = QIcon::fromTheme(name);
            break;
        }
    }
    if (icon.isNull()) {
        icon = QIcon(bundledIcon(m_kind, id));
    }
    const QPixmap pixmap = icon.pixmap(pixels);
    *size = pixmap.size();
    return pixmap;
}

} // namespace sorvu
