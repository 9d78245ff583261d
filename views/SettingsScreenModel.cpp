// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/SettingsScreenModel.h"

#include "engine/LaunchAtLoginSetting.h"
#include "preferences/LanguagePreferenceStore.h"
#include "preferences/SupportedLanguage.h"
#include "views/ViewLanguage.h"

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
}

QString SettingsScreenModel::bindingHint() const {
    return m_language.text(
        QT_TRANSLATE_NOOP("Sorvu", "Bind keys to these commands in your desktop's keyboard settings."));
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
