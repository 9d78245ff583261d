// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dragout/CardSpring.h"

#include <algorithm>

namespace sorvu {

namespace {

// The velocity first, then the position with the new velocity: semi-implicit Euler stays stable at the
// capped step.
void springAxis(double& position, double& velocity, double goal, double step) {
    velocity += step * ((goal - position) * CardSpring::stiffness - velocity * CardSpring::damping);
    position += step * velocity;
}

} // namespace

CardSpring CardSpring::startingAt(QPointF dragStart, QSizeF cardSize) {
    CardSpring spring;
    spring.start = dragStart - QPointF(cardSize.width() * 0.5, cardSize.height() * 0.5);
    spring.origin = spring.start;
    spring.target = spring.start;
    return spring;
}

QPointF CardSpring::targetFor(QPointF pointer, QSizeF cardSize) {
    return pointer + pointerOffset - QPointF(0, cardSize.height());
}

CardSpring CardSpring::advanced(double age, double step) const {
    CardSpring next = *this;
    if (!returning && age < peelSeconds) {
        next.origin = start + (target - start) * peelFraction;
        return next;
    }
    const QPointF goal = returning ? start : target;
    const double capped = std::min(step, maximumStep);
    springAxis(next.origin.rx(), next.velocity.rx(), goal.x(), capped);
    springAxis(next.origin.ry(), next.velocity.ry(), goal.y(), capped);
    return next;
}

} // namespace sorvu
