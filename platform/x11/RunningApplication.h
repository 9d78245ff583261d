#pragma once

#include <QMetaType>
#include <QtGlobal>

namespace sorvu {

// A program with a window on the screen, as the window manager knows it: its top-level window and the
// process that owns it (from _NET_WM_PID; 0 when the window does not say).
struct RunningApplication {
    quint32 window = 0;
    qint64 pid = 0;

    friend bool operator==(const RunningApplication&, const RunningApplication&) = default;
};

} // namespace sorvu

Q_DECLARE_METATYPE(sorvu::RunningApplication)
