#pragma once

#include <QtGlobal>

#include <functional>

namespace sorvu {

// One key press anywhere in the session. The key code is the X11 keycode (the key's position, not what it
// types); the modifier flags use the four values Shift 0x20000, Control 0x40000, Alt 0x80000 and
// Super 0x100000.
struct KeyDownEvent {
    quint16 keyCode = 0;
    quint64 modifierFlags = 0;
    bool isRepeat = false;
};

// Where the hotkey manager gets key presses from.
class KeyEventMonitorProviding {
public:
    virtual ~KeyEventMonitorProviding() = default;

    // Whether the process may watch and post keys; lets the system ask the user where it can.
    virtual bool requestTrust() = 0;
    // From now on until the process ends, calls the handler on the main thread for every key press of the
    // session, in other programs and in ours, once per press.
    virtual void installKeyDownMonitor(std::function<void(const KeyDownEvent&)> handler) = 0;
};

} // namespace sorvu
