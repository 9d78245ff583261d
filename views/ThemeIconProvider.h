// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QQuickImageProvider>

#include <optional>

namespace sorvu {

// Icons from the desktop's icon theme, with Sorvu's own drawings where the theme has none (or no theme is
// installed). Two kinds of address: the popup's symbols by name ("gearshape", "xmark.circle.fill",
// "checkmark", "arrow.counterclockwise.circle"), optionally followed by "/rrggbb", the colour to draw them in
// (only the theme's symbolic icons qualify, since they are recoloured); and file icons as
// "<icon name>/<generic icon name>" of the file's type. Made at exactly the pixel size the view asks for.
class ThemeIconProvider : public QQuickImageProvider {
public:
    enum class Kind { symbol, fileType };

    explicit ThemeIconProvider(Kind kind);

    QPixmap requestPixmap(const QString& id, QSize* size, const QSize& requestedSize) override;

    // The theme names tried for an address, in order, and the drawing used when the theme has none of them.
    static QStringList themeNames(Kind kind, const QString& id);
    static QString bundledIcon(Kind kind, const QString& id);
    // A symbol's address split into its name and its colour, when it has one.
    static QString symbolName(const QString& id);
    static std::optional<QColor> symbolColor(const QString& id);

private:
    Kind m_kind;
};

} // namespace sorvu
