// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shortcuts/ShortcutManager.h"

#include "engine/Log.h"
#include "shortcuts/ShortcutAcceptance.h"
#include "shortcuts/ShortcutDisplay.h"

namespace sorvu {

namespace {

void logIgnoredOverride(ShortcutAction action, const KeyCombination& spec, const QString& why) {
    qCCritical(lcShortcutStore).noquote()
        << QStringLiteral("override ignored action=%1 keyCode=%2 modifiersRawValue=%3 %4")
               .arg(caseName(action))
               .arg(spec.keyCode)
               .arg(spec.modifiersRawValue)
               .arg(why);
}

} // namespace

ShortcutManager::ShortcutManager(std::shared_ptr<ShortcutStore> shortcutStore, CharacterForKeyCode characterForKeyCode,
                                 KeyCodeForCharacter keyCodeForCharacter, QObject* parent)
    : QObject(parent), m_shortcutStore(std::move(shortcutStore)), m_characterForKeyCode(std::move(characterForKeyCode)),
      m_keyCodeForCharacter(std::move(keyCodeForCharacter)) {
    // A stored value may have been written by hand or by an older version: it gets the recorder's checks.
    for (const ShortcutAction action : allShortcutActions) {
        const std::optional<KeyCombination> spec = m_shortcutStore->overrideFor(action);
        if (!spec) {
            continue;
        }
        if (const auto refusal = ShortcutAcceptance::refusal(*spec, m_characterForKeyCode)) {
            logIgnoredOverride(action, *spec, QStringLiteral("reason=%1").arg(caseName(*refusal)));
            continue;
        }
        m_overrides.insert(action, *spec);
    }
    // Matching would leave the later of two actions on one combination unreachable.
    for (const ShortcutAction action : allShortcutActions) {
        const auto found = m_overrides.constFind(action);
        if (found == m_overrides.constEnd()) {
            continue;
        }
        if (const std::optional<ShortcutAction> other = otherActionUsing(*found, action)) {
            logIgnoredOverride(action, *found,
                               QStringLiteral("reason=usedByOtherAction other=%1").arg(caseName(*other)));
            m_overrides.remove(action);
        }
    }
}

void ShortcutManager::setOverride(std::optional<KeyCombination> spec, ShortcutAction action) {
    const ShortcutOverrides before = m_overrides;
    if (spec) {
        m_overrides.insert(action, *spec);
    } else {
        m_overrides.remove(action);
    }
    if (m_overrides != before) {
        emit overridesChanged();
    }
    m_shortcutStore->setOverride(spec, action);
}

void ShortcutManager::setRecordingAction(std::optional<ShortcutAction> action) {
    if (m_recordingAction == action) {
        return;
    }
    m_recordingAction = action;
    emit recordingActionChanged();
}

std::optional<KeyCombination> ShortcutManager::effectiveShortcut(ShortcutAction action) const {
    const auto found = m_overrides.constFind(action);
    if (found != m_overrides.constEnd()) {
        return *found;
    }
    return KeyCombination::defaultShortcut(action, m_keyCodeForCharacter);
}

std::optional<ShortcutAction> ShortcutManager::otherActionUsing(const KeyCombination& spec,
                                                                ShortcutAction action) const {
    for (const ShortcutAction other : allShortcutActions) {
        if (other != action && effectiveShortcut(other) == spec) {
            return other;
        }
    }
    return std::nullopt;
}

QString ShortcutManager::effectiveShortcutText(ShortcutAction action, const TranslationCatalog& catalog,
                                               const QLocale& locale) const {
    if (const std::optional<KeyCombination> spec = effectiveShortcut(action)) {
        return displayString(*spec, m_characterForKeyCode, catalog, locale);
    }
    return defaultShortcutTextWithoutKey(action);
}

std::optional<ShortcutAction> ShortcutManager::matchedAction(const KeyDownEvent& event) const {
    if (m_recordingAction || event.isRepeat || event.otherModifierHeld) {
        return std::nullopt;
    }
    const quint64 modifiers = event.modifiers.toInt();
    for (const ShortcutAction action : allShortcutActions) {
        const auto found = m_overrides.constFind(action);
        if (found != m_overrides.constEnd() && found->keyCode == event.keyCode &&
            found->modifiersRawValue == modifiers) {
            return action;
        }
    }
    return matchedDefault(event);
}

// Defaults follow the character a key types, so that Ctrl+Super with the key typing c toggles collecting
// on every layout, wherever that key sits. The key the layout names for the character counts too: it may
// type the character only in another group, and the key a default is bound to must fire it.
std::optional<ShortcutAction> ShortcutManager::matchedDefault(const KeyDownEvent& event) const {
    if ((event.modifiers & allKeyModifiers) != KeyCombination::defaultModifiers) {
        return std::nullopt;
    }
    const std::optional<QString> typed =
        m_characterForKeyCode ? m_characterForKeyCode(event.keyCode) : std::optional<QString>();
    for (const ShortcutAction action : allShortcutActions) {
        if (m_overrides.contains(action)) {
            continue;
        }
        if (typed && typed->toLower() == defaultCharacter(action)) {
            return action;
        }
        const std::optional<KeyCombination> bound = KeyCombination::defaultShortcut(action, m_keyCodeForCharacter);
        if (bound && bound->keyCode == event.keyCode) {
            return action;
        }
    }
    return std::nullopt;
}

} // namespace sorvu
