// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "views/PopupColors.h"
#include "views/QueueScreenModel.h"
#include "views/ScreenReader.h"
#include "views/SettingsScreenModel.h"
#include "views/TextStyles.h"
#include "views/ViewLanguage.h"

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

namespace sorvu {

class ClipboardQueue;
class LanguagePreferenceStore;

// The popup's content: the status row on top (collecting or not, the count, the settings button, and in
// words what keeps Sorvu from working) and one of two screens below it. Its width follows the status texts in
// the chosen language, never below 270 points, and stays the same on every screen.
class PopupRootModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the popup")
    Q_PROPERTY(Screen screen READ screen NOTIFY screenChanged)
    Q_PROPERTY(bool showsSettings READ showsSettings NOTIFY screenChanged)
    Q_PROPERTY(sorvu::QueueScreenModel* queueScreen READ queueScreen NOTIFY screenChanged)
    Q_PROPERTY(sorvu::SettingsScreenModel* settingsScreen READ settingsScreen NOTIFY screenChanged)
    Q_PROPERTY(sorvu::TextStyles* styles READ styles CONSTANT)
    Q_PROPERTY(sorvu::PopupColors* colors READ colors CONSTANT)
    Q_PROPERTY(QStringList notices READ notices NOTIFY statusChanged)
    Q_PROPERTY(bool isCollecting READ isCollecting NOTIFY statusChanged)
    Q_PROPERTY(QString statusText READ statusText NOTIFY statusChanged)
    Q_PROPERTY(QString countText READ countText NOTIFY statusChanged)
    Q_PROPERTY(QString statusAccessibleName READ statusAccessibleName NOTIFY statusChanged)
    Q_PROPERTY(double width READ width NOTIFY statusChanged)
    Q_PROPERTY(double padding READ padding CONSTANT)
    Q_PROPERTY(QString settingsButtonName READ settingsButtonName NOTIFY screenChanged)
    Q_PROPERTY(QString settingsButtonIcon READ settingsButtonIcon NOTIFY screenChanged)

public:
    enum class Screen { queue, settings };
    Q_ENUM(Screen)

    static constexpr double minimumWidth = 270;
    // The status row's fixed sizes and the popup's margins, beside the two texts.
    static constexpr double fixedWidth = 8 + 4 + 8 + 8 + 18 + 32 + 12;
    static constexpr double contentPadding = 16;

    PopupRootModel(ClipboardQueue& queue, LanguagePreferenceStore& languageStore, const QFont& interfaceFont,
                   double minimumQueueListHeight, QueueScreenModel::Actions actions,
                   SettingsScreenModel::Dependencies settings, QObject* parent = nullptr);
    ~PopupRootModel() override;

    Screen screen() const { return m_screen; }
    bool showsSettings() const { return m_screen == Screen::settings; }
    // The queue screen while it is shown; a new one each time it is shown again.
    QueueScreenModel* queueScreen() const { return m_queueScreen; }
    // The settings screen while it is shown.
    SettingsScreenModel* settingsScreen() const { return m_settingsScreen; }
    TextStyles* styles() { return &m_styles; }
    PopupColors* colors() { return &m_colors; }
    // What the status row says beside the count when something keeps Sorvu from doing its work.
    QStringList notices() const;
    ViewLanguage& language() { return m_language; }
    bool isCollecting() const;
    QString statusText() const;
    QString countText() const;
    QString statusAccessibleName() const;
    double width() const;
    double padding() const { return contentPadding; }
    QString settingsButtonName() const;
    QString settingsButtonIcon() const;

    Q_INVOKABLE void toggleScreen();
    // A key pressed in the popup; true when a shortcut recording took it.
    bool keyPressed(quint16 keyCode, KeyModifiers modifiers, bool isRepeat);

signals:
    void screenChanged();
    void statusChanged();

private:
    void showQueueScreen();

    ClipboardQueue& m_queue;
    LanguagePreferenceStore& m_languageStore;
    ViewLanguage m_language;
    TextStyles m_styles;
    PopupColors m_colors;
    ScreenReader m_screenReader;
    const double m_minimumQueueListHeight;
    const QueueScreenModel::Actions m_actions;
    const SettingsScreenModel::Dependencies m_settings;
    Screen m_screen = Screen::queue;
    QPointer<QueueScreenModel> m_queueScreen;
    QPointer<SettingsScreenModel> m_settingsScreen;
};

} // namespace sorvu
