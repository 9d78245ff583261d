// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TrayEntry.h"

#include "app/TrayIcon.h"
#include "engine/ClipboardQueue.h"
#include "engine/Log.h"
#include "engine/QueuePaster.h"
#include "platform/Platform.h"
#include "preferences/LanguagePreferenceStore.h"
#include "preferences/Localization.h"
#include "shortcuts/GlobalShortcuts.h"
#include "views/StatusNotices.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QSystemTrayIcon>

namespace sorvu {

namespace {

constexpr int trayPollMilliseconds = 1000;
constexpr int panelColorCheckDelaysMilliseconds[] = {300, 1500};
// How much of the panel around the icon tells its colour.
constexpr int panelRing = 3;

} // namespace

TrayEntry::TrayEntry(ClipboardQueue& queue, LanguagePreferenceStore& language, const ShortcutManager& shortcuts,
                     GlobalShortcuts* globalShortcuts, Platform& platform, QObject* parent)
    : QObject(parent), m_queue(queue), m_language(language), m_shortcuts(shortcuts), m_globalShortcuts(globalShortcuts),
      m_platform(platform) {
    QCoreApplication::instance()->installEventFilter(this);
}

TrayEntry::~TrayEntry() = default;

void TrayEntry::show() {
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        build();
        return;
    }
    if (!m_platform.trayMayAppearLater()) {
        // Reached through `sorvu --show`, a second start and the desktop's shortcuts instead.
        qCInfo(lcUi).noquote() << QStringLiteral("status item without a system tray");
        return;
    }
    // Started before the panel (at login, say): the icon appears once a tray does.
    qCInfo(lcUi).noquote() << QStringLiteral("status item waiting for a system tray");
    m_trayWait.setInterval(trayPollMilliseconds);
    connect(&m_trayWait, &QTimer::timeout, this, [this] {
        if (QSystemTrayIcon::isSystemTrayAvailable()) {
            m_trayWait.stop();
            build();
        }
    });
    m_trayWait.start();
}

void TrayEntry::hide() {
    m_trayWait.stop();
    if (m_systemTrayIcon) {
        m_systemTrayIcon->hide();
    }
}

QRect TrayEntry::geometry() const {
    return m_systemTrayIcon ? m_systemTrayIcon->geometry() : QRect();
}

void TrayEntry::build() {
    m_systemTrayIcon = std::make_unique<QSystemTrayIcon>();
    m_icon = std::make_unique<TrayIcon>(m_systemTrayIcon.get(), [this] { return m_reduceMotion.isOn(); });

    m_menu = std::make_unique<QMenu>();
    m_toggleAction = m_menu->addAction(QString(), [this] { m_queue.toggleCollecting(); });
    m_menu->addSeparator();
    m_quitAction = m_menu->addAction(QString(), [] { QApplication::quit(); });
    m_systemTrayIcon->setContextMenu(m_menu.get());
    connect(m_systemTrayIcon.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                // The second of two quick clicks comes as a double click, and is a click on the icon all the same.
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
                    emit clicked();
                }
            });
    m_systemTrayIcon->show();
    // The panel places the icon a moment after it is shown.
    for (const int delay : panelColorCheckDelaysMilliseconds) {
        QTimer::singleShot(delay, this, &TrayEntry::matchPanelColor);
    }

    connect(&m_queue, &ClipboardQueue::queueChanged, this, &TrayEntry::update);
    connect(&m_queue, &ClipboardQueue::isCollectingChanged, this, &TrayEntry::update);
    if (m_globalShortcuts) {
        connect(m_globalShortcuts, &GlobalShortcuts::takenActionsChanged, this, &TrayEntry::update);
    }
    update();
    connect(&m_queue.paster(), &QueuePaster::flashRequested, m_icon.get(), &TrayIcon::flash);
}

bool TrayEntry::eventFilter(QObject* watched, QEvent* event) {
    if (watched == QCoreApplication::instance() && m_icon) {
        // Sent whenever the application's translations change, whatever changed them.
        if (event->type() == QEvent::LanguageChange) {
            update();
        }
        // A panel that follows the desktop's theme changes its colours with the palette.
        if (event->type() == QEvent::ApplicationPaletteChange) {
            matchPanelColor();
        }
    }
    return QObject::eventFilter(watched, event);
}

void TrayEntry::update() {
    const qint64 count = m_queue.queue().count();
    matchPanelColor();
    const auto& code = m_language.preferredLanguageCode();
    m_icon->update(
        count, m_queue.isCollecting(), code,
        statusNotices(count, m_globalShortcuts, &m_shortcuts, catalogForLanguage(code), localeForLanguage(code)));
    retranslateMenu();
    qCDebug(lcUi).noquote()
        << QStringLiteral("status item image=%1 count=%2").arg(m_icon->currentImageName()).arg(count);
}

void TrayEntry::matchPanelColor() {
    // A tray does not say its text colour; what the panel shows around the icon does, where the session lets
    // Sorvu look. Elsewhere the panel is taken to follow the desktop's palette.
    const QRect icon = m_systemTrayIcon->geometry();
    const std::optional<QImage> picture =
        m_platform.panelAround(icon.isEmpty() ? QRect() : icon.adjusted(-panelRing, -panelRing, panelRing, panelRing));
    if (!picture) {
        m_icon->setIconColor(QGuiApplication::palette().color(QPalette::WindowText));
        return;
    }
    // Not placed yet: the checks after showing come back to it.
    if (picture->isNull()) {
        return;
    }
    // Only the ring: the icon's own pixels say nothing about the panel.
    QImage ring(picture->width(), 2 * panelRing, picture->format());
    QPainter painter(&ring);
    painter.drawImage(QPoint(0, 0), picture->copy(0, 0, picture->width(), panelRing));
    painter.drawImage(QPoint(0, panelRing),
                      picture->copy(0, picture->height() - panelRing, picture->width(), panelRing));
    painter.end();
    if (const auto color = TrayIcon::textColorOn(ring)) {
        m_icon->setIconColor(*color);
    }
}

void TrayEntry::retranslateMenu() {
    const auto& code = m_language.preferredLanguageCode();
    const TranslationCatalog catalog = catalogForLanguage(code);
    const QLocale locale = localeForLanguage(code);
    m_toggleAction->setText(m_queue.isCollecting()
                                ? localizedString(QT_TRANSLATE_NOOP("Sorvu", "Stop"), catalog, locale)
                                : localizedString(QT_TRANSLATE_NOOP("Sorvu", "Start"), catalog, locale));
    m_quitAction->setText(localizedString(QT_TRANSLATE_NOOP("Sorvu", "Quit"), catalog, locale));
}

} // namespace sorvu
