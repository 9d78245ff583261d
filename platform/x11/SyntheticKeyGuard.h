#pragma once

#include <QtGlobal>

#include <chrono>
#include <deque>

namespace sorvu {

// Marks the key events Sorvu posts itself (the paste keystroke), so that its own key monitor does not take
// them for the user's presses: an override such as Ctrl+V would otherwise paste in a loop. The poster
// announces each event right before posting it, in posting order; the monitor consumes the announcement
// when the event comes back from the server. Announcements that never come back expire after a second.
// Main thread only, like everything else.
class SyntheticKeyGuard {
public:
    using Clock = std::chrono::steady_clock;

    static SyntheticKeyGuard& shared();

    // Announces one key event about to be posted: a press (true) or a release (false) of the key code.
    void expect(quint16 keyCode, bool press);
    // True (and the announcement is used up) when an unexpired announcement matches this event.
    bool consume(quint16 keyCode, bool press);
    // Announcements not consumed yet.
    int pendingCount();

private:
    struct Expected {
        quint16 keyCode;
        bool press;
        Clock::time_point expiry;
    };

    void dropExpired();

    std::deque<Expected> m_expected;
};

} // namespace sorvu
