// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/TextStyles.h"

namespace sorvu {

TextStyles::TextStyles(const QFont& base, QObject* parent) : QObject(parent), m_base(base) {}

QFont TextStyles::headline() const {
    QFont font = scaled(1.0);
    font.setBold(true);
    return font;
}

QFont TextStyles::scaled(double factor) const {
    QFont font = m_base;
    // A font set in pixels has no point size.
    if (m_base.pointSizeF() > 0) {
        font.setPointSizeF(m_base.pointSizeF() * factor);
    } else {
        font.setPixelSize(qMax(1, qRound(m_base.pixelSize() * factor)));
    }
    return font;
}

} // namespace sorvu
