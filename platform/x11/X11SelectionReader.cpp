// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11SelectionReader.h"

#include "platform/x11/X11Access.h"

#include <QHash>

#include <xcb/xcb.h>
#include <xcb/xfixes.h>

#include <poll.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace sorvu {

namespace {

// Requests are answered into one of a few properties in turn, so that the late answer of an owner we
// stopped waiting for never lands where the next request reads.
constexpr int propertyCount = 4;

} // namespace

struct X11SelectionReader::Connection {
    xcb_connection_t* connection = nullptr;
    xcb_window_t window = 0;
    // The first event code of XFixes; -1 without the extension.
    int xfixesFirstEvent = -1;
    quint64 ownerChanges = 0;
    xcb_atom_t clipboard = 0;
    xcb_atom_t incr = 0;
    xcb_atom_t timestamp = 0;
    xcb_atom_t properties[propertyCount] = {};
    int nextProperty = 0;
    QHash<QByteArray, xcb_atom_t> atoms;
    QHash<xcb_atom_t, QByteArray> names;

    ~Connection() {
        if (connection != nullptr) {
            xcb_disconnect(connection);
        }
    }

    xcb_atom_t atom(const QByteArray& name) {
        if (const auto found = atoms.constFind(name); found != atoms.cend()) {
            return *found;
        }
        const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, quint16(name.size()), name.constData());
        x11::Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookie, nullptr));
        const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        if (value != XCB_ATOM_NONE) {
            atoms.insert(name, value);
            names.insert(value, name);
        }
        return value;
    }

    // Names of many atoms with one round trip for all those not seen before.
    QList<QByteArray> atomNames(const QList<xcb_atom_t>& values) {
        QList<xcb_atom_t> unknown;
        for (const xcb_atom_t value : values) {
            if (!names.contains(value) && !unknown.contains(value)) {
                unknown.append(value);
            }
        }
        QList<xcb_get_atom_name_cookie_t> cookies;
        for (const xcb_atom_t value : unknown) {
            cookies.append(xcb_get_atom_name(connection, value));
        }
        for (qsizetype index = 0; index < unknown.size(); ++index) {
            x11::Reply<xcb_get_atom_name_reply_t> reply(
                xcb_get_atom_name_reply(connection, cookies.at(index), nullptr));
            if (reply) {
                const QByteArray name(xcb_get_atom_name_name(reply.get()), xcb_get_atom_name_name_length(reply.get()));
                names.insert(unknown.at(index), name);
                atoms.insert(name, unknown.at(index));
            }
        }
        QList<QByteArray> result;
        for (const xcb_atom_t value : values) {
            if (const auto found = names.constFind(value); found != names.cend()) {
                result.append(*found);
            }
        }
        return result;
    }

    // Counts an owner change of the clipboard; true when the event was one.
    bool countOwnerChange(const xcb_generic_event_t& event) {
        if (xfixesFirstEvent < 0 || (event.response_type & 0x7f) != xfixesFirstEvent + XCB_XFIXES_SELECTION_NOTIFY) {
            return false;
        }
        if (reinterpret_cast<const xcb_xfixes_selection_notify_event_t&>(event).selection == clipboard) {
            ++ownerChanges;
        }
        return true;
    }

    // Every event passes here first, wherever it is read.
    x11::Reply<xcb_generic_event_t> pollEvent() {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            x11::Reply<xcb_generic_event_t> owned(event);
            if (!countOwnerChange(*owned)) {
                return owned;
            }
        }
        return nullptr;
    }

    // The next event, or null when the deadline passed or the connection broke.
    x11::Reply<xcb_generic_event_t> nextEvent(const QDeadlineTimer& deadline) {
        for (;;) {
            if (x11::Reply<xcb_generic_event_t> event = pollEvent()) {
                return event;
            }
            if (xcb_connection_has_error(connection) != 0 || deadline.hasExpired()) {
                return nullptr;
            }
            pollfd descriptor{xcb_get_file_descriptor(connection), POLLIN, 0};
            poll(&descriptor, 1, int(std::clamp<qint64>(deadline.remainingTime(), 1, 100)));
        }
    }

    struct Property {
        xcb_atom_t type = XCB_ATOM_NONE;
        QByteArray value;
        bool ok = false;
        bool tooLarge = false;
    };

    // Reads the property, at most `maximumBytes` of it, and deletes it (which, during an incremental
    // transfer, asks for the next piece). `tooLarge` when more was there.
    Property takeProperty(xcb_atom_t property, qint64 maximumBytes) {
        const auto longs = quint32(std::clamp<qint64>(maximumBytes / 4 + 1, 1, 0x1fffffff));
        const xcb_get_property_cookie_t cookie =
            xcb_get_property(connection, 1, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, longs);
        xcb_flush(connection);
        x11::Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection, cookie, nullptr));
        Property result;
        if (reply) {
            const int length = xcb_get_property_value_length(reply.get());
            result.tooLarge = reply->bytes_after > 0 || length > maximumBytes;
            result.ok = !result.tooLarge;
            result.type = reply->type;
            if (result.ok) {
                result.value = QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())), length);
            }
        }
        return result;
    }
};

