// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/PasteOutput.h"
#include "platform/wayland/WaylandKeymap.h"

#include <QObject>

#include <memory>
#include <optional>

struct wl_keyboard;
struct zwp_virtual_keyboard_v1;

namespace sorvu {

class WaylandConnection;

// The paste keystroke, typed on a virtual keyboard of Sorvu's own (zwp_virtual_keyboard_v1) into the focused
// window. The virtual keyboard gets the seat's own keymap (from the seat's keyboard), so that a program
// matching shortcuts by key code, as GTK does, sees the Ctrl+V of the keyboard it knows; until the seat has
// a keyboard (a headless seat has none) it gets xkbcommon's default layout. The keyboard has its own
// modifier state: keys the user still holds on a real keyboard do not mix into the keystroke.
//
// The virtual keyboard is made at once: the compositor gives a window the keyboard focus only once a
// keyboard exists, and a keyboard that appeared moments before the keystroke may not have reached the
// window yet. The recipient is the window the compositor reports as activated.
class WaylandPasteKeystroke : public QObject, public PasteOutput {
    Q_OBJECT

public:
    explicit WaylandPasteKeystroke(WaylandConnection& connection, QObject* parent = nullptr);
    ~WaylandPasteKeystroke() override;

    bool canPostKeys() override;
    // Both names are the window's app_id: Wayland gives no other.
    std::optional<WindowClass> recipientClass() override;
    bool canPost(PasteKeys keys) override;
    void post(PasteKeys keys) override;

    // The keymap the virtual keyboard types with.
    const WaylandKeymap& keymap() const { return *m_keymap; }

signals:
    // The virtual keyboard was given another keymap (the seat's changed).
    void keymapChanged();

private:
    struct Listeners;

    void watchSeatKeyboard(bool hasKeyboard);
    void adoptSeatKeymap(const QByteArray& text);
    void upload(std::shared_ptr<const WaylandKeymap> keymap);
    void sendKey(quint32 key, bool pressed, QList<quint32>& down, quint32 layout);

    WaylandConnection& m_connection;
    zwp_virtual_keyboard_v1* m_keyboard = nullptr;
    wl_keyboard* m_seatKeyboard = nullptr;
    std::shared_ptr<const WaylandKeymap> m_keymap;
    // The keymaps given to the virtual keyboard whose echo has not come, latest last.
    QList<QByteArray> m_uploaded;
    bool m_joining = false;
};

} // namespace sorvu
