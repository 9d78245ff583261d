// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/ShortcutRecorderModel.h"

#include "shortcuts/GlobalShortcuts.h"
#include "shortcuts/ShortcutAcceptance.h"
#include "shortcuts/ShortcutManager.h"
#include "views/ViewLanguage.h"

namespace sorvu {

namespace {

// What the key types, lower-cased, for comparing it with a shortcut's letter.
std::optional<QString> typedLowerCase(const ShortcutManager& manager, quint16 keyCode) {
    const auto& characterForKeyCode = manager.characterForKeyCode();
    if (!characterForKeyCode) {
        return std::nullopt;
    }
    const std::optional<QString> typed = characterForKeyCode(keyCode);
    if (!typed) {
        return std::nullopt;
    }
    return typed->toLower();
}

ShortcutAction otherAction(ShortcutAction action) {
    return action == ShortcutAction::pasteNext ? ShortcutAction::startStopCollecting : ShortcutAction::pasteNext;
}

} // namespace

ShortcutRecorderModel::ShortcutRecorderModel(ShortcutAction action, ShortcutManager& manager, ViewLanguage& language,
                                             GlobalShortcuts* globalShortcuts, QObject* parent)
    : QObject(parent), m_action(action), m_manager(manager), m_language(language), m_globalShortcuts(globalShortcuts) {
    connect(&m_manager, &ShortcutManager::overridesChanged, this, &ShortcutRecorderModel::changed);
    connect(&m_manager, &ShortcutManager::recordingActionChanged, this, &ShortcutRecorderModel::recordingActionChanged);
    connect(&m_language, &ViewLanguage::changed, this, &ShortcutRecorderModel::changed);
    if (m_globalShortcuts) {
        connect(m_globalShortcuts, &GlobalShortcuts::takenActionsChanged, this, &ShortcutRecorderModel::changed);
    }
}

ShortcutRecorderModel::~ShortcutRecorderModel() {
    if (m_isListening && m_manager.recordingAction() == m_action) {
        m_isListening = false;
        m_manager.setRecordingAction(std::nullopt);
        m_manager.setCancelRecordingHandler({});
    }
}

QString ShortcutRecorderModel::title() const {
    return localizedTitle(m_action, m_language.catalog(), m_language.locale());
}

QString ShortcutRecorderModel::shortcutText() const {
    if (isRecording()) {
        return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Recording…"));
    }
    return m_manager.effectiveShortcutText(m_action, m_language.catalog(), m_language.locale());
}

bool ShortcutRecorderModel::isRecording() const {
    return m_manager.recordingAction() == m_action;
}

bool ShortcutRecorderModel::canReset() const {
    return m_manager.overrides().contains(m_action);
}

QString ShortcutRecorderModel::warningText() const {
    const auto alreadyUsedBy = [this](ShortcutAction other) {
        return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Already used by %@."),
                               {localizedTitle(other, m_language.catalog(), m_language.locale())});
    };
    if (m_duplicateAction) {
        return alreadyUsedBy(*m_duplicateAction);
    }
    // Overrides are matched first, so the other action's override on this action's default combination
    // leaves the default unreachable.
    const ShortcutAction other = otherAction(m_action);
    const auto& overrides = m_manager.overrides();
    const auto otherOverride = overrides.constFind(other);
    if (!overrides.contains(m_action) && otherOverride != overrides.constEnd() &&
        otherOverride->modifiersRawValue == quint64(KeyCombination::defaultModifiers.toInt()) &&
        typedLowerCase(m_manager, otherOverride->keyCode) == defaultCharacter(m_action)) {
        return alreadyUsedBy(other);
    }
    if (m_globalShortcuts && m_globalShortcuts->takenActions().contains(m_action)) {
        return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Taken by another program"));
    }
    // Ctrl+C, Ctrl+V and Ctrl+X are every program's own Copy, Paste and Cut.
    const std::optional<KeyCombination> effective = m_manager.effectiveShortcut(m_action);
    if (effective && effective->modifiersRawValue == quint64(KeyModifiers(KeyModifier::Ctrl).toInt())) {
        const std::optional<QString> typed = typedLowerCase(m_manager, effective->keyCode);
        if (typed && (*typed == QLatin1String("c") || *typed == QLatin1String("v") || *typed == QLatin1String("x"))) {
            return m_language.text(QT_TRANSLATE_NOOP(
                "Sorvu", "Matches the system's own Copy/Paste/Cut — will also fire on every ordinary use elsewhere."));
        }
    }
    return {};
}

QString ShortcutRecorderModel::resetName() const {
    return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Reset to default")) +
           m_language.text(QT_TRANSLATE_NOOP("Sorvu", ", ")) + title();
}

void ShortcutRecorderModel::pressButton() {
    if (m_isListening) {
        stopRecording();
    } else {
        startRecording();
    }
}

void ShortcutRecorderModel::reset() {
    m_manager.setOverride(std::nullopt, m_action);
    if (m_duplicateAction) {
        m_duplicateAction.reset();
        emit changed();
    }
}

bool ShortcutRecorderModel::keyPressed(quint16 keyCode, KeyModifiers modifiers, bool isRepeat) {
    if (!m_isListening || keyCode == escapeKeyCode) {
        return false;
    }
    // Anything that cannot serve is passed over silently: the user may press another combination.
    const KeyCombination spec{keyCode, quint64((modifiers & allKeyModifiers).toInt())};
    if (!isRepeat && !ShortcutAcceptance::refusal(spec, m_manager.characterForKeyCode())) {
        record(spec);
    }
    return true;
}

void ShortcutRecorderModel::startRecording() {
    const bool hadDuplicate = m_duplicateAction.has_value();
    m_duplicateAction.reset();
    m_isListening = true;
    // Taking the manager's recording state makes any other recorder let go of the keys.
    m_manager.setRecordingAction(m_action);
    m_manager.setCancelRecordingHandler([self = QPointer<ShortcutRecorderModel>(this)] {
        if (self) {
            self->stopRecording();
        }
    });
    if (hadDuplicate) {
        emit changed();
    }
}

void ShortcutRecorderModel::stopRecording() {
    m_isListening = false;
    m_manager.setRecordingAction(std::nullopt);
    m_manager.setCancelRecordingHandler({});
}

void ShortcutRecorderModel::recordingActionChanged() {
    if (m_manager.recordingAction() != m_action) {
        m_isListening = false;
    }
    emit changed();
}

void ShortcutRecorderModel::record(const KeyCombination& spec) {
    if (const std::optional<ShortcutAction> other = m_manager.otherActionUsing(spec, m_action)) {
        m_duplicateAction = other;
        stopRecording();
        emit changed();
        return;
    }
    m_manager.setOverride(spec, m_action);
    stopRecording();
}

} // namespace sorvu
