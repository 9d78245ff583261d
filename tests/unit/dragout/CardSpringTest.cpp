// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dragout/CardSpring.h"

#include <gtest/gtest.h>

namespace sorvu {
namespace {

constexpr double tick = 1.0 / 120;

TEST(CardSpringTest, TheCardAppearsCentredOnTheDragStartAndHangsBesideThePointer) {
    const CardSpring spring = CardSpring::startingAt({500, 300}, {120, 28});
    EXPECT_EQ(spring.start, QPointF(440, 286));
    EXPECT_EQ(spring.origin, spring.start);
    EXPECT_EQ(spring.velocity, QPointF(0, 0));
    EXPECT_FALSE(spring.returning);

    // The lower left corner: 14 to the right of the pointer and 6 below it (screen y grows downwards).
    const QPointF target = CardSpring::targetFor({600, 400}, {120, 28});
    EXPECT_EQ(target, QPointF(614, 378));
    EXPECT_EQ(target + QPointF(0, 28), QPointF(600, 400) + QPointF(14, 6));
}

TEST(CardSpringTest, ForItsFirstTwelveHundredthsTheCardStandsLiftedTwelvePercentTowardsThePointer) {
    CardSpring spring = CardSpring::startingAt({500, 300}, {120, 28});
    spring.target = QPointF(640, 186);
    for (const double age : {0.0, 0.05, 0.119}) {
        const CardSpring next = spring.advanced(age, tick);
        EXPECT_NEAR(next.origin.x(), 440 + 200 * 0.12, 1e-9) << age;
        EXPECT_NEAR(next.origin.y(), 286 - 100 * 0.12, 1e-9) << age;
        EXPECT_EQ(next.velocity, QPointF(0, 0)) << "the peel leaves the velocity alone";
    }
    // From 0.12 s on the spring pulls.
    const CardSpring pulled = spring.advanced(0.12, tick);
    EXPECT_GT(pulled.velocity.x(), 0);
    EXPECT_LT(pulled.velocity.y(), 0);
}

TEST(CardSpringTest, OneSpringStepUpdatesTheVelocityFirstAndCapsTheStepAtOneThirtieth) {
    CardSpring spring = CardSpring::startingAt({0, 0}, {0, 0});
    spring.target = QPointF(100, -50);
    // v = 1/30 × (100 × 420) = 1400, then x = 1/30 × 1400; a 1 s stall moves no further than 1/30 s.
    for (const double step : {1.0 / 30, 1.0}) {
        const CardSpring next = spring.advanced(1, step);
        EXPECT_NEAR(next.velocity.x(), 1400, 1e-9) << step;
        EXPECT_NEAR(next.origin.x(), 1400.0 / 30, 1e-9) << step;
        EXPECT_NEAR(next.velocity.y(), -700, 1e-9) << step;
        EXPECT_NEAR(next.origin.y(), -700.0 / 30, 1e-9) << step;
    }
    // A second step brakes with the damping 2 × √420.
    spring.velocity = QPointF(10, 0);
    spring.origin = QPointF(100, -50);
    EXPECT_NEAR(spring.advanced(1, tick).velocity.x(), 10 - tick * 10 * 40.98780306383839, 1e-9);
}

TEST(CardSpringTest, CriticalDampingReachesThePointerWithoutOvershootAndAReturnGoesBackToTheStart) {
    CardSpring spring = CardSpring::startingAt({500, 300}, {120, 28});
    spring.target = CardSpring::targetFor({900, 100}, {120, 28});
    double age = 0;
    for (int i = 0; i < 240; ++i) {
        age += tick;
        spring = spring.advanced(age, tick);
        ASSERT_LE(spring.origin.x(), spring.target.x()) << "tick " << i;
        ASSERT_GE(spring.origin.y(), spring.target.y()) << "tick " << i;
    }
    EXPECT_NEAR(spring.origin.x(), spring.target.x(), 0.5);
    EXPECT_NEAR(spring.origin.y(), spring.target.y(), 0.5);

    // Refused: back to where it appeared, with no peel even early on, whatever the pointer does.
    spring.returning = true;
    const CardSpring first = spring.advanced(0.01, tick);
    EXPECT_LT(first.origin.x(), spring.origin.x());
    for (int i = 0; i < 240; ++i) {
        age += tick;
        spring = spring.advanced(age, tick);
        ASSERT_GE(spring.origin.x(), spring.start.x() - 1e-6) << "tick " << i;
    }
    EXPECT_NEAR(spring.origin.x(), spring.start.x(), 0.5);
    EXPECT_NEAR(spring.origin.y(), spring.start.y(), 0.5);
}

} // namespace
} // namespace sorvu
