#pragma once

#include "preferences/Localization.h"
#include "shortcuts/HotkeySpec.h"
#include "shortcuts/KeyEventMonitorProviding.h"
#include "shortcuts/KeyboardLayoutFunctions.h"
#include "shortcuts/ShortcutAction.h"
#include "shortcuts/ShortcutStoring.h"

#include <QMap>
#include <QMetaType>
#include <QObject>

#include <functional>
#include <memory>
#include <optional>

namespace sorvu {

using ShortcutOverrides = QMap<ShortcutAction, HotkeySpec>;

// Turns key presses anywhere in the session into the two global commands. Holds the loaded overrides and
// the recording state that the shortcut recorder fields share. Lives on the main thread.
class HotkeyManager : public QObject {
    Q_OBJECT
    Q_PROPERTY(sorvu::ShortcutOverrides overrides READ overrides NOTIFY overridesChanged)
    Q_PROPERTY(std::optional<sorvu::ShortcutAction> recordingAction READ recordingAction WRITE setRecordingAction NOTIFY
                   recordingActionChanged)

public:
    using Handler = std::function<void()>;

    // Reads each action's override from the store, once: the store is not read again during the run.
    HotkeyManager(std::shared_ptr<ShortcutStoring> shortcutStore, Handler toggleCollectingHandler,
                  Handler pasteRequestHandler, CharacterForKeyCode characterForKeyCode,
                  KeyCodeForCharacter keyCodeForCharacter, std::shared_ptr<KeyEventMonitorProviding> keyEventMonitor,
                  QObject* parent = nullptr);

    const ShortcutOverrides& overrides() const { return m_overrides; }
    // Sets or, with nothing, removes the action's override, publishes the change and stores it.
    void setOverride(std::optional<HotkeySpec> spec, ShortcutAction action);

    // While an action is being recorded, no key press fires anything.
    std::optional<ShortcutAction> recordingAction() const { return m_recordingAction; }
    void setRecordingAction(std::optional<ShortcutAction> action);

    // Installed by the recorder field that is recording; calling it ends that recording. Empty when none.
    const Handler& cancelRecordingHandler() const { return m_cancelRecordingHandler; }
    void setCancelRecordingHandler(Handler handler) { m_cancelRecordingHandler = std::move(handler); }

    // Replaces both handlers, asks for the permission to watch keys and, the first time, starts watching
    // them until the process ends.
    void start(Handler toggleCollectingHandler, Handler pasteRequestHandler);
    bool isMonitoring() const { return m_isMonitoring; }

    // The override if one is loaded, else the default; nothing for a default whose character no key types.
    std::optional<HotkeySpec> effectiveShortcut(ShortcutAction action) const;
    // The effective shortcut as shown to the user; a default without a key is shown by its character.
    QString effectiveShortcutText(ShortcutAction action, const LanguageBundle& bundle, const QLocale& locale) const;

    // The action a key press triggers, if any.
    std::optional<ShortcutAction> matchedAction(const KeyDownEvent& event) const;

    const CharacterForKeyCode& characterForKeyCode() const { return m_characterForKeyCode; }
    const KeyCodeForCharacter& keyCodeForCharacter() const { return m_keyCodeForCharacter; }

signals:
    void overridesChanged();
    void recordingActionChanged();

private:
    void handleKeyDown(const KeyDownEvent& event);
    std::optional<ShortcutAction> matchedDefault(const KeyDownEvent& event) const;

    ShortcutOverrides m_overrides;
    std::optional<ShortcutAction> m_recordingAction;
    Handler m_cancelRecordingHandler;
    // One source stands for both the key presses sent to other programs and those sent to ours.
    std::shared_ptr<KeyEventMonitorProviding> m_keyEventMonitor;
    bool m_isMonitoring = false;
    Handler m_toggleCollectingHandler;
    Handler m_pasteRequestHandler;
    std::shared_ptr<ShortcutStoring> m_shortcutStore;
    CharacterForKeyCode m_characterForKeyCode;
    KeyCodeForCharacter m_keyCodeForCharacter;
};

} // namespace sorvu

Q_DECLARE_METATYPE(sorvu::ShortcutOverrides)
