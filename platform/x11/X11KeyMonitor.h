#pragma once

#include "shortcuts/KeyMonitor.h"

#include <QByteArray>
#include <QObject>

#include <functional>
#include <memory>
#include <vector>

namespace sorvu {

// Every key press of the X session, read as XInput 2 raw events on the root window over a connection of
// its own: passive, it sees keys typed into other programs and into ours alike and takes them from no one.
// Raw events carry neither modifier state nor a dependable repeat flag, so the monitor keeps the set of
// keys that are down: a press of a key already down is a repeat, and the modifier flags are those of the
// modifier keys down at the press. Modifier keys themselves (every key the server's modifier map binds)
// only change the flags and are not reported. Key presses that Sorvu posts itself are not reported.
class X11KeyMonitor : public QObject, public KeyMonitor {
    Q_OBJECT

public:
    // Connects to the given display; an empty name means the one the Qt application uses.
    explicit X11KeyMonitor(const QByteArray& displayName = {}, QObject* parent = nullptr);
    ~X11KeyMonitor() override;

    void installKeyDownMonitor(std::function<void(const KeyDownEvent&)> handler) override;

    // Whether raw key events are being received.
    bool isWatching() const;

private:
    void readEvents();

    struct State;
    std::unique_ptr<State> m_state;
    std::vector<std::function<void(const KeyDownEvent&)>> m_handlers;
};

} // namespace sorvu
