// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

struct _XDisplay;

namespace sorvu {

// An X connection of its own that receives the given XInput 2 raw events (XI_RawKeyPress, …) of every
// master device from the root window, as the pointer monitor needs. Closed with the object.
class X11RawInputConnection {
public:
    X11RawInputConnection() = default;
    ~X11RawInputConnection();
    X11RawInputConnection(const X11RawInputConnection&) = delete;
    X11RawInputConnection& operator=(const X11RawInputConnection&) = delete;

    // Nothing when the events are selected, else why not ("noDisplay", "noXInput2").
    std::optional<QString> open(const QByteArray& displayName, const QList<int>& rawEventTypes);

    _XDisplay* display() const { return m_display; }
    // The XInput extension's opcode, which marks its events; -1 while not open.
    int inputOpcode() const { return m_inputOpcode; }

private:
    _XDisplay* m_display = nullptr;
    int m_inputOpcode = -1;
};

} // namespace sorvu
