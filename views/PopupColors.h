// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QObject>
#include <QPalette>
#include <QtQml/qqmlregistration.h>

namespace sorvu {

// The popup's colours, taken from the desktop's palette and corrected where a theme gives too little
// contrast: every text reads at 4.5:1 or better against the background (WCAG's level AA), symbols and the
// focus ring at 3:1 or better (WCAG's rule for non-text), in light and dark themes alike. Symbols are drawn
// in the text colour. Follows the palette when the desktop changes it.
class PopupColors : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the popup")
    Q_PROPERTY(QColor background READ background NOTIFY changed)
    Q_PROPERTY(QColor text READ text NOTIFY changed)
    Q_PROPERTY(QColor secondaryText READ secondaryText NOTIFY changed)
    Q_PROPERTY(QColor disabledText READ disabledText NOTIFY changed)
    Q_PROPERTY(QColor warning READ warning NOTIFY changed)
    Q_PROPERTY(QColor recording READ recording NOTIFY changed)
    Q_PROPERTY(QColor idle READ idle NOTIFY changed)
    Q_PROPERTY(QColor focusRing READ focusRing NOTIFY changed)
    Q_PROPERTY(QColor selection READ selection NOTIFY changed)
    Q_PROPERTY(QColor divider READ divider NOTIFY changed)

public:
    static constexpr double textContrast = 4.5;
    static constexpr double symbolContrast = 3.0;
    // How strongly the selected row is tinted with the palette's highlight.
    static constexpr double selectionStrength = 0.22;

    // Follows the application's palette.
    explicit PopupColors(QObject* parent = nullptr);
    // A fixed palette (tests).
    explicit PopupColors(const QPalette& palette, QObject* parent = nullptr);

    QColor background() const { return m_palette.color(QPalette::Active, QPalette::Window); }
    QColor text() const;
    QColor secondaryText() const;
    // Greyed controls, which need not stand out.
    QColor disabledText() const;
    QColor warning() const;
    // The dot beside "Recording" and beside "Stopped".
    QColor recording() const;
    QColor idle() const;
    QColor focusRing() const;
    // The keyboard's selected row, under text in the text colour.
    QColor selection() const;
    QColor divider() const;

    // The symbol's address ("image://sorvu-symbol/gearshape") with the colour for its state.
    Q_INVOKABLE QString symbolSource(const QString& address, bool enabled = true) const;

    // WCAG 2's relative luminance and contrast ratio (1 to 21).
    static double relativeLuminance(const QColor& color);
    static double contrastRatio(const QColor& first, const QColor& second);
    // The colour itself when it reaches the ratio against the background, else the nearest shade of it
    // (towards black on a light background, towards white on a dark one) that does.
    static QColor readableOn(const QColor& wanted, const QColor& background, double ratio);

signals:
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QColor readableOnRows(const QColor& wanted) const;

    QPalette m_palette;
};

} // namespace sorvu
