// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/SettingsScreenModel.h"

#include "engine/LaunchAtLoginSetting.h"
#include "preferences/LanguagePreferenceStore.h"
#include "preferences/SupportedLanguage.h"
#include "shortcuts/GlobalShortcuts.h"
#include "views/ViewLanguage.h"

#include <QPointer>

namespace sorvu {

SettingsScreenModel::SettingsScreenModel(LanguagePreferenceStore& languageStore, ViewLanguage& language,
                                         Dependencies dependencies, QObject* parent)
    : QObject(parent), m_languageStore(languageStore), m_language(language), m_dependencies(std::move(dependencies)),
      m_collectingRecorder(ShortcutAction::startStopCollecting, *m_dependencies.shortcutManager, language,
                           m_dependencies.globalShortcuts),
      m_pasteRecorder(ShortcutAction::pasteNext, *m_dependencies.shortcutManager, language,
                      m_dependencies.globalShortcuts) {
    connect(&m_language, &ViewLanguage::changed, this, &SettingsScreenModel::textsChanged);
    connect(&m_language, &ViewLanguage::changed, this, &SettingsScreenModel::websiteProblemChanged);
    LaunchAtLoginSetting* launchAtLogin = m_dependencies.launchAtLogin;
    connect(launchAtLogin, &LaunchAtLoginSetting::enabledChanged, this, &SettingsScreenModel::launchAtLoginChanged);
    connect(launchAtLogin, &LaunchAtLoginSetting::desyncedChanged, this, &SettingsScreenModel::launchAtLoginChanged);
    // The user may change the keys in the desktop's settings while the screen is open.
    if (m_dependencies.globalShortcuts) {
        connect(m_dependencies.globalShortcuts, &GlobalShortcuts::triggersChanged, this,
                &SettingsScreenModel::triggersChanged);
    }
    connect(&m_language, &ViewLanguage::changed, this, &SettingsScreenModel::triggersChanged);
    connect(&m_language, &ViewLanguage::changed, this, &SettingsScreenModel::shortcutOutcomeChanged);
}

QString SettingsScreenModel::bindingHint() const {
    return m_language.text(
        QT_TRANSLATE_NOOP("Sorvu", "Bind keys to these commands in your desktop's keyboard settings."));
}

QString SettingsScreenModel::triggersHint() const {
    return m_language.text(
        QT_TRANSLATE_NOOP("Sorvu", "The desktop holds these shortcuts. Change them in its settings."));
}

QString SettingsScreenModel::trigger(ShortcutAction action) const {
    const QString described =
        m_dependencies.globalShortcuts ? m_dependencies.globalShortcuts->triggerDescription(action) : QString();
    return described.isEmpty() ? m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Not set")) : described;
}

QString SettingsScreenModel::openShortcutSettingsText() const {
    return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Open Desktop Shortcut Settings"));
}

QString SettingsScreenModel::writeShortcutBindingsText() const {
    return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Add Shortcuts to GNOME"));
}

QString SettingsScreenModel::shortcutOutcome() const {
    // The keys the written bindings fire on: the defaults.
    const auto keys = [](ShortcutAction action) {
        return QStringLiteral("Ctrl+Super+") + defaultCharacter(action).toUpper();
    };
    switch (m_shortcutOutcome) {
    case ShortcutOutcome::none:
    case ShortcutOutcome::writing:
        break;
    case ShortcutOutcome::settingsNotOpened:
        return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "The desktop's shortcut settings could not be opened."));
    case ShortcutOutcome::written:
        return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Added to GNOME: %@ and %@ run these commands."),
                               {keys(ShortcutAction::startStopCollecting), keys(ShortcutAction::pasteNext)});
    case ShortcutOutcome::notWritten:
        return m_language.text(QT_TRANSLATE_NOOP(
            "Sorvu", "GNOME's shortcuts could not be changed. Add them in Settings, Keyboard, Custom Shortcuts."));
    }
    return {};
}

bool SettingsScreenModel::shortcutOutcomeIsProblem() const {
    return m_shortcutOutcome == ShortcutOutcome::settingsNotOpened || m_shortcutOutcome == ShortcutOutcome::notWritten;
}

