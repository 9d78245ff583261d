// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11Workspace.h"

#include "engine/Log.h"
#include "platform/x11/X11Access.h"
#include "platform/x11/X11DisplayName.h"

#include <QCoreApplication>
#include <QList>
#include <QSocketNotifier>

#include <xcb/xcb.h>

#include <signal.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <deque>

namespace sorvu {

namespace {

// The pager's source indication: window managers honour such requests without focus-stealing checks.
constexpr std::uint32_t sourceIndicationPager = 2;

} // namespace

struct X11Workspace::State {
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = 0;
    xcb_window_t timeWindow = 0;
    xcb_atom_t activeWindowAtom = 0;
    xcb_atom_t pidAtom = 0;
    xcb_atom_t wmCheckAtom = 0;
    xcb_atom_t timeAtom = 0;
    xcb_window_t lastActive = 0;
    std::unique_ptr<QSocketNotifier> notifier;
    // Events read while waiting for something else, handled at the next read.
    std::deque<xcb_generic_event_t*> deferred;

    ~State() {
        notifier.reset();
        for (xcb_generic_event_t* event : deferred) {
            std::free(event);
        }
        if (connection != nullptr) {
            xcb_disconnect(connection);
        }
    }

    bool open(const QByteArray& displayName) {
        int screenNumber = 0;
        connection = xcb_connect(displayName.isEmpty() ? nullptr : displayName.constData(), &screenNumber);
        if (xcb_connection_has_error(connection)) {
            xcb_disconnect(connection);
            connection = nullptr;
            return false;
        }
        xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
        for (int index = 0; index < screenNumber && screens.rem > 0; ++index) {
            xcb_screen_next(&screens);
        }
        if (screens.rem == 0) {
            return false;
        }
        root = screens.data->root;
        activeWindowAtom = intern("_NET_ACTIVE_WINDOW");
        pidAtom = intern("_NET_WM_PID");
        wmCheckAtom = intern("_NET_SUPPORTING_WM_CHECK");
        timeAtom = intern("_SORVU_TIMESTAMP");

        const std::uint32_t rootMask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &rootMask);
        // An unmapped window of our own whose property changes tell the server's current time.
        timeWindow = xcb_generate_id(connection);
        const std::uint32_t timeWindowValues[] = {1, XCB_EVENT_MASK_PROPERTY_CHANGE};
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, timeWindow, root, -1, -1, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT,
                          XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, timeWindowValues);
        lastActive = activeWindow();
        return !xcb_connection_has_error(connection);
    }

    xcb_atom_t intern(const char* name) {
        const x11::Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(name)), name), nullptr));
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    // The first 32-bit value of a property, or nothing when the window or the property is missing.
    std::optional<std::uint32_t> cardinalProperty(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) {
        const x11::Reply<xcb_get_property_reply_t> reply(
            xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, property, type, 0, 1), nullptr));
        if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4) {
            return std::nullopt;
        }
        return *static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    }

    xcb_window_t activeWindow() { return cardinalProperty(root, activeWindowAtom, XCB_ATOM_WINDOW).value_or(0); }

    qint64 processOf(xcb_window_t window) { return cardinalProperty(window, pidAtom, XCB_ATOM_CARDINAL).value_or(0); }

    bool windowExists(xcb_window_t window) {
        const x11::Reply<xcb_get_window_attributes_reply_t> reply(
            xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr));
        return bool(reply);
    }

    // A round trip that stamps a property of our own window: its notification carries the server's time.
    xcb_timestamp_t serverTime() {
        xcb_change_property(connection, XCB_PROP_MODE_APPEND, timeWindow, timeAtom, XCB_ATOM_INTEGER, 32, 0, nullptr);
        xcb_flush(connection);
        while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
            if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
                const auto* property = reinterpret_cast<xcb_property_notify_event_t*>(event);
                if (property->window == timeWindow && property->atom == timeAtom) {
                    const xcb_timestamp_t time = property->time;
                    std::free(event);
                    return time;
                }
            }
            deferred.push_back(event);
        }
        return XCB_CURRENT_TIME;
    }
};

X11Workspace::X11Workspace(const QByteArray& displayName, QObject* parent)
    : Workspace(parent), m_state(std::make_unique<State>()) {
    qRegisterMetaType<RunningProgram>();
    const QByteArray name = displayName.isEmpty() ? x11DisplayName() : displayName;
    if (!m_state->open(name)) {
        qCCritical(lcUi).noquote()
            << QStringLiteral("workspace unavailable display=%1 reason=noDisplay").arg(QString::fromLocal8Bit(name));
    } else {
        m_state->notifier =
            std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(m_state->connection), QSocketNotifier::Read);
        connect(m_state->notifier.get(), &QSocketNotifier::activated, this, &X11Workspace::readEvents);
        scheduleRead();
    }
}

X11Workspace::~X11Workspace() = default;

