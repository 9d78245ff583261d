// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessible>
#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace sorvu {

// Whether a screen reader is reading Sorvu's windows; rows then show their delete buttons all the time.
class ScreenReader : public QObject, public QAccessible::ActivationObserver {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the popup")
    Q_PROPERTY(bool isActive READ isActive NOTIFY isActiveChanged)

public:
    explicit ScreenReader(QObject* parent = nullptr);
    ~ScreenReader() override;

    bool isActive() const { return m_isActive; }

signals:
    void isActiveChanged();

private:
    void accessibilityActiveChanged(bool active) override;

    bool m_isActive;
};

} // namespace sorvu