void SettingsScreenModel::setShortcutOutcome(ShortcutOutcome outcome) {
    if (outcome != m_shortcutOutcome) {
        m_shortcutOutcome = outcome;
        emit shortcutOutcomeChanged();
    }
}

void SettingsScreenModel::openShortcutSettings() {
    if (m_dependencies.openShortcutSettings) {
        setShortcutOutcome(m_dependencies.openShortcutSettings() ? ShortcutOutcome::none
                                                                 : ShortcutOutcome::settingsNotOpened);
    }
}

void SettingsScreenModel::writeShortcutBindings() {
    if (!canWriteShortcutBindings() || isWritingShortcutBindings()) {
        return;
    }
    setShortcutOutcome(ShortcutOutcome::writing);
    // The popup may close before the desktop has answered.
    m_dependencies.writeShortcutBindings([self = QPointer<SettingsScreenModel>(this)](bool written) {
        if (self) {
            self->setShortcutOutcome(written ? ShortcutOutcome::written : ShortcutOutcome::notWritten);
        }
    });
}

QString SettingsScreenModel::languageLabel() const {
    return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Language"));
}

QStringList SettingsScreenModel::languageNames() const {
    QStringList names{m_language.text(QT_TRANSLATE_NOOP("Sorvu", "System"))};
    for (const SupportedLanguage language : allSupportedLanguages()) {
        names.append(displayName(language));
    }
    return names;
}

int SettingsScreenModel::languageIndex() const {
    const auto& code = m_languageStore.preferredLanguageCode();
    if (!code) {
        return 0;
    }
    const std::optional<SupportedLanguage> language = supportedLanguageFromCode(*code);
    return language ? int(*language) + 1 : -1;
}

bool SettingsScreenModel::launchAtLoginDesynced() const {
    return m_dependencies.launchAtLogin->desynced();
}

bool SettingsScreenModel::launchAtLoginEnabled() const {
    return m_dependencies.launchAtLogin->enabled();
}

QString SettingsScreenModel::launchAtLoginText() const {
    return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Launch at Login"));
}

QString SettingsScreenModel::launchAtLoginDisabledText() const {
    return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "⚠️ Launch at Login disabled"));
}

QString SettingsScreenModel::launchAtLoginHint() const {
    return m_language.text(
        QT_TRANSLATE_NOOP("Sorvu", "This was turned off in your desktop's startup settings. Click to re-enable."));
}

QString SettingsScreenModel::websiteText() const {
    return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Visit our website"));
}

QString SettingsScreenModel::versionText() const {
    const auto orDash = [](const QString& value) { return value.isEmpty() ? QStringLiteral("\u2014") : value; };
    return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Version %@ (%@)"),
                           {orDash(m_dependencies.version), orDash(m_dependencies.buildNumber)});
}

QString SettingsScreenModel::websiteProblem() const {
    return m_linkNotOpened ? m_language.text(QT_TRANSLATE_NOOP(
                                 "Sorvu", "No program opened the link. Install xdg-utils, then try again."))
                           : QString();
}

void SettingsScreenModel::reportLinkNotOpened() {
    m_linkNotOpened = true;
    emit websiteProblemChanged();
}

void SettingsScreenModel::appeared() {
    m_dependencies.launchAtLogin->refreshStatus();
}

void SettingsScreenModel::chooseLanguage(int index) {
    const auto& languages = allSupportedLanguages();
    if (index == 0) {
        m_languageStore.choose(std::nullopt);
    } else if (index > 0 && index <= int(languages.size())) {
        m_languageStore.choose(languageCode(languages.at(size_t(index - 1))));
    }
}

void SettingsScreenModel::toggleLaunchAtLogin() {
    m_dependencies.launchAtLogin->toggle();
}

void SettingsScreenModel::openWebsite() {
    if (m_dependencies.website.isValid() && m_dependencies.openUrl) {
        if (m_linkNotOpened) {
            m_linkNotOpened = false;
            emit websiteProblemChanged();
        }
        m_dependencies.openUrl(m_dependencies.website);
    }
}

bool SettingsScreenModel::keyPressed(quint16 keyCode, KeyModifiers modifiers, bool isRepeat) {
    return m_collectingRecorder.keyPressed(keyCode, modifiers, isRepeat) ||
           m_pasteRecorder.keyPressed(keyCode, modifiers, isRepeat);
}

} // namespace sorvu
