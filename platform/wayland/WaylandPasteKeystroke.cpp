// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/wayland/WaylandPasteKeystroke.h"

#include "engine/UniqueDescriptor.h"
#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandToplevels.h"

#include "virtual-keyboard-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <sys/mman.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

namespace sorvu {

namespace {

// Key states of the protocol, as wl_keyboard has them.
constexpr quint32 released = WL_KEYBOARD_KEY_STATE_RELEASED;
constexpr quint32 pressed = WL_KEYBOARD_KEY_STATE_PRESSED;
// Keymaps given in a row whose echo may still come; when our keyboard is not the seat's, none comes.
constexpr qsizetype uploadsRemembered = 4;

quint32 timestamp() {
    using namespace std::chrono;
    return quint32(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// The keymap text in a file in memory that the compositor can map, with the terminating zero it expects.
UniqueDescriptor keymapFile(const QByteArray& text) {
    UniqueDescriptor file(::memfd_create("sorvu-keymap", MFD_CLOEXEC));
    if (!file.isValid()) {
        return {};
    }
    const QByteArray contents = text + '\0';
    qsizetype written = 0;
    while (written < contents.size()) {
        const ssize_t count = ::write(file.get(), contents.constData() + written, size_t(contents.size() - written));
        if (count <= 0) {
            return {};
        }
        written += count;
    }
    return file;
}

} // namespace

struct WaylandPasteKeystroke::Listeners {
    static void keymap(void* data, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
        const UniqueDescriptor file(fd);
        if (format != WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 || size == 0) {
            return;
        }
        void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, file.get(), 0);
        if (mapped == MAP_FAILED) {
            return;
        }
        const auto* text = static_cast<const char*>(mapped);
        const QByteArray copy(text, qsizetype(::strnlen(text, size)));
        ::munmap(mapped, size);
        static_cast<WaylandPasteKeystroke*>(data)->adoptSeatKeymap(copy);
    }
    // Sorvu has no surface of its own on this connection: focus and keys never come to it.
    static void enter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {}
    static void leave(void*, wl_keyboard*, uint32_t, wl_surface*) {}
    static void key(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t) {}
    static void modifiers(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}
    static void repeatInfo(void*, wl_keyboard*, int32_t, int32_t) {}

    static constexpr wl_keyboard_listener listener{.keymap = keymap,
                                                   .enter = enter,
                                                   .leave = leave,
                                                   .key = key,
                                                   .modifiers = modifiers,
                                                   .repeat_info = repeatInfo};
};

WaylandPasteKeystroke::WaylandPasteKeystroke(WaylandConnection& connection, QObject* parent)
    : QObject(parent), m_connection(connection) {
    if (!connection.isConnected() || connection.virtualKeyboardManager() == nullptr || connection.seat() == nullptr) {
        m_keymap = WaylandKeymap::choose(std::nullopt);
        return;
    }
    // The seat's keymap is asked for before our own keyboard joins the seat, which would then answer for it: first
    // the seat's latest news (a keyboard may have come since the connection began), then, when it has a keyboard,
    // its keymap, which the seat tells as soon as the keyboard is asked for.
    const QDeadlineTimer deadline(WaylandConnection::startMilliseconds);
    connection.roundTrip(deadline);
    watchSeatKeyboard(connection.seatHasKeyboard());
    if (m_seatKeyboard != nullptr) {
        connection.roundTrip(deadline);
    }
    m_keyboard =
        zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(connection.virtualKeyboardManager(), connection.seat());
    upload(m_keymap != nullptr ? m_keymap : WaylandKeymap::choose(std::nullopt));
    // A compositor may give a new keyboard a keymap of its own before ours arrives (sway its configured layout);
    // what the seat says of our keyboard while it joins is no news of the seat's.
    m_joining = true;
    connection.roundTrip(deadline);
    m_joining = false;
    connect(&connection, &WaylandConnection::seatKeyboardChanged, this, &WaylandPasteKeystroke::watchSeatKeyboard);
    watchSeatKeyboard(connection.seatHasKeyboard());
}

WaylandPasteKeystroke::~WaylandPasteKeystroke() {
    if (m_seatKeyboard != nullptr) {
        if (wl_keyboard_get_version(m_seatKeyboard) >= WL_KEYBOARD_RELEASE_SINCE_VERSION) {
            wl_keyboard_release(m_seatKeyboard);
        } else {
            wl_keyboard_destroy(m_seatKeyboard);
        }
    }
    if (m_keyboard != nullptr) {
        zwp_virtual_keyboard_v1_destroy(m_keyboard);
    }
    m_connection.flush();
}

void WaylandPasteKeystroke::watchSeatKeyboard(bool hasKeyboard) {
    if (!hasKeyboard || m_seatKeyboard != nullptr) {
        // A keyboard that went away leaves its keymap behind: the virtual one keeps typing with it.
        return;
    }
    m_seatKeyboard = wl_seat_get_keyboard(m_connection.seat());
    wl_keyboard_add_listener(m_seatKeyboard, &Listeners::listener, this);
    m_connection.flush();
}

void WaylandPasteKeystroke::adoptSeatKeymap(const QByteArray& text) {
    if (m_joining) {
        return;
    }
    std::shared_ptr<const WaylandKeymap> keymap = WaylandKeymap::fromText(text, WaylandKeymap::Origin::seat);
    if (keymap == nullptr || (m_keymap != nullptr && keymap->text() == m_keymap->text())) {
        return;
    }
    // While the virtual keyboard is the seat's, the seat tells each keymap we give it back, in order, once the
    // compositor has it, and by then we may have given another: taking such an echo for news would go back and
    // forth for good.
    if (const qsizetype echo = m_uploaded.indexOf(keymap->text()); echo >= 0) {
        m_uploaded.remove(0, echo + 1);
        return;
    }
    upload(std::move(keymap));
}

void WaylandPasteKeystroke::upload(std::shared_ptr<const WaylandKeymap> keymap) {
    if (keymap == nullptr) {
        return;
    }
    m_keymap = std::move(keymap);
    const UniqueDescriptor file = keymapFile(m_keymap->text());
    if (m_keyboard != nullptr && file.isValid()) {
        // The request carries its own copy of the descriptor.
        zwp_virtual_keyboard_v1_keymap(m_keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, file.get(),
                                       quint32(m_keymap->text().size() + 1));
        m_connection.flush();
        m_uploaded.append(m_keymap->text());
        if (m_uploaded.size() > uploadsRemembered) {
            m_uploaded.removeFirst();
        }
    }
    emit keymapChanged();
}

bool WaylandPasteKeystroke::canPostKeys() {
    return m_keyboard != nullptr && m_connection.isConnected();
}

std::optional<WindowClass> WaylandPasteKeystroke::recipientClass() {
    WaylandToplevels* toplevels = m_connection.toplevels();
    if (toplevels == nullptr) {
        return std::nullopt;
    }
    m_connection.readPendingEvents();
    const std::optional<WaylandToplevels::Toplevel> active = toplevels->activeToplevel();
    if (!active || active->appId.isEmpty()) {
        return std::nullopt;
    }
    return WindowClass{active->appId, active->appId};
}

bool WaylandPasteKeystroke::canPost(PasteKeys keys) {
    return canPostKeys() && m_keymap->keystroke(keys).has_value();
}

void WaylandPasteKeystroke::sendKey(quint32 key, bool press, QList<quint32>& down, quint32 layout) {
    zwp_virtual_keyboard_v1_key(m_keyboard, timestamp(), key, press ? pressed : released);
    if (press) {
        down.append(key);
    } else {
        down.removeAll(key);
    }
    const WaylandKeymap::ModifierState state = m_keymap->modifiersWithKeysDown(down, layout);
    zwp_virtual_keyboard_v1_modifiers(m_keyboard, state.depressed, state.latched, state.locked, state.layout);
}

void WaylandPasteKeystroke::post(PasteKeys keys) {
    if (!canPostKeys()) {
        return;
    }
    const std::optional<WaylandKeymap::Keystroke> keystroke = m_keymap->keystroke(keys);
    if (!keystroke) {
        return;
    }
    QList<quint32> down;
    // The layout in which the key types what it must, before anything is pressed.
    const WaylandKeymap::ModifierState start = m_keymap->modifiersWithKeysDown(down, keystroke->layout);
    zwp_virtual_keyboard_v1_modifiers(m_keyboard, start.depressed, start.latched, start.locked, start.layout);
    for (const quint32 modifier : keystroke->modifiers) {
        sendKey(modifier, true, down, keystroke->layout);
    }
    sendKey(keystroke->key, true, down, keystroke->layout);
    sendKey(keystroke->key, false, down, keystroke->layout);
    for (auto modifier = keystroke->modifiers.crbegin(); modifier != keystroke->modifiers.crend(); ++modifier) {
        sendKey(*modifier, false, down, keystroke->layout);
    }
    m_connection.flush();
}

} // namespace sorvu
