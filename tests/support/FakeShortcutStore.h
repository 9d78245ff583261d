// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "shortcuts/ShortcutStore.h"

#include <QMap>

#include <utility>
#include <vector>

namespace sorvu::test {

// Overrides in memory, with a record of every call.
class FakeShortcutStore : public ShortcutStore {
public:
    QMap<ShortcutAction, KeyCombination> stored;
    mutable int reads = 0;
    std::vector<std::pair<std::optional<KeyCombination>, ShortcutAction>> writes;

    std::optional<KeyCombination> overrideFor(ShortcutAction action) const override {
        ++reads;
        const auto found = stored.constFind(action);
        if (found == stored.constEnd()) {
            return std::nullopt;
        }
        return *found;
    }
    void setOverride(std::optional<KeyCombination> spec, ShortcutAction action) override {
        writes.emplace_back(spec, action);
        if (spec) {
            stored.insert(action, *spec);
        } else {
            stored.remove(action);
        }
    }
};

} // namespace sorvu::test
