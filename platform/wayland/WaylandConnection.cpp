// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/wayland/WaylandConnection.h"

#include "engine/Log.h"
#include "platform/wayland/WaylandDataControl.h"
#include "platform/wayland/WaylandToplevels.h"

#include "ext-data-control-v1-client-protocol.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <wayland-client.h>

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace sorvu {

namespace {

// The highest versions whose events Sorvu handles: a newer compositor speaks the older version to us.
constexpr quint32 seatVersion = 5;
constexpr quint32 toplevelManagerVersion = 3;

template <typename Proxy>
Proxy* bind(wl_registry* registry, quint32 name, const wl_interface* interface, quint32 offered, quint32 wanted) {
    return static_cast<Proxy*>(wl_registry_bind(registry, name, interface, std::min(offered, wanted)));
}

QString yesNo(bool value) {
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

} // namespace

// The C callbacks of the registry and the seat; `data` is the connection.
struct WaylandConnection::Listeners {
    static void global(void* data, wl_registry*, uint32_t name, const char* interface, uint32_t version) {
        static_cast<WaylandConnection*>(data)->bindGlobal(name, interface, version);
    }
    static void globalRemove(void*, wl_registry*, uint32_t) {
        // A seat or manager that goes away takes its objects with it (they become inert): nothing to undo.
    }
    static void capabilities(void* data, wl_seat*, uint32_t capabilities) {
        auto* self = static_cast<WaylandConnection*>(data);
        const bool hasKeyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
        if (hasKeyboard != self->m_seatHasKeyboard) {
            self->m_seatHasKeyboard = hasKeyboard;
            emit self->seatKeyboardChanged(hasKeyboard);
        }
    }
    static void seatName(void* data, wl_seat*, const char* name) {
        static_cast<WaylandConnection*>(data)->m_offered.seatName = QString::fromUtf8(name);
    }

    static constexpr wl_registry_listener registry{.global = global, .global_remove = globalRemove};
    static constexpr wl_seat_listener seat{.capabilities = capabilities, .name = seatName};
};

WaylandConnection::WaylandConnection(const QByteArray& socket, QObject* parent) : QObject(parent) {
    m_display = wl_display_connect(socket.isEmpty() ? nullptr : socket.constData());
    if (m_display == nullptr) {
        qCWarning(lcUi).noquote() << QStringLiteral("wayland connection failed socket=%1 reason=%2")
                                         .arg(QString::fromLocal8Bit(socket.isEmpty() ? qgetenv("WAYLAND_DISPLAY")
                                                                                      : socket),
                                              QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    const QDeadlineTimer deadline(startMilliseconds);
    wl_registry* registry = wl_display_get_registry(m_display);
    m_registry = reinterpret_cast<wl_proxy*>(registry);
    wl_registry_add_listener(registry, &Listeners::registry, this);
    // First the globals; the objects made from them must have their listeners before their first events.
    if (!roundTrip(deadline)) {
        checkError();
        return;
    }
    if (m_seat != nullptr) {
        wl_seat_add_listener(m_seat, &Listeners::seat, this);
        if (m_extDataControlManager != nullptr) {
            m_dataControl = WaylandDataControl::createExt(*this, m_extDataControlManager);
            m_offered.dataControl = DataControlFlavour::ext;
        } else if (m_wlrDataControlManager != nullptr) {
            m_dataControl = WaylandDataControl::createWlr(*this, m_wlrDataControlManager);
            m_offered.dataControl = DataControlFlavour::wlr;
        }
    }
    if (m_toplevelManager != nullptr) {
        m_toplevels = std::make_unique<WaylandToplevels>(*this, m_toplevelManager);
    }
    // Then the seat's name and keyboard, the clipboard's content and the windows, all sent on binding.
    roundTrip(deadline);
    m_offered.seat = m_seat != nullptr;
    m_offered.virtualKeyboard = m_virtualKeyboardManager != nullptr && m_seat != nullptr;
    m_offered.foreignToplevel = m_toplevels != nullptr;

    // Asked before the application exists, the connection only tells what the compositor offers.
    if (QCoreApplication::instance() == nullptr) {
        checkError();
        return;
    }
    m_readNotifier = std::make_unique<QSocketNotifier>(wl_display_get_fd(m_display), QSocketNotifier::Read);
    connect(m_readNotifier.get(), &QSocketNotifier::activated, this, &WaylandConnection::readPendingEvents);
    m_writeNotifier = std::make_unique<QSocketNotifier>(wl_display_get_fd(m_display), QSocketNotifier::Write);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier.get(), &QSocketNotifier::activated, this, &WaylandConnection::flush);
    checkError();
}

WaylandConnection::~WaylandConnection() {
    m_readNotifier.reset();
    m_writeNotifier.reset();
    // Their objects first, then the globals they were made from.
    m_dataControl.reset();
    m_toplevels.reset();
    if (m_display == nullptr) {
        return;
    }
    if (m_extDataControlManager != nullptr) {
        ext_data_control_manager_v1_destroy(reinterpret_cast<ext_data_control_manager_v1*>(m_extDataControlManager));
    }
    if (m_wlrDataControlManager != nullptr) {
        zwlr_data_control_manager_v1_destroy(reinterpret_cast<zwlr_data_control_manager_v1*>(m_wlrDataControlManager));
    }
    if (m_virtualKeyboardManager != nullptr) {
        zwp_virtual_keyboard_manager_v1_destroy(m_virtualKeyboardManager);
    }
    if (m_toplevelManager != nullptr) {
        zwlr_foreign_toplevel_manager_v1_destroy(m_toplevelManager);
    }
    if (m_seat != nullptr) {
        if (m_seatVersion >= WL_SEAT_RELEASE_SINCE_VERSION) {
            wl_seat_release(m_seat);
        } else {
            wl_seat_destroy(m_seat);
        }
    }
    wl_registry_destroy(reinterpret_cast<wl_registry*>(m_registry));
    wl_display_flush(m_display);
    wl_display_disconnect(m_display);
}

void WaylandConnection::bindGlobal(quint32 name, const char* interface, quint32 version) {
    auto* registry = reinterpret_cast<wl_registry*>(m_registry);
    const QByteArray which(interface);
    if (which == wl_seat_interface.name && m_seat == nullptr) {
        // The first seat: desktops with several are rare, and the focused window is on the first.
        m_seatVersion = std::min(version, seatVersion);
        m_seat = bind<wl_seat>(registry, name, &wl_seat_interface, version, seatVersion);
    } else if (which == ext_data_control_manager_v1_interface.name && m_extDataControlManager == nullptr) {
        m_extDataControlManager = bind<wl_proxy>(registry, name, &ext_data_control_manager_v1_interface, version, 1);
    } else if (which == zwlr_data_control_manager_v1_interface.name && m_wlrDataControlManager == nullptr) {
        // Version 1: the primary selection is of no use to Sorvu.
        m_wlrDataControlManager = bind<wl_proxy>(registry, name, &zwlr_data_control_manager_v1_interface, version, 1);
    } else if (which == zwp_virtual_keyboard_manager_v1_interface.name && m_virtualKeyboardManager == nullptr) {
        m_virtualKeyboardManager = bind<zwp_virtual_keyboard_manager_v1>(
            registry, name, &zwp_virtual_keyboard_manager_v1_interface, version, 1);
    } else if (which == zwlr_foreign_toplevel_manager_v1_interface.name && m_toplevelManager == nullptr) {
        m_toplevelManager = bind<zwlr_foreign_toplevel_manager_v1>(
            registry, name, &zwlr_foreign_toplevel_manager_v1_interface, version, toplevelManagerVersion);
    }
}

bool WaylandConnection::isConnected() const {
    return m_display != nullptr && !m_lost;
}

QString WaylandConnection::describe() const {
    if (!isConnected()) {
        return QStringLiteral("connected=no");
    }
    QString dataControl = QStringLiteral("none");
    if (m_offered.dataControl == DataControlFlavour::ext) {
        dataControl = QStringLiteral("ext");
    } else if (m_offered.dataControl == DataControlFlavour::wlr) {
        dataControl = QStringLiteral("wlr");
    }
    return QStringLiteral("data-control=%1 virtual-keyboard=%2 foreign-toplevel=%3 seat=%4")
        .arg(dataControl, yesNo(m_offered.virtualKeyboard), yesNo(m_offered.foreignToplevel),
             m_offered.seat ? (m_offered.seatName.isEmpty() ? QStringLiteral("yes") : m_offered.seatName)
                            : QStringLiteral("no"));
}

void WaylandConnection::readPendingEvents() {
    // A handler that asks for the latest news while events are being handled already has it.
    if (!isConnected() || m_dispatching) {
        return;
    }
    m_dispatching = true;
    dispatchAvailable();
    m_dispatching = false;
    // Handlers may have made requests.
    flush();
}

void WaylandConnection::dispatchAvailable() {
    // One read takes what fits the library's buffer: a burst of events takes a few. Bounded, so that a compositor
    // that never stops talking cannot hold the program here.
    constexpr int mostReads = 64;
    for (int reads = 0; reads < mostReads; ++reads) {
        // Events already queued (read along with an earlier answer) are handled before anything is read.
        while (wl_display_prepare_read(m_display) != 0) {
            if (wl_display_dispatch_pending(m_display) < 0) {
                checkError();
                return;
            }
        }
        pollfd descriptor{wl_display_get_fd(m_display), POLLIN, 0};
        if (::poll(&descriptor, 1, 0) <= 0 || (descriptor.revents & (POLLIN | POLLHUP | POLLERR)) == 0) {
            wl_display_cancel_read(m_display);
            return;
        }
        if (wl_display_read_events(m_display) < 0 || wl_display_dispatch_pending(m_display) < 0) {
            checkError();
            return;
        }
    }
}

void WaylandConnection::flush() {
    if (!isConnected()) {
        return;
    }
    const int result = wl_display_flush(m_display);
    const bool pending = result < 0 && errno == EAGAIN;
    if (m_writeNotifier) {
        m_writeNotifier->setEnabled(pending);
    }
    if (result < 0 && !pending) {
        checkError();
    }
}

bool WaylandConnection::roundTrip(const QDeadlineTimer& deadline) {
    if (!isConnected()) {
        return false;
    }
    bool done = false;
    wl_callback* callback = wl_display_sync(m_display);
    static constexpr wl_callback_listener listener{
        .done = [](void* data, wl_callback*, uint32_t) { *static_cast<bool*>(data) = true; }};
    wl_callback_add_listener(callback, &listener, &done);
    while (isConnected()) {
        // A full socket takes the rest of the requests while we wait below.
        wl_display_flush(m_display);
        readPendingEvents();
        if (done || deadline.hasExpired()) {
            break;
        }
        pollfd descriptor{wl_display_get_fd(m_display), POLLIN, 0};
        ::poll(&descriptor, 1, int(std::clamp<qint64>(deadline.remainingTime(), 1, 100)));
    }
    // The answer, should it still come, then finds no listener waiting for it.
    wl_callback_destroy(callback);
    return done;
}

void WaylandConnection::checkError() {
    if (m_display == nullptr || m_lost || wl_display_get_error(m_display) == 0) {
        return;
    }
    m_lost = true;
    qCWarning(lcUi).noquote() << QStringLiteral("wayland connection lost error=%1")
                                     .arg(QString::fromLocal8Bit(std::strerror(wl_display_get_error(m_display))));
    // A broken socket stays readable for good: nothing more will come from it.
    if (m_readNotifier) {
        m_readNotifier->setEnabled(false);
    }
    if (m_writeNotifier) {
        m_writeNotifier->setEnabled(false);
    }
    emit connectionLost();
}

} // namespace sorvu
