// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/PasteOutput.h"
#include "shortcuts/KeyboardLayoutFunctions.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>

#include <optional>

namespace sorvu {

// The paste keystroke typed on a keyboard that a desktop's remote-desktop service lends Sorvu: where the
// compositor gives an ordinary program no virtual keyboard of its own (KWin, mutter). Keys are evdev codes,
// taken by the compositor in its current layout. Each kind of service is a subclass; this holds the session's
// state and the order of the keys.
//
// A compositor may make the keyboard only when the first key arrives, and lose that key (a headless mutter does):
// once the session is ready a key that types nothing goes first, and keystrokes asked for in the short time after
// it wait, on a timer, until the keyboard has settled. Each key is sent once the service has answered for the one
// before: xdg-desktop-portal handles calls on threads of its own and may pass on two calls sent together in
// either order (a Control pressed after its V was seen on KDE).
class RemoteDesktopKeystroke : public QObject, public PasteOutput {
    Q_OBJECT

public:
    enum class State {
        notStarted,
        // Asked for a session; no answer yet.
        starting,
        // The desktop asks the user whether Sorvu may control the keyboard.
        waitingForConsent,
        ready,
        // The user or the desktop said no.
        refused,
        // The desktop ended the session.
        closed,
        // The service is absent, too old, or failed: another road must post the keys.
        unavailable,
    };
    Q_ENUM(State)

    // Linux input event codes (linux/input-event-codes.h).
    static constexpr quint32 leftControlCode = 29;
    static constexpr quint32 leftShiftCode = 42;
    static constexpr quint32 vCode = 47;
    static constexpr quint32 insertCode = 110;
    // KEY_UNKNOWN: types nothing in any layout, for waking the keyboard.
    static constexpr quint32 unknownKeyCode = 240;
    // How long keys wait after the wake-up key; a headless mutter was seen to need about 20 ms.
    static constexpr int settleMilliseconds = 150;

    // `keyCodeForCharacter`, where set, tells which key types "v" in the user's layout.
    RemoteDesktopKeystroke(QDBusConnection bus, KeyCodeForCharacter keyCodeForCharacter, QObject* parent = nullptr);

    // Asks for a session; again after one was refused or closed. Nothing while one is starting or ready.
    void start();
    State state() const { return m_state; }
    // Names the road in the log and the status.
    virtual QString road() const = 0;

    // The key presses (true) and releases (false) of a keystroke, in order, as evdev codes.
    struct KeyEvent {
        quint32 code = 0;
        bool pressed = false;
        friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
    };
    QList<KeyEvent> keyEvents(PasteKeys keys) const;

    bool canPostKeys() override { return m_state == State::ready; }
    // The remote-desktop services do not say which window has the focus.
    std::optional<WindowClass> recipientClass() override { return std::nullopt; }
    bool canPost(PasteKeys keys) override;
    // Sends at once, or when the keyboard has settled; never waits.
    void post(PasteKeys keys) override;

signals:
    void stateChanged(sorvu::RemoteDesktopKeystroke::State state);

protected:
    virtual void openSession() = 0;
    // The call that presses or releases a key in the session.
    virtual QDBusMessage keyMessage(quint32 code, bool pressed) const = 0;
    // Ends the session the service holds for us, without waiting.
    virtual void closeSession() = 0;
    // Moves to a state with a log line telling why; a session that becomes ready first gets the wake-up key.
    void setState(State state, const QString& detail = {});
    // How long a call to the service may take before it counts as failed.
    static constexpr int callAnswerMilliseconds = 5000;

    QDBusConnection m_bus;

private:
    // Sends the next key when the one before was answered and, unless it is the wake-up key, the keyboard has
    // settled.
    void sendNext();

    KeyCodeForCharacter m_keyCodeForCharacter;
    State m_state = State::notStarted;
    QElapsedTimer m_sinceReady;
    QList<KeyEvent> m_queue;
    bool m_keyInFlight = false;
    QTimer m_settled;
};

} // namespace sorvu
