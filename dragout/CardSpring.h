// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPointF>
#include <QSizeF>

namespace sorvu {

// Where the drag card is and where it is pulled, in screen coordinates (y grows downwards), and how one tick
// moves it. The card first stands lifted a little towards the pointer, then follows it on a critically
// damped spring, or springs back to where it appeared once the drag was refused.
struct CardSpring {
    static constexpr double peelSeconds = 0.12;
    static constexpr double peelFraction = 0.12;
    static constexpr double stiffness = 420;
    // 2 × √420: critically damped, so the card never overshoots the pointer.
    static constexpr double damping = 40.98780306383839;
    // A stalled main thread must not make the card jump.
    static constexpr double maximumStep = 1.0 / 30;
    // The card's lower left corner sits this far right of and below the pointer.
    static constexpr QPointF pointerOffset{14, 6};

    QPointF start;
    QPointF origin;
    QPointF velocity;
    QPointF target;
    bool returning = false;

    // A card of this size centred on the point where the drag began, at rest.
    static CardSpring startingAt(QPointF dragStart, QSizeF cardSize);
    // The top left corner that puts the card's lower left corner beside the pointer.
    static QPointF targetFor(QPointF pointer, QSizeF cardSize);

    // The state one tick later: age is the time since the card appeared, step the time since the previous
    // tick, both in seconds.
    [[nodiscard]] CardSpring advanced(double age, double step) const;
};

} // namespace sorvu
