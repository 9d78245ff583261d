// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/CountLabel.h"

#include <QColor>
#include <QImage>
#include <QObject>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>
#include <optional>

class QSystemTrayIcon;

namespace sorvu {

// Sorvu's tray icon: one of three images for idle, queued and collecting, the rolling count painted into
// it, and a spoken description. Without a tray it still keeps its state; nothing is shown.
class TrayIcon : public QObject {
    Q_OBJECT

public:
    static constexpr double iconPoints = 18.0;
    static constexpr int iconPixels = 64;
    static constexpr int flashMilliseconds = 100;
    static constexpr double flashOpacity = 0.3;

    // The tray icon may be null (tests, or no tray); the status item then only keeps and renders state.
    TrayIcon(QSystemTrayIcon* trayIcon, CountLabel::ReduceMotion reduceMotion,
             CountLabel::Clock clock = CountLabel::monotonicClock(), QObject* parent = nullptr);
    ~TrayIcon() override;

    static QString imageName(qint64 count, bool isCollecting);
    static QString accessibleName(qint64 count, bool isCollecting, const std::optional<QString>& languageCode);
    // Where the count sits inside the icon, in points.
    static QRectF labelFrame();

    // The notices (what keeps Sorvu from working, in words) follow the state in the tooltip and the spoken name.
    void update(qint64 count, bool isCollecting, const std::optional<QString>& languageCode,
                const QStringList& notices = {});
    void flash();

    // The colour the artwork and the count are drawn in: the text colour of the panel the icon sits on.
    QColor iconColor() const { return m_iconColor; }
    void setIconColor(const QColor& color);
    // A text colour that stands out on the given surroundings of the icon (what the panel shows around
    // it): light on a dark panel, dark on a light one. Nothing when the picture holds no pixel.
    static std::optional<QColor> textColorOn(const QImage& surroundings);

    const QString& currentImageName() const { return m_imageName; }
    const QString& currentAccessibleName() const { return m_accessibleName; }
    bool isFlashing() const { return m_flashTimer != nullptr; }
    CountLabel& countLabel() { return m_countLabel; }

    QImage renderIcon(int pixels = iconPixels) const;

signals:
    void iconChanged();

private:
    void refreshIcon();

    QSystemTrayIcon* m_trayIcon;
    CountLabel m_countLabel;
    QString m_imageName;
    QString m_accessibleName;
    QColor m_iconColor;
    qint64 m_count = 0;
    bool m_wasVisible = false;
    std::unique_ptr<QTimer> m_flashTimer;
};

} // namespace sorvu
