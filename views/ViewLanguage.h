// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "preferences/Localization.h"

#include <QLocale>
#include <QObject>
#include <QString>
#include <QVariantList>

namespace sorvu {

class LanguagePreferenceStore;

// The language every text of the popup is shown in: the one the user chose, else the system's. Models
// build their texts through it and rebuild them when it announces a change, so a new choice reaches every
// text of an open popup at once.
class ViewLanguage : public QObject {
    Q_OBJECT

public:
    explicit ViewLanguage(LanguagePreferenceStore& store, QObject* parent = nullptr);

    // The key's translation with "%lld" and "%@" filled in order.
    QString text(const char* englishKey, const QVariantList& arguments = {}) const;
    QLocale locale() const;
    // For the texts that shared helpers build from a catalog (action titles, shortcut names).
    TranslationCatalog catalog() const;

signals:
    void changed();

private:
    void follow();

    LanguagePreferenceStore& m_store;
    // Derived from the chosen language once per choice: rows ask for texts on every repaint.
    TranslationCatalog m_catalog;
    QLocale m_locale;
};

} // namespace sorvu
