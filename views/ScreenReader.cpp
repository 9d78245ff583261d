// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/ScreenReader.h"

namespace sorvu {

ScreenReader::ScreenReader(QObject* parent) : QObject(parent), m_isActive(QAccessible::isActive()) {
    QAccessible::installActivationObserver(this);
}

ScreenReader::~ScreenReader() {
    QAccessible::removeActivationObserver(this);
}

void ScreenReader::accessibilityActiveChanged(bool active) {
    if (m_isActive != active) {
        m_isActive = active;
        emit isActiveChanged();
    }
}

} // namespace sorvu
