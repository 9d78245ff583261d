// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shortcuts/SettingsShortcutStore.h"

#include "engine/Log.h"

#include <QByteArray>
#include <QVariant>

namespace sorvu {

SettingsShortcutStore::SettingsShortcutStore(std::shared_ptr<QSettings> settings) : m_settings(std::move(settings)) {}

QString SettingsShortcutStore::key(ShortcutAction action) {
    return QStringLiteral("shortcutOverride.") + caseName(action);
}

std::optional<KeyCombination> SettingsShortcutStore::overrideFor(ShortcutAction action) const {
    const QVariant stored = m_settings->value(key(action));
    // Anything but a byte array (nothing, or a string written by hand) is no override and not worth a line.
    if (stored.typeId() != QMetaType::QByteArray) {
        return std::nullopt;
    }
    const auto decoded = KeyCombination::decode(stored.toByteArray());
    if (const auto* error = std::get_if<KeyCombination::CodingError>(&decoded)) {
        // The unreadable value stays where it is until the user sets or resets this shortcut.
        qCCritical(lcShortcutStore).noquote()
            << QStringLiteral("override(for:) decode failed action=%1 domain=%2 code=%3")
                   .arg(caseName(action), error->domain)
                   .arg(error->code);
        return std::nullopt;
    }
    return std::get<KeyCombination>(decoded);
}

void SettingsShortcutStore::setOverride(std::optional<KeyCombination> spec, ShortcutAction action) {
    if (!spec) {
        m_settings->remove(key(action));
        return;
    }
    const auto encoded = spec->encode();
    if (const auto* error = std::get_if<KeyCombination::CodingError>(&encoded)) {
        qCCritical(lcShortcutStore).noquote()
            << QStringLiteral("setOverride(_:for:) encode failed action=%1 domain=%2 code=%3")
                   .arg(caseName(action), error->domain)
                   .arg(error->code);
        return;
    }
    m_settings->setValue(key(action), std::get<QByteArray>(encoded));
}

} // namespace sorvu
