// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QQuickImageProvider>

namespace sorvu {

// Icons from the desktop's icon theme, with Sorvu's own drawings where the theme has none (or no theme is
// installed). Two kinds of address: the popup's symbols by name ("gearshape", "xmark.circle.fill",
// "checkmark", "arrow.counterclockwise.circle"), and file icons as "<icon name>/<generic icon name>" of the
// file's type.
class ThemeIconProvider : public QQuickImageProvider {
public:
    enum class Kind { symbol, fileType };

    explicit ThemeIconProvider(Kind kind);

    QPixmap requestPixmap(const QString& id, QSize* size, const QSize& requestedSize) override;

    // The theme names tried for an address, in order, and the drawing used when the theme has none of them.
    static QStringList themeNames(Kind kind, const QString& id);
    static QString bundledIcon(Kind kind, const QString& id);

private:
    Kind m_kind;
};

} // namespace sorvu
