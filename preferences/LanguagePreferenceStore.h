// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "preferences/LanguagePreferenceStorage.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

namespace sorvu {

// The chosen interface language, shared by everything that shows text. A change is announced at once so
// that every view re-translates without a restart.
class LanguagePreferenceStore : public QObject {
    Q_OBJECT

public:
    // Reads the stored code once; afterwards only choose() changes it.
    explicit LanguagePreferenceStore(std::shared_ptr<LanguagePreferenceStorage> store, QObject* parent = nullptr);

    // Nothing: follow the system. An unrecognised stored code is kept as it is.
    const std::optional<QString>& preferredLanguageCode() const { return m_preferredLanguageCode; }

    // Takes the code (nothing for "System") and saves it right away.
    void choose(const std::optional<QString>& languageCode);

signals:
    void preferredLanguageCodeChanged();

private:
    std::optional<QString> m_preferredLanguageCode;
    std::shared_ptr<LanguagePreferenceStorage> m_store;
};

} // namespace sorvu
