// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/PopupColors.h"

#include <QEvent>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>

namespace sorvu {

namespace {

// The warning's and the recording dot's own hues, before they are made readable on the background.
const QColor warningOrange(0xe0, 0x7b, 0x00);
const QColor recordingRed(0xe0, 0x1b, 0x24);
// How much of the text colour the secondary texts and the dividers keep, the rest being the background.
constexpr double secondaryWeight = 0.62;
constexpr double dividerWeight = 0.25;

QColor mixed(const QColor& from, const QColor& to, double weightOfTo) {
    const auto channel = [weightOfTo](double a, double b) { return a + (b - a) * weightOfTo; };
    return QColor::fromRgbF(float(channel(from.redF(), to.redF())), float(channel(from.greenF(), to.greenF())),
                            float(channel(from.blueF(), to.blueF())));
}

} // namespace

PopupColors::PopupColors(QObject* parent) : QObject(parent), m_palette(QGuiApplication::palette()) {
    qApp->installEventFilter(this);
}

PopupColors::PopupColors(const QPalette& palette, QObject* parent) : QObject(parent), m_palette(palette) {}

QColor PopupColors::text() const {
    return readableOnRows(m_palette.color(QPalette::Active, QPalette::WindowText));
}

QColor PopupColors::secondaryText() const {
    return readableOnRows(mixed(background(), text(), secondaryWeight));
}

QColor PopupColors::readableOnRows(const QColor& wanted) const {
    // Rows' texts stand on the background and on the selected row's tint alike.
    return readableOn(readableOn(wanted, background(), textContrast), selection(), textContrast);
}

QColor PopupColors::disabledText() const {
    return m_palette.color(QPalette::Disabled, QPalette::WindowText);
}

QColor PopupColors::warning() const {
    return readableOn(warningOrange, background(), textContrast);
}

QColor PopupColors::recording() const {
    return readableOn(recordingRed, background(), symbolContrast);
}

QColor PopupColors::idle() const {
    return secondaryText();
}

QColor PopupColors::focusRing() const {
    return readableOn(m_palette.color(QPalette::Active, QPalette::Highlight), background(), symbolContrast);
}

QColor PopupColors::selection() const {
    return mixed(background(), m_palette.color(QPalette::Active, QPalette::Highlight), selectionStrength);
}

QColor PopupColors::divider() const {
    return mixed(background(), text(), dividerWeight);
}

QString PopupColors::symbolSource(const QString& address, bool enabled) const {
    const QColor color = enabled ? text() : disabledText();
    return QStringLiteral("%1/%2").arg(address, color.name(QColor::HexRgb).mid(1));
}

double PopupColors::relativeLuminance(const QColor& color) {
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = color.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

double PopupColors::contrastRatio(const QColor& first, const QColor& second) {
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor PopupColors::readableOn(const QColor& wanted, const QColor& background, double ratio) {
    if (contrastRatio(wanted, background) >= ratio) {
        return wanted;
    }
    // Black and white are the two ends; the one with more contrast to the background is where to go.
    const QColor end =
        contrastRatio(Qt::black, background) >= contrastRatio(Qt::white, background) ? Qt::black : Qt::white;
    constexpr int steps = 40;
    for (int step = 1; step <= steps; ++step) {
        const QColor candidate = mixed(wanted, end, double(step) / steps);
        if (contrastRatio(candidate, background) >= ratio) {
            return candidate;
        }
    }
    return end;
}

bool PopupColors::eventFilter(QObject* watched, QEvent* event) {
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange) {
        m_palette = QGuiApplication::palette();
        emit changed();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace sorvu
