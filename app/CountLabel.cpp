// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/CountLabel.h"

#include <QElapsedTimer>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPointer>

#include <algorithm>
#include <cmath>

namespace sorvu {

CountLabel::CountLabel(Clock clock, ReduceMotion reduceMotion, QObject* parent)
    : QObject(parent), m_textColor(QGuiApplication::palette().color(QPalette::WindowText)), m_clock(std::move(clock)),
      m_reduceMotion(std::move(reduceMotion)) {}

CountLabel::~CountLabel() = default;

CountLabel::Clock CountLabel::monotonicClock() {
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer] { return double(timer->nsecsElapsed()) / 1e9; };
}

void CountLabel::setTextColor(const QColor& color) {
    if (color == m_textColor) {
        return;
    }
    m_textColor = color;
    emit needsDisplay();
}

void CountLabel::setCount(qint64 count, bool animated) {
    const QString newText = count >= 1 ? QString::number(count) : QString();
    if (newText == m_text) {
        return;
    }
    const double now = m_clock();
    m_currentRollDuration = std::clamp((now - m_lastCountChangeAt) * rollShareOfInterval, shortestRoll, longestRoll);
    m_lastCountChangeAt = now;

    if (!animated || m_reduceMotion()) {
        finishRoll();
    } else {
        bool isNumber = false;
        const qint64 old = m_text.toLongLong(&isNumber);
        m_outgoingText = m_text;
        m_rollsUp = (isNumber ? old : 0) < count;
        m_rollStartedAt = now;
        m_rollProgress = 0;
        if (!m_rollTimer) {
            m_rollTimer = std::make_unique<QTimer>();
            m_rollTimer->setTimerType(Qt::PreciseTimer);
            m_rollTimer->setInterval(1000 / ticksPerSecond);
            connect(m_rollTimer.get(), &QTimer::timeout, [view = QPointer<CountLabel>(this)] {
                if (view) {
                    view->advanceRoll();
                }
            });
            m_rollTimer->start();
        }
    }
    m_text = newText;
    emit needsDisplay();
}

void CountLabel::finishRoll() {
    m_rollTimer.reset();
    m_outgoingText.reset();
    m_rollProgress = 1.0;
}

void CountLabel::advanceRoll() {
    m_rollProgress = std::min((m_clock() - m_rollStartedAt) / m_currentRollDuration, 1.0);
    if (m_rollProgress >= 1.0) {
        finishRoll();
    }
    emit needsDisplay();
}

void CountLabel::paint(QPainter& painter, const QRectF& bounds) const {
    painter.save();
    painter.setClipRect(bounds);
    if (m_outgoingText) {
        const double eased = 1.0 - std::pow(1.0 - m_rollProgress, 3.0);
        const double travel = m_rollsUp ? bounds.height() : -bounds.height();
        drawText(painter, bounds, *m_outgoingText, travel * eased, 1.0 - eased);
        drawText(painter, bounds, m_text, travel * (eased - 1.0), eased);
    } else {
        drawText(painter, bounds, m_text, 0, 1);
    }
    painter.restore();
}

void CountLabel::drawText(QPainter& painter, const QRectF& bounds, const QString& text, double offset,
                          double opacity) const {
    if (text.isEmpty() || opacity <= 0) {
        return;
    }
    QFont font = QGuiApplication::font();
    font.setWeight(QFont::Bold);
    // One bounds unit is one point: size the font in the same units.
    font.setPixelSize(int(std::lround(fontPointSize)));
    QColor color = m_textColor;
    color.setAlphaF(color.alphaF() * float(opacity));
    const QFontMetricsF metrics(font);
    const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
    // Positive offsets move upward on screen.
    const QPointF origin(bounds.x() + (bounds.width() - size.width()) * 0.5,
                         bounds.y() + (bounds.height() - size.height()) * 0.5 - offset);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(QRectF(origin, size), Qt::AlignCenter, text);
}

} // namespace sorvu
