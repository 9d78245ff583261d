#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QList>

#include <memory>
#include <optional>

namespace sorvu {

// Reads the CLIPBOARD selection on an X connection of its own, with a deadline: Qt's reader waits up to
// five seconds for an owner, which would freeze the program behind a hung one. Handles incremental
// (INCR) transfers of any size. Never used for content the program owns itself: the program would be
// waiting for its own answer.
class X11SelectionReader {
public:
    enum class Outcome { data, refused, timedOut, failed };

    struct Reply {
        Outcome outcome = Outcome::failed;
        QByteArray data;
    };

    // Connects to the named display (empty: $DISPLAY).
    explicit X11SelectionReader(const QByteArray& displayName);
    ~X11SelectionReader();
    X11SelectionReader(const X11SelectionReader&) = delete;
    X11SelectionReader& operator=(const X11SelectionReader&) = delete;

    bool isConnected() const;

    // The owner's conversion of the selection to the target. The owner must answer before the deadline;
    // an incremental transfer may go on past it as long as each next piece arrives within
    // `stallMilliseconds` of the previous one.
    Reply read(const QByteArray& target, const QDeadlineTimer& deadline, int stallMilliseconds = 500);

    // The target names the owner offers, in its order; nothing when it did not answer in time.
    std::optional<QList<QByteArray>> targets(const QDeadlineTimer& deadline);

private:
    struct Connection;
    std::unique_ptr<Connection> m_connection;
};

} // namespace sorvu
