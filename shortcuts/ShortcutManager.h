// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "preferences/Localization.h"
#include "shortcuts/KeyCombination.h"
#include "shortcuts/KeyDownEvent.h"
#include "shortcuts/KeyboardLayoutFunctions.h"
#include "shortcuts/ShortcutAction.h"
#include "shortcuts/ShortcutStore.h"

#include <QMap>
#include <QMetaType>
#include <QObject>

#include <functional>
#include <memory>
#include <optional>

namespace sorvu {

using ShortcutOverrides = QMap<ShortcutAction, KeyCombination>;

// The two global shortcuts: the user's overrides, the defaults that follow the keyboard layout, which key
// press triggers which action, and the recording state that the shortcut recorder fields share. Lives on
// the main thread.
class ShortcutManager : public QObject {
    Q_OBJECT
    Q_PROPERTY(sorvu::ShortcutOverrides overrides READ overrides NOTIFY overridesChanged)
    Q_PROPERTY(std::optional<sorvu::ShortcutAction> recordingAction READ recordingAction WRITE setRecordingAction NOTIFY
                   recordingActionChanged)

public:
    using Handler = std::function<void()>;

    // Reads each action's override from the store, once: the store is not read again during the run. An
    // override the recorder would refuse, or one on the combination of another action, is logged and
    // ignored, and the action keeps its default.
    ShortcutManager(std::shared_ptr<ShortcutStore> shortcutStore, CharacterForKeyCode characterForKeyCode,
                    KeyCodeForCharacter keyCodeForCharacter, QObject* parent = nullptr);

    const ShortcutOverrides& overrides() const { return m_overrides; }
    // Sets or, with nothing, removes the action's override, publishes the change and stores it.
    void setOverride(std::optional<KeyCombination> spec, ShortcutAction action);

    // While an action is being recorded, no key press fires anything.
    std::optional<ShortcutAction> recordingAction() const { return m_recordingAction; }
    void setRecordingAction(std::optional<ShortcutAction> action);

    // Installed by the recorder field that is recording; calling it ends that recording. Empty when none.
    const Handler& cancelRecordingHandler() const { return m_cancelRecordingHandler; }
    void setCancelRecordingHandler(Handler handler) { m_cancelRecordingHandler = std::move(handler); }

    // The override if one is loaded, else the default; nothing for a default whose character no key types.
    std::optional<KeyCombination> effectiveShortcut(ShortcutAction action) const;
    // The effective shortcut as shown to the user; a default without a key is shown by its character.
    QString effectiveShortcutText(ShortcutAction action, const TranslationCatalog& catalog,
                                  const QLocale& locale) const;

    // The action other than the given one whose effective shortcut is this combination, if any: one
    // combination never serves two actions.
    std::optional<ShortcutAction> otherActionUsing(const KeyCombination& spec, ShortcutAction action) const;

    // The action a key press triggers, if any; none while recording, for a repeat, or with a modifier
    // held that no shortcut can hold.
    std::optional<ShortcutAction> matchedAction(const KeyDownEvent& event) const;

    const CharacterForKeyCode& characterForKeyCode() const { return m_characterForKeyCode; }
    const KeyCodeForCharacter& keyCodeForCharacter() const { return m_keyCodeForCharacter; }

signals:
    void overridesChanged();
    void recordingActionChanged();

private:
    std::optional<ShortcutAction> matchedDefault(const KeyDownEvent& event) const;

    ShortcutOverrides m_overrides;
    std::optional<ShortcutAction> m_recordingAction;
    Handler m_cancelRecordingHandler;
    std::shared_ptr<ShortcutStore> m_shortcutStore;
    CharacterForKeyCode m_characterForKeyCode;
    KeyCodeForCharacter m_keyCodeForCharacter;
};

} // namespace sorvu

Q_DECLARE_METATYPE(sorvu::ShortcutOverrides)
