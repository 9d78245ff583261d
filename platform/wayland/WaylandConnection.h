// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QObject>
#include <QString>

#include <memory>

struct wl_display;
struct wl_keyboard;
struct wl_proxy;
struct wl_seat;
struct zwp_virtual_keyboard_manager_v1;
struct zwlr_foreign_toplevel_manager_v1;

class QSocketNotifier;

namespace sorvu {

class WaylandDataControl;
class WaylandToplevels;

// Sorvu's own connection to the Wayland compositor, apart from the one Qt keeps for its windows: the
// clipboard, the paste keystroke and the window list live here, and none of them may wait on Qt's event
// handling or disturb it. Events are read from a socket notifier without ever blocking; every request is
// flushed at once (the rest waits for the socket to take it). The globals Sorvu uses are bound once, at
// construction, with one round trip bounded in time.
class WaylandConnection : public QObject {
    Q_OBJECT

public:
    // The longest the construction waits for the compositor to list its globals.
    static constexpr int startMilliseconds = 500;

    enum class DataControlFlavour { none, ext, wlr };
    Q_ENUM(DataControlFlavour)

    // What the compositor offers of what Sorvu needs.
    struct Offered {
        DataControlFlavour dataControl = DataControlFlavour::none;
        bool virtualKeyboard = false;
        bool foreignToplevel = false;
        bool seat = false;
        QString seatName;
    };

    // Connects to the named socket (a name in $XDG_RUNTIME_DIR or an absolute path); empty: $WAYLAND_DISPLAY.
    explicit WaylandConnection(const QByteArray& socket = {}, QObject* parent = nullptr);
    ~WaylandConnection() override;

    // Connected, and the compositor has not closed the connection or reported an error.
    bool isConnected() const;
    const Offered& offered() const { return m_offered; }
    // One line for the log: "data-control=wlr virtual-keyboard=yes foreign-toplevel=yes seat=seat0".
    QString describe() const;

    // The clipboard of the seat, over whichever data-control protocol the compositor offers (the ext one
    // first); null when it offers neither or has no seat.
    WaylandDataControl* dataControl() const { return m_dataControl.get(); }
    // The compositor's windows; null when it does not tell of them (foreign-toplevel management).
    WaylandToplevels* toplevels() const { return m_toplevels.get(); }

    wl_display* display() const { return m_display; }
    wl_seat* seat() const { return m_seat; }
    zwp_virtual_keyboard_manager_v1* virtualKeyboardManager() const { return m_virtualKeyboardManager; }
    // Whether the seat has a keyboard now; a headless seat gets one only when a virtual keyboard appears.
    bool seatHasKeyboard() const { return m_seatHasKeyboard; }

    // Reads and handles whatever the compositor has sent, without waiting; what the notifier does too.
    void readPendingEvents();
    // Sends the requests made so far; whatever the socket cannot take now goes once it can.
    void flush();
    // Waits for the compositor to handle every request sent so far and handles its answers, at most until
    // the deadline. False when the deadline passed first or the connection broke.
    bool roundTrip(const QDeadlineTimer& deadline);

signals:
    // The seat gained or lost its keyboard.
    void seatKeyboardChanged(bool hasKeyboard);
    // The compositor closed the connection or reported a protocol error; nothing works from now on.
    void connectionLost();

private:
    struct Listeners;

    void bindGlobal(quint32 name, const char* interface, quint32 version);
    void dispatchAvailable();
    void checkError();

    wl_display* m_display = nullptr;
    wl_proxy* m_registry = nullptr;
    wl_seat* m_seat = nullptr;
    quint32 m_seatVersion = 0;
    wl_proxy* m_extDataControlManager = nullptr;
    wl_proxy* m_wlrDataControlManager = nullptr;
    zwp_virtual_keyboard_manager_v1* m_virtualKeyboardManager = nullptr;
    zwlr_foreign_toplevel_manager_v1* m_toplevelManager = nullptr;
    bool m_seatHasKeyboard = false;
    bool m_lost = false;
    bool m_dispatching = false;
    Offered m_offered;
    std::unique_ptr<WaylandDataControl> m_dataControl;
    std::unique_ptr<WaylandToplevels> m_toplevels;
    std::unique_ptr<QSocketNotifier> m_readNotifier;
    std::unique_ptr<QSocketNotifier> m_writeNotifier;
};

} // namespace sorvu
