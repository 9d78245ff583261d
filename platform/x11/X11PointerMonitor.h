// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QObject>
#include <QPoint>

#include <functional>
#include <memory>

namespace sorvu {

// Mouse-button presses anywhere in the X session (XInput 2 raw button presses on the root window, over a
// connection of its own), for closing the popup on a click outside it. Wheel steps (buttons 4 to 7) are
// no clicks and are not reported.
class X11PointerMonitor : public QObject {
    Q_OBJECT

public:
    // The pointer's position on the screen at the press, in X pixels, and the button number (1 left,
    // 2 middle, 3 right, 8 and up extra buttons).
    using PressHandler = std::function<void(QPoint position, int button)>;

    // Connects to the given display; an empty name means the one the Qt application uses.
    explicit X11PointerMonitor(PressHandler handler, const QByteArray& displayName = {}, QObject* parent = nullptr);
    ~X11PointerMonitor() override;

    // Whether raw button events are being received.
    bool isWatching() const;

private:
    void readEvents();

    struct State;
    std::unique_ptr<State> m_state;
    PressHandler m_handler;
};

} // namespace sorvu
