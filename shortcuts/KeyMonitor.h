#pragma once

#include "shortcuts/KeyModifiers.h"

#include <QtGlobal>

#include <functional>

namespace sorvu {

// One key press anywhere in the session. The key code is the X11 keycode (the key's position, not what it
// types).
struct KeyDownEvent {
    quint16 keyCode = 0;
    KeyModifiers modifiers;
    bool isRepeat = false;
};

// A session that lets Sorvu watch every key press.
class KeyMonitor {
public:
    virtual ~KeyMonitor() = default;

    // From now on until the process ends, calls the handler on the main thread for every key press of the
    // session, in other programs and in ours, once per press.
    virtual void installKeyDownMonitor(std::function<void(const KeyDownEvent&)> handler) = 0;
};

} // namespace sorvu
