#include "shortcuts/HotkeyManager.h"

#include "shortcuts/ShortcutDisplay.h"

#include <QPointer>

namespace sorvu {

HotkeyManager::HotkeyManager(std::shared_ptr<ShortcutStoring> shortcutStore, Handler toggleCollectingHandler,
                             Handler pasteRequestHandler, CharacterForKeyCode characterForKeyCode,
                             KeyCodeForCharacter keyCodeForCharacter,
                             std::shared_ptr<KeyEventMonitorProviding> keyEventMonitor, QObject* parent)
    : QObject(parent), m_keyEventMonitor(std::move(keyEventMonitor)),
      m_toggleCollectingHandler(std::move(toggleCollectingHandler)),
      m_pasteRequestHandler(std::move(pasteRequestHandler)), m_shortcutStore(std::move(shortcutStore)),
      m_characterForKeyCode(std::move(characterForKeyCode)), m_keyCodeForCharacter(std::move(keyCodeForCharacter)) {
    for (const ShortcutAction action : allShortcutActions) {
        if (const std::optional<HotkeySpec> spec = m_shortcutStore->overrideFor(action)) {
            m_overrides.insert(action, *spec);
        } else {
            m_overrides.remove(action);
        }
    }
}

void HotkeyManager::setOverride(std::optional<HotkeySpec> spec, ShortcutAction action) {
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

void HotkeyManager::setRecordingAction(std::optional<ShortcutAction> action) {
    if (m_recordingAction == action) {
        return;
    }
    m_recordingAction = action;
    emit recordingActionChanged();
}

void HotkeyManager::start(Handler toggleCollectingHandler, Handler pasteRequestHandler) {
    m_toggleCollectingHandler = std::move(toggleCollectingHandler);
    m_pasteRequestHandler = std::move(pasteRequestHandler);
    if (!m_keyEventMonitor) {
        return;
    }
    // The answer is shown elsewhere; asking lets the system prompt where it can.
    m_keyEventMonitor->requestTrust();
    // A second source would fire every shortcut twice.
    if (m_isMonitoring) {
        return;
    }
    m_isMonitoring = true;
    m_keyEventMonitor->installKeyDownMonitor([manager = QPointer<HotkeyManager>(this)](const KeyDownEvent& event) {
        if (manager) {
            manager->handleKeyDown(event);
        }
    });
}

std::optional<HotkeySpec> HotkeyManager::effectiveShortcut(ShortcutAction action) const {
    const auto found = m_overrides.constFind(action);
    if (found != m_overrides.constEnd()) {
        return *found;
    }
    return HotkeySpec::defaultShortcut(action, m_keyCodeForCharacter);
}

QString HotkeyManager::effectiveShortcutText(ShortcutAction action, const LanguageBundle& bundle,
                                             const QLocale& locale) const {
    if (const std::optional<HotkeySpec> spec = effectiveShortcut(action)) {
        return displayString(*spec, m_characterForKeyCode, bundle, locale);
    }
    return defaultShortcutTextWithoutKey(action);
}

std::optional<ShortcutAction> HotkeyManager::matchedAction(const KeyDownEvent& event) const {
    if (m_recordingAction || event.isRepeat) {
        return std::nullopt;
    }
    const quint64 modifiers = event.modifierFlags & HotkeySpec::relevantModifierMask;
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
// on every layout, wherever that key sits.
std::optional<ShortcutAction> HotkeyManager::matchedDefault(const KeyDownEvent& event) const {
    if ((event.modifierFlags & HotkeySpec::relevantModifierMask) != HotkeySpec::controlCommandFlags) {
        return std::nullopt;
    }
    if (m_overrides.size() == static_cast<qsizetype>(allShortcutActions.size()) || !m_characterForKeyCode) {
        return std::nullopt;
    }
    const std::optional<QString> typed = m_characterForKeyCode(event.keyCode);
    if (!typed) {
        return std::nullopt;
    }
    const QString character = typed->toLower();
    for (const ShortcutAction action : allShortcutActions) {
        if (!m_overrides.contains(action) && character == defaultCharacter(action)) {
            return action;
        }
    }
    return std::nullopt;
}

void HotkeyManager::handleKeyDown(const KeyDownEvent& event) {
    const std::optional<ShortcutAction> action = matchedAction(event);
    if (!action) {
        return;
    }
    const Handler& handler =
        *action == ShortcutAction::startStopCollecting ? m_toggleCollectingHandler : m_pasteRequestHandler;
    if (handler) {
        handler();
    }
}

} // namespace sorvu
