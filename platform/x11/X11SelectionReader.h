// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QList>

#include <memory>
#include <optional>

namespace sorvu {

class X11SelectionConnection;

// Reads the CLIPBOARD selection on an X connection of its own, with a deadline: Qt's reader waits up to
// five seconds for an owner, which would freeze the program behind a hung one. Handles incremental (INCR)
// transfers, bounded in time and size as a whole. Never used for content the program owns itself: the
// program would be waiting for its own answer.
//
// The same connection follows the selection's owner changes (XFixes). Since the server delivers events and
// the answers to our requests in the order it handles them, an owner change that happened before a read
// reached the owner is counted by the time that read returns: a count taken before and after the reads
// tells whether they all came from one owner.
class X11SelectionReader {
public:
    enum class Outcome { data, refused, timedOut, tooLarge, failed };

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
    // The connection's socket, readable when events (owner changes) may be waiting; -1 when not connected.
    int fileDescriptor() const;

    // The owner's conversion of the selection to the target, complete before the deadline and at most
    // `maximumBytes` long (else `tooLarge`, without reading the rest).
    Reply read(const QByteArray& target, const QDeadlineTimer& deadline, qint64 maximumBytes);

    // The target names the owner offers, in its order; nothing when it did not answer in time.
    std::optional<QList<QByteArray>> targets(const QDeadlineTimer& deadline);
    // Whether some window owns the selection now (the server answers, not the owner).
    bool hasOwner();
    // Whether the selection's owner now is a window of the window manager's own client (the server answers).
    // GNOME's compositor owns it so while it keeps a copy whose program quit, and while it hands a Wayland
    // program's copy to X11 programs.
    bool isOwnedByWindowManager();

    // How many times the selection changed owner (a new copy anywhere, ours included) since the connection
    // opened, as far as the events read so far tell.
    quint64 ownerChanges() const;
    // Reads the events that have arrived, without waiting.
    void readPendingEvents();
    // Waits for the server to handle everything asked of it so far (one round trip), then reads the events:
    // an owner change made on another connection that the server has handled is counted afterwards.
    void synchronize();
    // The server's time now, read from a property change of the reader's own window; nothing when the
    // server does not answer before the deadline.
    std::optional<quint32> serverTime(const QDeadlineTimer& deadline);

private:
    // The window that owns the selection now; nothing without an owner.
    std::optional<quint32> owner();

    // Requests are answered into one of a few properties in turn, so that the late answer of an owner we
    // stopped waiting for never lands where the next request reads.
    static constexpr int propertyCount = 4;

    std::unique_ptr<X11SelectionConnection> m_connection;
    quint32 m_incr = 0;
    quint32 m_timestamp = 0;
    quint32 m_properties[propertyCount] = {};
    int m_nextProperty = 0;
};

} // namespace sorvu
