// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "shortcuts/KeyCombination.h"
#include "shortcuts/KeyModifiers.h"
#include "shortcuts/ShortcutAction.h"

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

#include <optional>

namespace sorvu {

class GlobalShortcuts;
class ShortcutManager;
class ViewLanguage;

// The settings control of one action's global shortcut: its title and current combination, recording a new
// one from the keys pressed in the popup, refusing what cannot serve or is taken by the other action,
// warning about risky combinations, and the way back to the default. Only one recorder records at a time;
// the manager's recording state is what they share.
class ShortcutRecorderModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the settings screen")
    Q_PROPERTY(QString title READ title NOTIFY changed)
    Q_PROPERTY(QString shortcutText READ shortcutText NOTIFY changed)
    Q_PROPERTY(bool isRecording READ isRecording NOTIFY changed)
    Q_PROPERTY(bool canReset READ canReset NOTIFY changed)
    Q_PROPERTY(QString warningText READ warningText NOTIFY changed)
    Q_PROPERTY(QString resetName READ resetName NOTIFY changed)

public:
    // The key that ends a recording in the popup instead of being recorded.
    static constexpr quint16 escapeKeyCode = 9;

    // The grabs are asked which shortcuts another program holds; without them none is.
    ShortcutRecorderModel(ShortcutAction action, ShortcutManager& manager, ViewLanguage& language,
                          GlobalShortcuts* globalShortcuts, QObject* parent = nullptr);
    // A recorder that leaves the screen while recording ends its recording.
    ~ShortcutRecorderModel() override;

    ShortcutAction action() const { return m_action; }
    QString title() const;
    // "Recording…" while this action records, else its effective shortcut.
    QString shortcutText() const;
    bool isRecording() const;
    // Only an override can be reset.
    bool canReset() const;
    // Empty when nothing needs saying.
    QString warningText() const;
    QString resetName() const;
    // The action that holds the combination refused last; none once recording starts again or on reset.
    const std::optional<ShortcutAction>& duplicateAction() const { return m_duplicateAction; }
    // Whether this recorder takes the popup's key presses.
    bool isListening() const { return m_isListening; }

    // The shortcut button: starts recording, or stops it when this recorder records.
    Q_INVOKABLE void pressButton();
    Q_INVOKABLE void reset();

    // A key press in the popup (XKB key code and the modifiers held). True when the recorder took it: every
    // key but Escape while it records, so that none reaches another control; Escape is the popup's.
    bool keyPressed(quint16 keyCode, KeyModifiers modifiers, bool isRepeat);

signals:
    void changed();

private:
    void startRecording();
    void stopRecording();
    void recordingActionChanged();
    void record(const KeyCombination& spec);

    const ShortcutAction m_action;
    ShortcutManager& m_manager;
    ViewLanguage& m_language;
    QPointer<GlobalShortcuts> m_globalShortcuts;
    std::optional<ShortcutAction> m_duplicateAction;
    bool m_isListening = false;
};

} // namespace sorvu
