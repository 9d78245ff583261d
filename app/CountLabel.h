// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QObject>
#include <QRectF>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class QPainter;

namespace sorvu {

// The queue count drawn over the tray icon. A change rolls the old number out and the new one in, like a
// mechanical counter; quick successive changes roll faster.
class CountLabel : public QObject {
    Q_OBJECT

public:
    // Seconds on a monotonic clock.
    using Clock = std::function<double()>;
    using ReduceMotion = std::function<bool()>;

    static constexpr double longestRoll = 0.22;
    static constexpr double shortestRoll = 0.08;
    static constexpr double rollShareOfInterval = 0.8;
    static constexpr int ticksPerSecond = 120;
    static constexpr double fontPointSize = 9.0;

    explicit CountLabel(
        Clock clock = monotonicClock(), ReduceMotion reduceMotion = [] { return false; }, QObject* parent = nullptr);
    ~CountLabel() override;

    static Clock monotonicClock();

    const QString& text() const { return m_text; }
    QColor textColor() const { return m_textColor; }
    void setTextColor(const QColor& color);
    double lastCountChangeAt() const { return m_lastCountChangeAt; }
    double currentRollDuration() const { return m_currentRollDuration; }
    const std::optional<QString>& outgoingText() const { return m_outgoingText; }
    bool rollsUp() const { return m_rollsUp; }
    double rollStartedAt() const { return m_rollStartedAt; }
    double rollProgress() const { return m_rollProgress; }
    bool isRolling() const { return m_rollTimer != nullptr; }

    void setCount(qint64 count, bool animated);
    void finishRoll();
    // One step of the roll; the roll timer calls it.
    void advanceRoll();

    // Draws the label into bounds, in a painter whose y axis points down. One bounds unit is one point.
    void paint(QPainter& painter, const QRectF& bounds) const;

signals:
    void needsDisplay();

private:
    void drawText(QPainter& painter, const QRectF& bounds, const QString& text, double offset, double opacity) const;

    QString m_text;
    QColor m_textColor;
    double m_lastCountChangeAt = 0;
    double m_currentRollDuration = longestRoll;
    std::optional<QString> m_outgoingText;
    bool m_rollsUp = true;
    double m_rollStartedAt = 0;
    double m_rollProgress = 1.0;
    std::unique_ptr<QTimer> m_rollTimer;

    Clock m_clock;
    ReduceMotion m_reduceMotion;
};

} // namespace sorvu
