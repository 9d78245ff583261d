// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/ThemeIconProvider.h"

#include <QHash>
#include <QIcon>
#include <QPainter>

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
         {{QStringLiteral("emblem-system-symbolic")}, QStringLiteral(":/icons/symbols/gearshape.svg")}},
        {QStringLiteral("xmark.circle.fill"),
         {{QStringLiteral("window-close-symbolic")}, QStringLiteral(":/icons/symbols/xmark.circle.fill.svg")}},
        {QStringLiteral("checkmark"),
         {{QStringLiteral("object-select-symbolic")}, QStringLiteral(":/icons/symbols/checkmark.svg")}},
        {QStringLiteral("arrow.counterclockwise.circle"),
         {{QStringLiteral("edit-undo-symbolic")}, QStringLiteral(":/icons/symbols/arrow.counterclockwise.circle.svg")}},
    };
    return table;
}

} // namespace

ThemeIconProvider::ThemeIconProvider(Kind kind) : QQuickImageProvider(QQuickImageProvider::Pixmap), m_kind(kind) {}

QStringList ThemeIconProvider::themeNames(Kind kind, const QString& id) {
    if (kind == Kind::symbol) {
        return symbols().value(symbolName(id)).themeNames;
    }
    return id.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

QString ThemeIconProvider::bundledIcon(Kind kind, const QString& id) {
    if (kind == Kind::symbol) {
        return symbols().value(symbolName(id)).bundled;
    }
    return id.startsWith(QLatin1String("inode-directory")) || id.startsWith(QLatin1String("folder"))
               ? QStringLiteral(":/icons/symbols/folder.svg")
               : QStringLiteral(":/icons/symbols/document.svg");
}

QString ThemeIconProvider::symbolName(const QString& id) {
    return id.section(QLatin1Char('/'), 0, 0);
}

std::optional<QColor> ThemeIconProvider::symbolColor(const QString& id) {
    const QString hex = id.section(QLatin1Char('/'), 1, 1);
    const QColor color(QLatin1Char('#') + hex);
    if (hex.size() != 6 || !color.isValid()) {
        return std::nullopt;
    }
    return color;
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
    // Exactly the pixels asked for: the view has already multiplied its size by the screen's scale, and a
    // pixmap made for the scale once more would be drawn twice as large.
    QPixmap pixmap = icon.pixmap(pixels, 1.0);
    pixmap.setDevicePixelRatio(1.0);
    // Symbols take the colour of the text around them, whatever colour their drawing has.
    if (const std::optional<QColor> color = m_kind == Kind::symbol ? symbolColor(id) : std::nullopt) {
        QPainter painter(&pixmap);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(pixmap.rect(), *color);
    }
    *size = pixmap.size();
    return pixmap;
}

} // namespace sorvu
