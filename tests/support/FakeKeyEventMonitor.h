#pragma once

#include "shortcuts/KeyEventMonitorProviding.h"

#include <functional>
#include <vector>

namespace sorvu::test {

// Hands key presses to whatever was installed, as the session's key source would.
class FakeKeyEventMonitor : public KeyEventMonitorProviding {
public:
    bool trusted = true;
    int trustRequests = 0;
    std::vector<std::function<void(const KeyDownEvent&)>> handlers;

    bool requestTrust() override {
        ++trustRequests;
        return trusted;
    }
    void installKeyDownMonitor(std::function<void(const KeyDownEvent&)> handler) override {
        handlers.push_back(std::move(handler));
    }

    void press(quint16 keyCode, quint64 modifierFlags, bool isRepeat = false) const {
        for (const auto& handler : handlers) {
            handler(KeyDownEvent{keyCode, modifierFlags, isRepeat});
        }
    }
};

} // namespace sorvu::test
