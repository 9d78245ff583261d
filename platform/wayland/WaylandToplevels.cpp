// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/wayland/WaylandToplevels.h"

#include "platform/wayland/WaylandConnection.h"

#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <algorithm>

namespace sorvu {

// One window: what the compositor said last, and what it is saying now until its `done`.
struct WaylandToplevels::Handle {
    WaylandToplevels* owner = nullptr;
    zwlr_foreign_toplevel_handle_v1* proxy = nullptr;
    Toplevel current;
    Toplevel pending;

    ~Handle() { zwlr_foreign_toplevel_handle_v1_destroy(proxy); }

    static void title(void* data, zwlr_foreign_toplevel_handle_v1*, const char* title) {
        static_cast<Handle*>(data)->pending.title = QString::fromUtf8(title);
    }
    static void appId(void* data, zwlr_foreign_toplevel_handle_v1*, const char* appId) {
        static_cast<Handle*>(data)->pending.appId = QString::fromUtf8(appId);
    }
    static void output(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}
    static void state(void* data, zwlr_foreign_toplevel_handle_v1*, wl_array* states) {
        const auto* begin = static_cast<const uint32_t*>(states->data);
        const auto* end = begin + states->size / sizeof(uint32_t);
        static_cast<Handle*>(data)->pending.activated =
            std::find(begin, end, uint32_t(ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED)) != end;
    }
    static void done(void* data, zwlr_foreign_toplevel_handle_v1*) {
        auto* self = static_cast<Handle*>(data);
        self->current = self->pending;
        WaylandToplevels& owner = *self->owner;
        const quint64 id = self->current.id;
        if (self->current.activated && owner.m_activeId != id) {
            owner.m_activeId = id;
            emit owner.toplevelActivated(id);
        } else if (!self->current.activated && owner.m_activeId == id) {
            owner.m_activeId.reset();
        }
    }
    static void closed(void* data, zwlr_foreign_toplevel_handle_v1*) {
        auto* self = static_cast<Handle*>(data);
        WaylandToplevels& owner = *self->owner;
        const quint64 id = self->current.id;
        if (owner.m_activeId == id) {
            owner.m_activeId.reset();
        }
        // Destroys this handle; nothing of it may be touched after.
        owner.m_handles.remove(id);
    }
    static void parent(void*, zwlr_foreign_toplevel_handle_v1*, zwlr_foreign_toplevel_handle_v1*) {}

    static constexpr zwlr_foreign_toplevel_handle_v1_listener listener{.title = title,
                                                                       .app_id = appId,
                                                                       .output_enter = output,
                                                                       .output_leave = output,
                                                                       .state = state,
                                                                       .done = done,
                                                                       .closed = closed,
                                                                       .parent = parent};
};

struct WaylandToplevels::ManagerListener {
    static void toplevel(void* data, zwlr_foreign_toplevel_manager_v1*, zwlr_foreign_toplevel_handle_v1* proxy) {
        static_cast<WaylandToplevels*>(data)->adopt(proxy);
    }
    // The manager is inert from now on; the windows known so far stay until they close.
    static void finished(void*, zwlr_foreign_toplevel_manager_v1*) {}
    static constexpr zwlr_foreign_toplevel_manager_v1_listener listener{.toplevel = toplevel, .finished = finished};
};

WaylandToplevels::WaylandToplevels(WaylandConnection& connection, zwlr_foreign_toplevel_manager_v1* manager)
    : m_connection(connection), m_manager(manager) {
    zwlr_foreign_toplevel_manager_v1_add_listener(m_manager, &ManagerListener::listener, this);
}

WaylandToplevels::~WaylandToplevels() {
    m_handles.clear();
    m_connection.flush();
}

void WaylandToplevels::adopt(zwlr_foreign_toplevel_handle_v1* proxy) {
    auto handle = std::make_shared<Handle>();
    handle->owner = this;
    handle->proxy = proxy;
    handle->pending.id = m_nextId++;
    handle->current.id = handle->pending.id;
    zwlr_foreign_toplevel_handle_v1_add_listener(proxy, &Handle::listener, handle.get());
    m_handles.insert(handle->current.id, std::move(handle));
}

void WaylandToplevels::update() {
    m_connection.readPendingEvents();
}

std::optional<WaylandToplevels::Toplevel> WaylandToplevels::activeToplevel() const {
    return m_activeId ? toplevel(*m_activeId) : std::nullopt;
}

std::optional<WaylandToplevels::Toplevel> WaylandToplevels::toplevel(quint64 id) const {
    const auto found = m_handles.constFind(id);
    if (found == m_handles.cend()) {
        return std::nullopt;
    }
    return (*found)->current;
}

QList<WaylandToplevels::Toplevel> WaylandToplevels::toplevels() const {
    QList<Toplevel> result;
    for (const std::shared_ptr<Handle>& handle : m_handles) {
        result.append(handle->current);
    }
    std::sort(result.begin(), result.end(), [](const Toplevel& a, const Toplevel& b) { return a.id < b.id; });
    return result;
}

bool WaylandToplevels::isClosed(quint64 id) const {
    return !m_handles.contains(id);
}

bool WaylandToplevels::activate(quint64 id) {
    const auto found = m_handles.constFind(id);
    if (found == m_handles.cend() || m_connection.seat() == nullptr || !m_connection.isConnected()) {
        return false;
    }
    zwlr_foreign_toplevel_handle_v1_activate((*found)->proxy, m_connection.seat());
    m_connection.flush();
    return true;
}

} // namespace sorvu
