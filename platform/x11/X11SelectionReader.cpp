// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11SelectionReader.h"

#include "platform/x11/X11Access.h"
#include "platform/x11/X11SelectionConnection.h"

#include <xcb/xcb.h>

#include <cstring>

namespace sorvu {

X11SelectionReader::X11SelectionReader(const QByteArray& displayName)
    : m_connection(std::make_unique<X11SelectionConnection>(displayName)) {
    if (m_connection->connection() == nullptr) {
        return;
    }
    m_incr = m_connection->atom("INCR");
    m_timestamp = m_connection->atom("SORVU_TIMESTAMP");
    for (int index = 0; index < propertyCount; ++index) {
        m_properties[index] = m_connection->atom("SORVU_SELECTION_" + QByteArray::number(index));
    }
}

X11SelectionReader::~X11SelectionReader() = default;

bool X11SelectionReader::isConnected() const {
    return m_connection->isConnected();
}

int X11SelectionReader::fileDescriptor() const {
    return m_connection->fileDescriptor();
}

quint64 X11SelectionReader::ownerChanges() const {
    return m_connection->ownerChanges();
}

void X11SelectionReader::readPendingEvents() {
    m_connection->readPendingEvents();
}

void X11SelectionReader::synchronize() {
    m_connection->synchronize();
}

X11SelectionReader::Reply X11SelectionReader::read(const QByteArray& target, const QDeadlineTimer& deadline,
                                                   qint64 maximumBytes) {
    Reply reply;
    if (!isConnected()) {
        return reply;
    }
    X11SelectionConnection& c = *m_connection;
    const xcb_atom_t targetAtom = c.atom(target);
    const xcb_atom_t property = m_properties[m_nextProperty];
    m_nextProperty = (m_nextProperty + 1) % propertyCount;

    readPendingEvents();
    xcb_delete_property(c.connection(), c.window(), property);
    xcb_convert_selection(c.connection(), c.window(), c.clipboard(), targetAtom, property, XCB_CURRENT_TIME);
    xcb_flush(c.connection());

    for (;;) {
        const std::optional<X11SelectionConnection::SelectionNotice> notice = c.nextSelectionNotice(deadline);
        if (!notice) {
            reply.outcome = isConnected() ? Outcome::timedOut : Outcome::failed;
            return reply;
        }
        if (notice->selection != c.clipboard() || notice->target != targetAtom) {
            continue;
        }
        if (notice->property == XCB_ATOM_NONE) {
            reply.outcome = Outcome::refused;
            return reply;
        }
        if (notice->property == property) {
            break;
        }
    }

    X11SelectionConnection::Property first = c.takeProperty(property, maximumBytes);
    if (first.tooLarge) {
        reply.outcome = Outcome::tooLarge;
        return reply;
    }
    if (!first.ok) {
        return reply;
    }
    if (first.type != m_incr) {
        reply.outcome = Outcome::data;
        reply.data = std::move(first.value);
        return reply;
    }

    // Incremental: deleting the property (done by reading it) asks for each next piece; an empty piece ends.
    // The whole transfer shares the deadline, however steadily the pieces come.
    if (first.value.size() >= 4) {
        quint32 announcedSize = 0;
        std::memcpy(&announcedSize, first.value.constData(), sizeof(announcedSize));
        if (announcedSize > maximumBytes) {
            reply.outcome = Outcome::tooLarge;
            return reply;
        }
        reply.data.reserve(qsizetype(announcedSize));
    }
    for (;;) {
        const std::optional<X11SelectionConnection::PropertyChange> change = c.nextPropertyChange(deadline);
        if (!change) {
            reply.outcome = isConnected() ? Outcome::timedOut : Outcome::failed;
            reply.data.clear();
            return reply;
        }
        if (change->atom != property || !change->newValue) {
            continue;
        }
        X11SelectionConnection::Property piece = c.takeProperty(property, maximumBytes - reply.data.size());
        if (piece.tooLarge) {
            reply.outcome = Outcome::tooLarge;
            reply.data.clear();
            return reply;
        }
        if (!piece.ok) {
            reply.data.clear();
            return reply;
        }
        if (piece.value.isEmpty()) {
            reply.outcome = Outcome::data;
            return reply;
        }
        reply.data.append(piece.value);
    }
}

std::optional<quint32> X11SelectionReader::serverTime(const QDeadlineTimer& deadline) {
    if (!isConnected()) {
        return std::nullopt;
    }
    X11SelectionConnection& c = *m_connection;
    xcb_change_property(c.connection(), XCB_PROP_MODE_APPEND, c.window(), m_timestamp, XCB_ATOM_INTEGER, 32, 0,
                        nullptr);
    xcb_flush(c.connection());
    while (const std::optional<X11SelectionConnection::PropertyChange> change = c.nextPropertyChange(deadline)) {
        if (change->atom == m_timestamp) {
            return change->time;
        }
    }
    return std::nullopt;
}

std::optional<QList<QByteArray>> X11SelectionReader::targets(const QDeadlineTimer& deadline) {
    // A list of atoms: a few hundred bytes, far below any limit worth setting.
    constexpr qint64 maximumTargetsBytes = 64 * 1024;
    const Reply reply = read(QByteArrayLiteral("TARGETS"), deadline, maximumTargetsBytes);
    if (reply.outcome == Outcome::refused) {
        return QList<QByteArray>();
    }
    if (reply.outcome != Outcome::data) {
        return std::nullopt;
    }
    QList<quint32> values;
    for (qsizetype offset = 0; offset + 4 <= reply.data.size(); offset += 4) {
        quint32 value = 0;
        std::memcpy(&value, reply.data.constData() + offset, sizeof(value));
        values.append(value);
    }
    return m_connection->atomNames(values);
}

std::optional<quint32> X11SelectionReader::owner() {
    if (!isConnected()) {
        return std::nullopt;
    }
    xcb_connection_t* connection = m_connection->connection();
    const x11::Reply<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, m_connection->clipboard()), nullptr));
    if (!owner || owner->owner == XCB_NONE) {
        return std::nullopt;
    }
    return owner->owner;
}

bool X11SelectionReader::hasOwner() {
    return owner().has_value();
}

bool X11SelectionReader::isOwnedByWindowManager() {
    const std::optional<quint32> selectionOwner = owner();
    if (!selectionOwner) {
        return false;
    }
    // An EWMH window manager names a window of its own on the root window.
    xcb_connection_t* connection = m_connection->connection();
    const quint32 checkAtom = m_connection->atom("_NET_SUPPORTING_WM_CHECK");
    const x11::Reply<xcb_get_property_reply_t> check(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, m_connection->root(), checkAtom, XCB_ATOM_WINDOW, 0, 1), nullptr));
    if (!check || xcb_get_property_value_length(check.get()) != int(sizeof(quint32))) {
        return false;
    }
    quint32 managerWindow = 0;
    std::memcpy(&managerWindow, xcb_get_property_value(check.get()), sizeof managerWindow);
    // The server gives each client a range of resource ids: the bits outside the mask name the client.
    const quint32 clientBits = ~xcb_get_setup(connection)->resource_id_mask;
    return (*selectionOwner & clientBits) == (managerWindow & clientBits);
}

} // namespace sorvu
