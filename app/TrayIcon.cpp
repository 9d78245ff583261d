// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TrayIcon.h"

#include "preferences/Localization.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPointer>
#include <QSvgRenderer>
#include <QSystemTrayIcon>
#include <QWidget>

namespace sorvu {

namespace {

constexpr qint64 redCount = 99;

// The images go by the names the log has always shown; the files are named for what they show.
QString imageFile(const QString& name) {
    if (name == QStringLiteral("menuBarIconFrameActiveRec")) {
        return QStringLiteral(":/icons/tray-collecting.svg");
    }
    if (name == QStringLiteral("menuBarIconFrame")) {
        return QStringLiteral(":/icons/tray-collecting-empty.svg");
    }
    return QStringLiteral(":/icons/tray-idle.svg");
}

// The artwork is black on transparent; it takes the colour of the text around it.
QImage tintedImage(const QString& name, int pixels, const QColor& color) {
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(imageFile(name));
    if (!renderer.isValid()) {
        return image;
    }
    QPainter painter(&image);
    renderer.render(&painter);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), color);
    return image;
}

// Qt gives a tray icon a tooltip but no accessible name. Over XEmbed the panel embeds a top-level widget of
// Qt's own, found by its object name: its title (WM_NAME) and its accessible name are what panels and screen
// readers read there. A StatusNotifierItem host reads the tooltip.
void nameEmbeddedTrayWindow(const QString& name) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("QSystemTrayIconSys")) {
            widget->setWindowTitle(name);
            widget->setAccessibleName(name);
        }
    }
}

} // namespace

TrayIcon::TrayIcon(QSystemTrayIcon* trayIcon, CountLabel::ReduceMotion reduceMotion, CountLabel::Clock clock,
                   QObject* parent)
    : QObject(parent), m_trayIcon(trayIcon), m_countLabel(std::move(clock), std::move(reduceMotion)),
      m_imageName(imageName(0, false)), m_iconColor(QGuiApplication::palette().color(QPalette::WindowText)) {
    connect(&m_countLabel, &CountLabel::needsDisplay, this, &TrayIcon::refreshIcon);
    refreshIcon();
}

TrayIcon::~TrayIcon() = default;

QString TrayIcon::imageName(qint64 count, bool isCollecting) {
    if (isCollecting) {
        return QStringLiteral("menuBarIconFrameActiveRec");
    }
    return count > 0 ? QStringLiteral("menuBarIconFrame") : QStringLiteral("menuBarIcon");
}

QString TrayIcon::accessibleName(qint64 count, bool isCollecting, const std::optional<QString>& languageCode) {
    const TranslationCatalog catalog = catalogForLanguage(languageCode);
    const QLocale locale = localeForLanguage(languageCode);
    if (isCollecting) {
        return localizedString(QT_TRANSLATE_N_NOOP("Sorvu", "Sorvu, recording, %lld items in queue"), catalog, locale,
                               {count});
    }
    if (count > 0) {
        return localizedString(QT_TRANSLATE_N_NOOP("Sorvu", "Sorvu, %lld items queued, not recording"), catalog, locale,
                               {count});
    }
    return localizedString(QT_TRANSLATE_NOOP("Sorvu", "Sorvu, idle"), catalog, locale);
}

QRectF TrayIcon::labelFrame() {
    constexpr double width = 16;
    constexpr double height = 11;
    // 1.5 points below the centre; y grows downward here.
    return QRectF((iconPoints - width) * 0.5, (iconPoints - height) * 0.5 + 1.5, width, height);
}

void TrayIcon::update(qint64 count, bool isCollecting, const std::optional<QString>& languageCode,
                      const QStringList& notices) {
    m_imageName = imageName(count, isCollecting);
    const bool visible = count > 0 || isCollecting;
    m_countLabel.setCount(count, visible && m_wasVisible);
    m_wasVisible = visible;
    m_count = count;
    m_countLabel.setTextColor(count >= redCount ? QColor(Qt::red) : m_iconColor);
    m_accessibleName = (QStringList{accessibleName(count, isCollecting, languageCode)} + notices).join(u'\n');
    if (m_trayIcon) {
        m_trayIcon->setToolTip(m_accessibleName);
        nameEmbeddedTrayWindow(m_accessibleName);
    }
    refreshIcon();
}

void TrayIcon::setIconColor(const QColor& color) {
    if (color == m_iconColor) {
        return;
    }
    m_iconColor = color;
    if (m_count < redCount) {
        m_countLabel.setTextColor(color);
    }
    refreshIcon();
}

std::optional<QColor> TrayIcon::textColorOn(const QImage& surroundings) {
    if (surroundings.isNull()) {
        return std::nullopt;
    }
    double luminance = 0;
    for (int y = 0; y < surroundings.height(); ++y) {
        for (int x = 0; x < surroundings.width(); ++x) {
            const QColor pixel = surroundings.pixelColor(x, y);
            luminance += 0.2126 * pixel.redF() + 0.7152 * pixel.greenF() + 0.0722 * pixel.blueF();
        }
    }
    luminance /= double(surroundings.width()) * surroundings.height();
    return luminance < 0.5 ? QColor(0xf2, 0xf2, 0xf2) : QColor(0x1e, 0x1e, 0x1e);
}

void TrayIcon::flash() {
    m_flashTimer = std::make_unique<QTimer>();
    m_flashTimer->setSingleShot(true);
    connect(m_flashTimer.get(), &QTimer::timeout, [item = QPointer<TrayIcon>(this)] {
        if (item) {
            item->m_flashTimer.release()->deleteLater();
            item->refreshIcon();
        }
    });
    m_flashTimer->start(flashMilliseconds);
    refreshIcon();
}

QImage TrayIcon::renderIcon(int pixels) const {
    QImage icon(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (isFlashing()) {
        painter.setOpacity(flashOpacity);
    }
    painter.drawImage(QPointF(0, 0), tintedImage(m_imageName, pixels, m_iconColor));
    painter.scale(pixels / iconPoints, pixels / iconPoints);
    m_countLabel.paint(painter, labelFrame());
    return icon;
}

void TrayIcon::refreshIcon() {
    if (m_trayIcon) {
        m_trayIcon->setIcon(QIcon(QPixmap::fromImage(renderIcon())));
    }
    emit iconChanged();
}

} // namespace sorvu
