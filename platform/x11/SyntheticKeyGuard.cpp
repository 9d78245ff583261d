#include "platform/x11/SyntheticKeyGuard.h"

#include <algorithm>

namespace sorvu {

namespace {

// Far longer than a posted event takes to come back, short enough that a stale announcement cannot
// swallow a later press of the user's.
constexpr std::chrono::milliseconds announcementLifetime{1000};

} // namespace

SyntheticKeyGuard& SyntheticKeyGuard::shared() {
    static SyntheticKeyGuard instance;
    return instance;
}

void SyntheticKeyGuard::expect(quint16 keyCode, bool press) {
    dropExpired();
    m_expected.push_back(Expected{keyCode, press, Clock::now() + announcementLifetime});
}

bool SyntheticKeyGuard::consume(quint16 keyCode, bool press) {
    dropExpired();
    const auto match = std::find_if(m_expected.begin(), m_expected.end(), [&](const Expected& expected) {
        return expected.keyCode == keyCode && expected.press == press;
    });
    if (match == m_expected.end()) {
        return false;
    }
    m_expected.erase(match);
    return true;
}

int SyntheticKeyGuard::pendingCount() {
    dropExpired();
    return int(m_expected.size());
}

void SyntheticKeyGuard::dropExpired() {
    const auto now = Clock::now();
    std::erase_if(m_expected, [now](const Expected& expected) { return expected.expiry <= now; });
}

} // namespace sorvu
