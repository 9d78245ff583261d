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

// The settings screen: the two shortcuts, the interface language, launching at login, the website and the
// version. It keeps no setting of its own: each control reads and writes the setting's owner. The shortcuts show
// as recorders where Sorvu takes the keys itself; as the commands to bind where the desktop binds its own keys
// (with a button that writes the bindings, where Sorvu can); or as the keys the desktop holds for Sorvu, in the
// desktop's words. Where Sorvu knows the desktop's own shortcut settings, a button opens them.
class SettingsScreenModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the popup")
    Q_PROPERTY(sorvu::ShortcutRecorderModel* collectingRecorder READ collectingRecorder CONSTANT)
    Q_PROPERTY(sorvu::ShortcutRecorderModel* pasteRecorder READ pasteRecorder CONSTANT)
    Q_PROPERTY(bool shortcutsRecordable READ shortcutsRecordable CONSTANT)
    Q_PROPERTY(bool showsShortcutCommands READ showsShortcutCommands CONSTANT)
    Q_PROPERTY(bool showsShortcutTriggers READ showsShortcutTriggers CONSTANT)
    Q_PROPERTY(QString bindingHint READ bindingHint NOTIFY textsChanged)
    Q_PROPERTY(QString collectingCommand READ collectingCommand CONSTANT)
    Q_PROPERTY(QString pasteCommand READ pasteCommand CONSTANT)
    Q_PROPERTY(QString triggersHint READ triggersHint NOTIFY textsChanged)
    Q_PROPERTY(QString collectingTrigger READ collectingTrigger NOTIFY triggersChanged)
    Q_PROPERTY(QString pasteTrigger READ pasteTrigger NOTIFY triggersChanged)
    Q_PROPERTY(bool canOpenShortcutSettings READ canOpenShortcutSettings CONSTANT)
    Q_PROPERTY(QString openShortcutSettingsText READ openShortcutSettingsText NOTIFY textsChanged)
    Q_PROPERTY(bool canWriteShortcutBindings READ canWriteShortcutBindings CONSTANT)
    Q_PROPERTY(QString writeShortcutBindingsText READ writeShortcutBindingsText NOTIFY textsChanged)
    Q_PROPERTY(bool isWritingShortcutBindings READ isWritingShortcutBindings NOTIFY shortcutOutcomeChanged)
    Q_PROPERTY(QString shortcutOutcome READ shortcutOutcome NOTIFY shortcutOutcomeChanged)
    Q_PROPERTY(bool shortcutOutcomeIsProblem READ shortcutOutcomeIsProblem NOTIFY shortcutOutcomeChanged)
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
    enum class ShortcutsShown { recorders, commands, desktopTriggers };
    Q_ENUM(ShortcutsShown)

    struct Dependencies {
        ShortcutManager* shortcutManager = nullptr;
        LaunchAtLoginSetting* launchAtLogin = nullptr;
        // Which shortcuts another program holds, and the keys the desktop holds; may be absent.
        GlobalShortcuts* globalShortcuts = nullptr;
        ShortcutsShown shortcutsShown = ShortcutsShown::recorders;
        // Opens the desktop's own shortcut settings, telling whether they started; empty where Sorvu knows none.
        std::function<bool()> openShortcutSettings;
        // Writes the desktop's key bindings to the commands, telling `done` whether they were written; empty where
        // Sorvu cannot.
        std::function<void(std::function<void(bool written)> done)> writeShortcutBindings;
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
    bool shortcutsRecordable() const { return m_dependencies.shortcutsShown == ShortcutsShown::recorders; }
    bool showsShortcutCommands() const { return m_dependencies.shortcutsShown == ShortcutsShown::commands; }
    bool showsShortcutTriggers() const { return m_dependencies.shortcutsShown == ShortcutsShown::desktopTriggers; }
    QString bindingHint() const;
    // The command lines a desktop's key binding runs.
    static QString collectingCommand() { return QStringLiteral("sorvu --toggle-collecting"); }
    static QString pasteCommand() { return QStringLiteral("sorvu --paste-next"); }
    QString triggersHint() const;
    // The keys the desktop fires the action on, in its words; "Not set" for none.
    QString collectingTrigger() const { return trigger(ShortcutAction::startStopCollecting); }
    QString pasteTrigger() const { return trigger(ShortcutAction::pasteNext); }
    bool canOpenShortcutSettings() const { return bool(m_dependencies.openShortcutSettings); }
    QString openShortcutSettingsText() const;
    bool canWriteShortcutBindings() const {
        return showsShortcutCommands() && bool(m_dependencies.writeShortcutBindings);
    }
    QString writeShortcutBindingsText() const;
    bool isWritingShortcutBindings() const { return m_shortcutOutcome == ShortcutOutcome::writing; }
    // What came of the last shortcut button pressed; empty before any.
    QString shortcutOutcome() const;
    bool shortcutOutcomeIsProblem() const;
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
    Q_INVOKABLE void openShortcutSettings();
    Q_INVOKABLE void writeShortcutBindings();

    // A key pressed in the popup; true when the recording recorder took it.
    bool keyPressed(quint16 keyCode, KeyModifiers modifiers, bool isRepeat);

signals:
    void textsChanged();
    void launchAtLoginChanged();
    void websiteProblemChanged();
    void triggersChanged();
    void shortcutOutcomeChanged();

private:
    enum class ShortcutOutcome { none, settingsNotOpened, writing, written, notWritten };

    QString trigger(ShortcutAction action) const;
    void setShortcutOutcome(ShortcutOutcome outcome);

    LanguagePreferenceStore& m_languageStore;
    ViewLanguage& m_language;
    Dependencies m_dependencies;
    ShortcutRecorderModel m_collectingRecorder;
    ShortcutRecorderModel m_pasteRecorder;
    bool m_linkNotOpened = false;
    ShortcutOutcome m_shortcutOutcome = ShortcutOutcome::none;
};

} // namespace sorvu