bool X11Workspace::isConnected() const {
    return m_state->notifier != nullptr;
}

bool X11Workspace::hasWindowManager() {
    if (!isConnected()) {
        return false;
    }
    // A window manager that died leaves its check window's id behind, but not the window.
    const auto checkWindow = m_state->cardinalProperty(m_state->root, m_state->wmCheckAtom, XCB_ATOM_WINDOW);
    const bool alive = checkWindow && *checkWindow != 0 &&
                       m_state->cardinalProperty(*checkWindow, m_state->wmCheckAtom, XCB_ATOM_WINDOW) == checkWindow;
    scheduleRead();
    return alive;
}

std::optional<RunningProgram> X11Workspace::frontmostProgram() {
    if (!isConnected()) {
        return std::nullopt;
    }
    const xcb_window_t window = m_state->activeWindow();
    std::optional<RunningProgram> result;
    if (window != 0) {
        result = RunningProgram{window, m_state->processOf(window)};
    }
    scheduleRead();
    return result;
}

bool X11Workspace::activate(const RunningProgram& program) {
    if (!hasWindowManager() || isTerminated(program)) {
        return false;
    }
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = xcb_window_t(program.window);
    message.type = m_state->activeWindowAtom;
    message.data.data32[0] = sourceIndicationPager;
    message.data.data32[1] = m_state->serverTime();
    xcb_send_event(m_state->connection, 0, m_state->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(m_state->connection);
    scheduleRead();
    return !xcb_connection_has_error(m_state->connection);
}

std::optional<WindowClass> X11Workspace::windowClass(const RunningProgram& program) {
    if (!isConnected()) {
        return std::nullopt;
    }
    xcb_connection_t* connection = m_state->connection;
    // Two names, each ending in a zero byte; ICCCM caps neither, but a class name is short.
    constexpr std::uint32_t longsToRead = 256;
    const x11::Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection,
                               xcb_get_property(connection, 0, xcb_window_t(program.window), XCB_ATOM_WM_CLASS,
                                                XCB_ATOM_STRING, 0, longsToRead),
                               nullptr));
    scheduleRead();
    if (!reply || reply->format != 8 || xcb_get_property_value_length(reply.get()) <= 0) {
        return std::nullopt;
    }
    const QByteArray value(static_cast<const char*>(xcb_get_property_value(reply.get())),
                           xcb_get_property_value_length(reply.get()));
    const QList<QByteArray> names = value.split('\0');
    // STRING is Latin-1.
    return WindowClass{QString::fromLatin1(names.value(0)), QString::fromLatin1(names.value(1))};
}

bool X11Workspace::isTerminated(const RunningProgram& program) {
    if (!isConnected()) {
        return true;
    }
    const bool windowGone = !m_state->windowExists(xcb_window_t(program.window));
    scheduleRead();
    if (windowGone) {
        return true;
    }
    return program.processId > 0 && ::kill(pid_t(program.processId), 0) != 0 && errno == ESRCH;
}

bool X11Workspace::isOwnProcessFrontmost() {
    const auto front = frontmostProgram();
    return front && front->processId == ownProcessId();
}

void X11Workspace::scheduleRead() {
    // Replies read by a request can bring events into xcb's queue, where the socket notifier never sees them.
    if (!m_readScheduled) {
        m_readScheduled = true;
        QMetaObject::invokeMethod(this, &X11Workspace::readEvents, Qt::QueuedConnection);
    }
}

void X11Workspace::readEvents() {
    m_readScheduled = false;
    State& state = *m_state;
    auto next = [&state]() -> xcb_generic_event_t* {
        if (!state.deferred.empty()) {
            xcb_generic_event_t* event = state.deferred.front();
            state.deferred.pop_front();
            return event;
        }
        return xcb_poll_for_event(state.connection);
    };
    // Every read of the active window is a round trip whose reply can bring later changes into xcb's queue, where
    // the socket notifier never sees them: read again until a pass finds no change.
    for (;;) {
        bool activeChanged = false;
        while (xcb_generic_event_t* event = next()) {
            if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
                const auto* property = reinterpret_cast<xcb_property_notify_event_t*>(event);
                activeChanged |= property->window == state.root && property->atom == state.activeWindowAtom;
            }
            std::free(event);
        }
        if (xcb_connection_has_error(state.connection)) {
            // A lost server leaves the socket readable for good; there is nothing more to read from it.
            state.notifier->setEnabled(false);
            return;
        }
        if (!activeChanged) {
            return;
        }
        // Several changes read at once report only where the focus ended up.
        const xcb_window_t window = state.activeWindow();
        if (window == state.lastActive) {
            continue;
        }
        state.lastActive = window;
        if (window != 0) {
            const RunningProgram program{window, state.processOf(window)};
            // Whoever hears of it may ask the workspace again, and those replies may queue events too.
            scheduleRead();
            emit programActivated(program);
            return;
        }
    }
}

} // namespace sorvu
