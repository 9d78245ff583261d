// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace sorvu {

// The popup's text styles, each a size relative to the desktop's interface font, so that the popup
// follows the user's font settings. The width of the popup is measured with the same fonts that draw it.
class TextStyles : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the shell")
    Q_PROPERTY(QFont headline READ headline CONSTANT)
    Q_PROPERTY(QFont subheadline READ subheadline CONSTANT)
    Q_PROPERTY(QFont body READ body CONSTANT)
    Q_PROPERTY(QFont callout READ callout CONSTANT)
    Q_PROPERTY(QFont caption READ caption CONSTANT)
    Q_PROPERTY(QFont caption2 READ caption2 CONSTANT)

public:
    // Styles derived from the given interface font.
    explicit TextStyles(const QFont& base, QObject* parent = nullptr);

    QFont headline() const;
    QFont subheadline() const { return scaled(0.92); }
    QFont body() const { return scaled(1.0); }
    QFont callout() const { return scaled(0.95); }
    QFont caption() const { return scaled(0.85); }
    QFont caption2() const { return scaled(0.8); }

private:
    QFont scaled(double factor) const;

    QFont m_base;
};

} // namespace sorvu