X11SelectionReader::X11SelectionReader(const QByteArray& displayName) : m_connection(std::make_unique<Connection>()) {
    int screenNumber = 0;
    xcb_connection_t* connection =
        xcb_connect(displayName.isEmpty() ? nullptr : displayName.constData(), &screenNumber);
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection);
        return;
    }
    m_connection->connection = connection;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int index = 0; index < screenNumber && screens.rem > 0; ++index) {
        xcb_screen_next(&screens);
    }
    m_connection->window = xcb_generate_id(connection);
    // Property changes tell when an incremental transfer delivers its next piece.
    const quint32 eventMask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(connection, 0, m_connection->window, screens.data->root, -10, -10, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &eventMask);
    m_connection->clipboard = m_connection->atom("CLIPBOARD");
    m_connection->incr = m_connection->atom("INCR");
    m_connection->timestamp = m_connection->atom("SORVU_TIMESTAMP");
    if (const xcb_query_extension_reply_t* xfixes = xcb_get_extension_data(connection, &xcb_xfixes_id);
        xfixes != nullptr && xfixes->present) {
        // The extension answers only once its version was asked.
        x11::Reply<xcb_xfixes_query_version_reply_t> version(xcb_xfixes_query_version_reply(
            connection, xcb_xfixes_query_version(connection, XCB_XFIXES_MAJOR_VERSION, XCB_XFIXES_MINOR_VERSION),
            nullptr));
        if (version) {
            m_connection->xfixesFirstEvent = xfixes->first_event;
            xcb_xfixes_select_selection_input(connection, m_connection->window, m_connection->clipboard,
                                              XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                                  XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                                  XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
        }
    }
    for (int index = 0; index < propertyCount; ++index) {
        m_connection->properties[index] = m_connection->atom("SORVU_SELECTION_" + QByteArray::number(index));
    }
    xcb_flush(connection);
}

X11SelectionReader::~X11SelectionReader() = default;

bool X11SelectionReader::isConnected() const {
    return m_connection->connection != nullptr && xcb_connection_has_error(m_connection->connection) == 0;
}

int X11SelectionReader::fileDescriptor() const {
    return isConnected() ? xcb_get_file_descriptor(m_connection->connection) : -1;
}

quint64 X11SelectionReader::ownerChanges() const {
    return m_connection->ownerChanges;
}

void X11SelectionReader::readPendingEvents() {
    if (!isConnected()) {
        return;
    }
    // Anything else waiting belongs to a request given up on; it means nothing now.
    while (m_connection->pollEvent()) {
    }
}

void X11SelectionReader::synchronize() {
    if (!isConnected()) {
        return;
    }
    xcb_connection_t* connection = m_connection->connection;
    x11::Reply<xcb_get_input_focus_reply_t> roundTrip(
        xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    readPendingEvents();
}

X11SelectionReader::Reply X11SelectionReader::read(const QByteArray& target, const QDeadlineTimer& deadline,
                                                   qint64 maximumBytes) {
    Reply reply;
    if (!isConnected()) {
        return reply;
    }
    Connection& c = *m_connection;
    const xcb_atom_t targetAtom = c.atom(target);
    const xcb_atom_t property = c.properties[c.nextProperty];
    c.nextProperty = (c.nextProperty + 1) % propertyCount;

    readPendingEvents();
    xcb_delete_property(c.connection, c.window, property);
    xcb_convert_selection(c.connection, c.window, c.clipboard, targetAtom, property, XCB_CURRENT_TIME);
    xcb_flush(c.connection);

    for (;;) {
        x11::Reply<xcb_generic_event_t> event = c.nextEvent(deadline);
        if (!event) {
            reply.outcome = isConnected() ? Outcome::timedOut : Outcome::failed;
            return reply;
        }
        if ((event->response_type & 0x7f) != XCB_SELECTION_NOTIFY) {
            continue;
        }
        const auto* notify = reinterpret_cast<const xcb_selection_notify_event_t*>(event.get());
        if (notify->requestor != c.window || notify->selection != c.clipboard || notify->target != targetAtom) {
            continue;
        }
        if (notify->property == XCB_ATOM_NONE) {
            reply.outcome = Outcome::refused;
            return reply;
        }
        if (notify->property == property) {
            break;
        }
    }

    Connection::Property first = c.takeProperty(property, maximumBytes);
    if (first.tooLarge) {
        reply.outcome = Outcome::tooLarge;
        return reply;
    }
    if (!first.ok) {
        return reply;
    }
    if (first.type != c.incr) {
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
        x11::Reply<xcb_generic_event_t> event = c.nextEvent(deadline);
        if (!event) {
            reply.outcome = isConnected() ? Outcome::timedOut : Outcome::failed;
            reply.data.clear();
            return reply;
        }
        if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY) {
            continue;
        }
        const auto* change = reinterpret_cast<const xcb_property_notify_event_t*>(event.get());
        if (change->window != c.window || change->atom != property || change->state != XCB_PROPERTY_NEW_VALUE) {
            continue;
        }
        Connection::Property piece = c.takeProperty(property, maximumBytes - reply.data.size());
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
    Connection& c = *m_connection;
    xcb_change_property(c.connection, XCB_PROP_MODE_APPEND, c.window, c.timestamp, XCB_ATOM_INTEGER, 32, 0, nullptr);
    xcb_flush(c.connection);
    while (x11::Reply<xcb_generic_event_t> event = c.nextEvent(deadline)) {
        if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY) {
            continue;
        }
        const auto* change = reinterpret_cast<const xcb_property_notify_event_t*>(event.get());
        if (change->window == c.window && change->atom == c.timestamp) {
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
    QList<xcb_atom_t> values;
    for (qsizetype offset = 0; offset + 4 <= reply.data.size(); offset += 4) {
        quint32 value = 0;
        std::memcpy(&value, reply.data.constData() + offset, sizeof(value));
        values.append(value);
    }
    return m_connection->atomNames(values);
}

bool X11SelectionReader::hasOwner() {
    if (!isConnected()) {
        return false;
    }
    Connection& c = *m_connection;
    const x11::Reply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(c.connection, xcb_get_selection_owner(c.connection, c.clipboard), nullptr));
    return owner && owner->owner != XCB_NONE;
}

} // namespace sorvu
