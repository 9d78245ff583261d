// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "views/ShortcutRecorderModel.h"

#include <QObject>
#include <QStringList>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

#include <functional>

namespace sorvu {

class LaunchAtLoginSetting;
class GlobalShortcuts;
class LanguagePreferenceStore;
class ShortcutManager;
class ViewLanguage;

// The settings screen: the two shortcut recorders, the interface language, launching at login, the website
// and the version. It keeps no setting of its own: each control reads and writes the setting's owner.
class SettingsScreenModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the popup")
    Q_PROPERTY(sorvu::ShortcutRecorderModel* collectingRecorder READ collectingRecorder CONSTANT)
    Q_PROPERTY(sorvu::ShortcutRecorderModel* pasteRecorder READ pasteRecorder CONSTANT)
    Q_PROPERTY(bool shortcutsRecordable READ shortcutsRecordable CONSTANT)
    Q_PROPERTY(QString bindingHint READ bindingHint NOTIFY textsChanged)
    Q_PROPERTY(QString collectingCommand READ collectingCommand CONSTANT)
    Q_PROPERTY(QString pasteCommand READ pasteCommand CONSTANT)
    Q_PROPERTY(QString languageLabel READ languageLabel NOTIFY textsChanged)
    Q_PROPERTY(QStringList languageNames READ languageNames NOTIFY textsChanged)
    Q_PROPERTY(int languageIndex READ languageIndex NOTIFY textsChanged)
    Q_PROPERTY(bool launchAtLoginDesynced READ launchAtLoginDesynced NOTIFY launchAtLoginChanged)
    Q_PROPERTY(bool launchAtLoginEnabled READ launchAtLoginEnabled NOTIFY launchAtLoginChanged)
    Q_PROPERTY(QString launchAtLoginText READ launchAtLoginText NOTIFY textsChanged)
    Q_PROPERTY(QString launchAtLoginDisabledText READ launchAtLoginDisabledText NOTIFY textsChanged)
    Q_PROPERTY(QString launchAtLoginHint READ launchAtLoginHint NOTIFY textsChanged)
    Q_PROPERTY(QString websiteText READ websiteText NOTIFY textsChanged)
    Q_PROPERTY(QString versionText READ versionText NOTIFY textsChanged)
    Q_PROPERTY(QString websiteProblem READ websiteProblem NOTIFY websiteProblemChanged)

public:
    struct Dependencies {
        ShortcutManager* shortcutManager = nullptr;
        LaunchAtLoginSetting* launchAtLogin = nullptr;
        // Which shortcuts another program holds; may be absent.
        GlobalShortcuts* globalShortcuts = nullptr;
        // False where the desktop binds its own keys to Sorvu's commands: the screen shows the commands.
        bool shortcutsRecordable = true;
        // Empty when the build did not say.
        QString version;
        QString buildNumber;
        QUrl website;
        std::function<void(const QUrl&)> openUrl;
    };

    SettingsScreenModel(LanguagePreferenceStore& languageStore, ViewLanguage& language, Dependencies dependencies,
                        QObject* parent = nullptr);

    ShortcutRecorderModel* collectingRecorder() { return &m_collectingRecorder; }
    ShortcutRecorderModel* pasteRecorder() { return &m_pasteRecorder; }
    bool shortcutsRecordable() const { return m_dependencies.shortcutsRecordable; }
    QString bindingHint() const;
    // The command lines a desktop's key binding runs.
    static QString collectingCommand() { return QStringLiteral("sorvu --toggle-collecting"); }
    static QString pasteCommand() { return QStringLiteral("sorvu --paste-next"); }
    QString languageLabel() const;
    // "System" first, then each offered language by its own name.
    QStringList languageNames() const;
    // The entry of the chosen language; an unrecognised stored code selects none (-1).
    int languageIndex() const;
    bool launchAtLoginDesynced() const;
    bool launchAtLoginEnabled() const;
    QString launchAtLoginText() const;
    QString launchAtLoginDisabledText() const;
    QString launchAtLoginHint() const;
    QString websiteText() const;
    // A missing version or build number shows as "—".
    QString versionText() const;
    // Said when no program opened the website; empty otherwise.
    QString websiteProblem() const;
    // The desktop had no program to open the link with (no xdg-open, say).
    void reportLinkNotOpened();

    // The screen came on screen: the desktop's startup settings may have changed while Sorvu ran.
    Q_INVOKABLE void appeared();
    // Index into languageNames; the choice is saved at once and every open text follows it.
    Q_INVOKABLE void chooseLanguage(int index);
    Q_INVOKABLE void toggleLaunchAtLogin();
    Q_INVOKABLE void openWebsite();

    // A key pressed in the popup; true when the recording recorder took it.
    bool keyPressed(quint16 keyCode, KeyModifiers modifiers, bool isRepeat);

signals:
    void textsChanged();
    void launchAtLoginChanged();
    void websiteProblemChanged();

private:
    LanguagePreferenceStore& m_languageStore;
    ViewLanguage& m_language;
    Dependencies m_dependencies;
    ShortcutRecorderModel m_collectingRecorder;
    ShortcutRecorderModel m_pasteRecorder;
    bool m_linkNotOpened = false;
};

} // namespace sorvu
