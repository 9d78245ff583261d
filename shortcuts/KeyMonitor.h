#pragma once

#include "shortcuts/KeyDownEvent.h"

#include <functional>

namespace sorvu {

// A session that lets Sorvu watch every key press.
class KeyMonitor {
public:
    virtual ~KeyMonitor() = default;

    // From now on until the process ends, calls the handler on the main thread for every key press of the
    // session, in other programs and in ours, once per press.
    virtual void installKeyDownMonitor(std::function<void(const KeyDownEvent&)> handler) = 0;
};

} // namespace sorvu
