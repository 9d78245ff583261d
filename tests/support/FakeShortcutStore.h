#pragma once

#include "shortcuts/ShortcutStoring.h"

#include <QMap>

#include <utility>
#include <vector>

namespace sorvu::test {

// Overrides in memory, with a record of every call.
class FakeShortcutStore : public ShortcutStoring {
public:
    QMap<ShortcutAction, HotkeySpec> stored;
    mutable int reads = 0;
    std::vector<std::pair<std::optional<HotkeySpec>, ShortcutAction>> writes;

    std::optional<HotkeySpec> overrideFor(ShortcutAction action) const override {
        ++reads;
        const auto found = stored.constFind(action);
        if (found == stored.constEnd()) {
            return std::nullopt;
        }
        return *found;
    }
    void setOverride(std::optional<HotkeySpec> spec, ShortcutAction action) override {
        writes.emplace_back(spec, action);
        if (spec) {
            stored.insert(action, *spec);
        } else {
            stored.remove(action);
        }
    }
};

} // namespace sorvu::test
