// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/PopupRootModel.h"

#include "engine/ClipboardQueue.h"
#include "shortcuts/GlobalShortcuts.h"
#include "shortcuts/ShortcutManager.h"
#include "views/StatusNotices.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace sorvu {

PopupRootModel::PopupRootModel(ClipboardQueue& queue, LanguagePreferenceStore& languageStore,
                               const QFont& interfaceFont, double minimumQueueListHeight,
                               QueueScreenModel::Actions actions, SettingsScreenModel::Dependencies settings,
                               QObject* parent)
    : QObject(parent), m_queue(queue), m_languageStore(languageStore), m_language(languageStore),
      m_styles(interfaceFont), m_minimumQueueListHeight(minimumQueueListHeight), m_actions(std::move(actions)),
      m_settings(std::move(settings)) {
    connect(&m_queue, &ClipboardQueue::queueChanged, this, &PopupRootModel::statusChanged);
    connect(&m_queue, &ClipboardQueue::isCollectingChanged, this, &PopupRootModel::statusChanged);
    connect(&m_language, &ViewLanguage::changed, this, &PopupRootModel::statusChanged);
    connect(&m_language, &ViewLanguage::changed, this, &PopupRootModel::screenChanged);
    if (m_settings.globalShortcuts) {
        connect(m_settings.globalShortcuts, &GlobalShortcuts::takenActionsChanged, this,
                &PopupRootModel::statusChanged);
        connect(m_settings.globalShortcuts, &GlobalShortcuts::desktopProblemChanged, this,
                &PopupRootModel::statusChanged);
    }
    if (m_settings.shortcutManager) {
        connect(m_settings.shortcutManager, &ShortcutManager::overridesChanged, this, &PopupRootModel::statusChanged);
    }
    showQueueScreen();
}

PopupRootModel::~PopupRootModel() = default;

bool PopupRootModel::isCollecting() const {
    return m_queue.isCollecting();
}

QString PopupRootModel::statusText() const {
    return m_queue.isCollecting() ? m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Recording"))
                                  : m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Stopped"));
}

QString PopupRootModel::countText() const {
    const qint64 count = m_queue.queue().size();
    if (count == 0) {
        return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Queue empty"));
    }
    QString text = m_language.text(QT_TRANSLATE_N_NOOP("Sorvu", "%lld items in queue"), {count});
    // German's long compound reads better with the number on a line of its own.
    if (m_language.locale().language() == QLocale::German) {
        const qsizetype space = text.indexOf(QLatin1Char(' '));
        if (space >= 0) {
            text[space] = QLatin1Char('\n');
        }
    }
    return text;
}

QString PopupRootModel::statusAccessibleName() const {
    const qint64 count = m_queue.queue().size();
    const QString countPart = count > 0 ? m_language.text(QT_TRANSLATE_N_NOOP("Sorvu", "%lld items in queue"), {count})
                                        : m_language.text(QT_TRANSLATE_NOOP("Sorvu", "queue empty"));
    return statusText() + m_language.text(QT_TRANSLATE_NOOP("Sorvu", ", ")) + countPart;
}

QStringList PopupRootModel::notices() const {
    return statusNotices(m_queue.queue().size(), m_settings.globalShortcuts, m_settings.shortcutManager,
                         m_language.catalog(), m_language.locale());
}

double PopupRootModel::width() const {
    const double status = QFontMetricsF(m_styles.headline()).horizontalAdvance(statusText());
    double count = 0;
    const QFontMetricsF countMetrics(m_styles.subheadline());
    for (const QString& line : countText().split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        count = std::max(count, countMetrics.horizontalAdvance(line));
    }
    return std::max(std::ceil(status + count + fixedWidth), minimumWidth);
}

QString PopupRootModel::settingsButtonName() const {
    return m_screen == Screen::queue ? m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Settings"))
                                     : m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Close Settings"));
}

QString PopupRootModel::settingsButtonIcon() const {
    return m_screen == Screen::queue ? QStringLiteral("image://sorvu-symbol/gearshape")
                                     : QStringLiteral("image://sorvu-symbol/xmark.circle.fill");
}

void PopupRootModel::toggleScreen() {
    // The old screen goes once the views have let go of it.
    QPointer<QObject> old;
    if (m_screen == Screen::queue) {
        old = m_queueScreen.data();
        m_screen = Screen::settings;
        m_queueScreen = nullptr;
        m_settingsScreen = new SettingsScreenModel(m_languageStore, m_language, m_settings, this);
    } else {
        old = m_settingsScreen.data();
        m_screen = Screen::queue;
        m_settingsScreen = nullptr;
        showQueueScreen();
    }
    emit screenChanged();
    if (old) {
        old->deleteLater();
    }
}

bool PopupRootModel::keyPressed(quint16 keyCode, KeyModifiers modifiers, bool isRepeat) {
    return m_settingsScreen && m_settingsScreen->keyPressed(keyCode, modifiers, isRepeat);
}

void PopupRootModel::showQueueScreen() {
    m_queueScreen =
        new QueueScreenModel(m_queue, m_language, m_screenReader, m_minimumQueueListHeight, m_actions, this);
}

} // namespace sorvu
