// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11SelectionConnection.h"

#include "platform/x11/X11Access.h"

#include <xcb/xcb.h>
#include <xcb/xfixes.h>

#include <poll.h>

#include <algorithm>

namespace sorvu {

X11SelectionConnection::X11SelectionConnection(const QByteArray& displayName) {
    int screenNumber = 0;
    xcb_connection_t* connection =
        xcb_connect(displayName.isEmpty() ? nullptr : displayName.constData(), &screenNumber);
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection);
        return;
    }
    m_connection = connection;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int index = 0; index < screenNumber && screens.rem > 0; ++index) {
        xcb_screen_next(&screens);
    }
    m_root = screens.data->root;
    m_window = xcb_generate_id(connection);
    // Property changes tell when an incremental transfer delivers its next piece.
    const quint32 eventMask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(connection, 0, m_window, screens.data->root, -10, -10, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &eventMask);
    m_clipboard = atom("CLIPBOARD");
    if (const xcb_query_extension_reply_t* xfixes = xcb_get_extension_data(connection, &xcb_xfixes_id);
        xfixes != nullptr && xfixes->present) {
        // The extension answers only once its version was asked.
        x11::Reply<xcb_xfixes_query_version_reply_t> version(xcb_xfixes_query_version_reply(
            connection, xcb_xfixes_query_version(connection, XCB_XFIXES_MAJOR_VERSION, XCB_XFIXES_MINOR_VERSION),
            nullptr));
        if (version) {
            m_xfixesFirstEvent = xfixes->first_event;
            xcb_xfixes_select_selection_input(connection, m_window, m_clipboard,
                                              XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                                  XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                                  XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
        }
    }
    xcb_flush(connection);
}

X11SelectionConnection::~X11SelectionConnection() {
    if (m_connection != nullptr) {
        xcb_disconnect(m_connection);
    }
}

bool X11SelectionConnection::isConnected() const {
    return m_connection != nullptr && xcb_connection_has_error(m_connection) == 0;
}

int X11SelectionConnection::fileDescriptor() const {
    return isConnected() ? xcb_get_file_descriptor(m_connection) : -1;
}

quint32 X11SelectionConnection::atom(const QByteArray& name) {
    if (const auto found = m_atoms.constFind(name); found != m_atoms.cend()) {
        return *found;
    }
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(m_connection, 0, quint16(name.size()), name.constData());
    x11::Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(m_connection, cookie, nullptr));
    const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    if (value != XCB_ATOM_NONE) {
        m_atoms.insert(name, value);
        m_names.insert(value, name);
    }
    return value;
}

QList<QByteArray> X11SelectionConnection::atomNames(const QList<quint32>& values) {
    QList<xcb_atom_t> unknown;
    for (const xcb_atom_t value : values) {
        if (!m_names.contains(value) && !unknown.contains(value)) {
            unknown.append(value);
        }
    }
    QList<xcb_get_atom_name_cookie_t> cookies;
    for (const xcb_atom_t value : unknown) {
        cookies.append(xcb_get_atom_name(m_connection, value));
    }
    for (qsizetype index = 0; index < unknown.size(); ++index) {
        x11::Reply<xcb_get_atom_name_reply_t> reply(xcb_get_atom_name_reply(m_connection, cookies.at(index), nullptr));
        if (reply) {
            const QByteArray name(xcb_get_atom_name_name(reply.get()), xcb_get_atom_name_name_length(reply.get()));
            m_names.insert(unknown.at(index), name);
            m_atoms.insert(name, unknown.at(index));
        }
    }
    QList<QByteArray> result;
    for (const xcb_atom_t value : values) {
        if (const auto found = m_names.constFind(value); found != m_names.cend()) {
            result.append(*found);
        }
    }
    return result;
}

template <typename Handle> bool X11SelectionConnection::pollEvent(const Handle& handle) {
    const x11::Reply<xcb_generic_event_t> event(xcb_poll_for_event(m_connection));
    if (!event) {
        return false;
    }
    const bool ownerChange =
        m_xfixesFirstEvent >= 0 && (event->response_type & 0x7f) == m_xfixesFirstEvent + XCB_XFIXES_SELECTION_NOTIFY;
    if (!ownerChange) {
        handle(*event);
    } else if (reinterpret_cast<const xcb_xfixes_selection_notify_event_t&>(*event).selection == m_clipboard) {
        ++m_ownerChanges;
    }
    return true;
}

template <typename Result, typename Match>
std::optional<Result> X11SelectionConnection::nextMatching(const QDeadlineTimer& deadline, const Match& match) {
    for (;;) {
        std::optional<Result> result;
        while (!result && pollEvent([&](const xcb_generic_event_t& event) { result = match(event); })) {
        }
        if (result) {
            return result;
        }
        if (xcb_connection_has_error(m_connection) != 0 || deadline.hasExpired()) {
            return std::nullopt;
        }
        pollfd descriptor{xcb_get_file_descriptor(m_connection), POLLIN, 0};
        poll(&descriptor, 1, int(std::clamp<qint64>(deadline.remainingTime(), 1, 100)));
    }
}

void X11SelectionConnection::readPendingEvents() {
    if (!isConnected()) {
        return;
    }
    // Anything else waiting belongs to a request given up on; it means nothing now.
    while (pollEvent([](const xcb_generic_event_t&) {})) {
    }
}

void X11SelectionConnection::synchronize() {
    if (!isConnected()) {
        return;
    }
    x11::Reply<xcb_get_input_focus_reply_t> roundTrip(
        xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    readPendingEvents();
}

std::optional<X11SelectionConnection::SelectionNotice>
X11SelectionConnection::nextSelectionNotice(const QDeadlineTimer& deadline) {
    return nextMatching<SelectionNotice>(
        deadline, [this](const xcb_generic_event_t& event) -> std::optional<SelectionNotice> {
            if ((event.response_type & 0x7f) != XCB_SELECTION_NOTIFY) {
                return std::nullopt;
            }
            const auto& notify = reinterpret_cast<const xcb_selection_notify_event_t&>(event);
            if (notify.requestor != m_window) {
                return std::nullopt;
            }
            return SelectionNotice{notify.selection, notify.target, notify.property};
        });
}

std::optional<X11SelectionConnection::PropertyChange>
X11SelectionConnection::nextPropertyChange(const QDeadlineTimer& deadline) {
    return nextMatching<PropertyChange>(
        deadline, [this](const xcb_generic_event_t& event) -> std::optional<PropertyChange> {
            if ((event.response_type & 0x7f) != XCB_PROPERTY_NOTIFY) {
                return std::nullopt;
            }
            const auto& change = reinterpret_cast<const xcb_property_notify_event_t&>(event);
            if (change.window != m_window) {
                return std::nullopt;
            }
            return PropertyChange{change.atom, change.time, change.state == XCB_PROPERTY_NEW_VALUE};
        });
}

X11SelectionConnection::Property X11SelectionConnection::takeProperty(quint32 property, qint64 maximumBytes) {
    const auto longs = quint32(std::clamp<qint64>(maximumBytes / 4 + 1, 1, 0x1fffffff));
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(m_connection, 1, m_window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, longs);
    xcb_flush(m_connection);
    x11::Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(m_connection, cookie, nullptr));
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

} // namespace sorvu
