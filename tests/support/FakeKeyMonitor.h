#pragma once

#include "shortcuts/KeyMonitor.h"

#include <functional>
#include <vector>

namespace sorvu::test {

// Hands key presses to whatever was installed, as the session's key source would.
class FakeKeyMonitor : public KeyMonitor {
public:
    std::vector<std::function<void(const KeyDownEvent&)>> handlers;

    void installKeyDownMonitor(std::function<void(const KeyDownEvent&)> handler) override {
        handlers.push_back(std::move(handler));
    }

    void press(quint16 keyCode, KeyModifiers modifiers, bool isRepeat = false) const {
        for (const auto& handler : handlers) {
            handler(KeyDownEvent{keyCode, modifiers, isRepeat});
        }
    }
};

} // namespace sorvu::test
