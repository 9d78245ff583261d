// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "shortcuts/KeyCombination.h"
#include "shortcuts/KeyDownEvent.h"
#include "shortcuts/ShortcutAction.h"

#include <QByteArray>
#include <QList>

#include <memory>
#include <optional>
#include <vector>

namespace sorvu {

// Passive key grabs on the root window, over an X connection of its own. Each combination is grabbed once
// for every state of Caps Lock and Num Lock, and the lock keys are left out of what a grabbed press reports.
// The grabbed keys held down are followed, so that a press of a key already down reads as a repeat. Closing
// the connection releases every grab.
class X11KeyGrabs {
public:
    // One action's combination as the server sees it: a key code and a core modifier mask without lock keys.
    struct Grab {
        ShortcutAction action;
        quint8 keyCode;
        quint16 modifiers;
        friend bool operator==(const Grab&, const Grab&) = default;
    };

    // What the server sent since the last read.
    struct Events {
        QList<KeyDownEvent> presses;
        // The keymap or the layout group changed: a key code may stand for another key now.
        bool keymapChanged = false;
    };

    X11KeyGrabs();
    ~X11KeyGrabs();
    X11KeyGrabs(const X11KeyGrabs&) = delete;
    X11KeyGrabs& operator=(const X11KeyGrabs&) = delete;

    // Connects to the named display (empty: $DISPLAY); false when it cannot be opened.
    bool open(const QByteArray& displayName);
    // The connection's socket, readable when events may be waiting.
    int fileDescriptor() const;

    // The grab of the action's combination; nothing for a key code outside the keymap, or modifiers other
    // than Shift, Ctrl, Alt and Super, which no press would match.
    std::optional<Grab> grabFor(ShortcutAction action, const KeyCombination& combination) const;
    const std::vector<Grab>& grabbed() const;

    // Lifts the grabs held and takes these instead. Answers the actions whose combination another client
    // holds, in action order.
    QList<ShortcutAction> replace(const std::vector<Grab>& grabs);
    // Takes the held grabs of these actions again; taking one held already changes nothing. Answers as above.
    QList<ShortcutAction> retake(const QList<ShortcutAction>& actions);
    // Lifts every grab, the one active now (its key still held) included, and waits until the server has
    // handled that. The keys held are forgotten: their releases go elsewhere.
    void release();

    // Everything the server has sent so far, without waiting for more. A keymap change that moved Num Lock
    // lifts the grabs, since they were made with the lock combinations of the old keymap; reading the new
    // one is a round trip, so more events may be waiting afterwards.
    Events readEvents();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace sorvu
