// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/wayland/WaylandPipeReader.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace sorvu {

WaylandPipeReader::Result WaylandPipeReader::read(int descriptor, const QDeadlineTimer& deadline, qint64 maximumBytes) {
    Result result;
    if (descriptor < 0) {
        return result;
    }
    constexpr qint64 chunkBytes = 64 * 1024;
    for (;;) {
        // One byte past the limit tells a transfer that is exactly the limit from one that is larger.
        const qint64 room = std::min(chunkBytes, maximumBytes + 1 - result.data.size());
        const qsizetype before = result.data.size();
        result.data.resize(before + room);
        const ssize_t count = ::read(descriptor, result.data.data() + before, size_t(room));
        result.data.resize(before + std::max<ssize_t>(count, 0));
        if (count > 0) {
            if (result.data.size() > maximumBytes) {
                result.outcome = Outcome::tooLarge;
                result.data.clear();
                return result;
            }
            continue;
        }
        if (count == 0) {
            result.outcome = Outcome::data;
            return result;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            result.data.clear();
            return result;
        }
        if (deadline.hasExpired()) {
            result.outcome = Outcome::timedOut;
            result.data.clear();
            return result;
        }
        pollfd waiting{descriptor, POLLIN, 0};
        ::poll(&waiting, 1, int(std::clamp<qint64>(deadline.remainingTime(), 1, 100)));
    }
}

} // namespace sorvu
