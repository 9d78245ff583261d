// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11WindowHints.h"

#include "platform/x11/X11Access.h"

#include <QWindow>

#include <xcb/xcb.h>

namespace sorvu {

namespace {

constexpr quint32 netWmStateAdd = 1;
constexpr quint32 sourceIndicationApplication = 1;

xcb_atom_t intern(xcb_connection_t* connection, const char* name) {
    const x11::Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, quint16(qstrlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

} // namespace

void skipTaskbarAndPager(QWindow& window) {
    xcb_connection_t* connection = x11::qtConnection();
    if (!connection) {
        return;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = xcb_window_t(window.winId());
    message.type = intern(connection, "_NET_WM_STATE");
    message.data.data32[0] = netWmStateAdd;
    message.data.data32[1] = intern(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    message.data.data32[2] = intern(connection, "_NET_WM_STATE_SKIP_PAGER");
    message.data.data32[3] = sourceIndicationApplication;
    xcb_send_event(connection, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

} // namespace sorvu
