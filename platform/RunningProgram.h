#pragma once

#include <QMetaType>
#include <QtGlobal>

namespace sorvu {

// A program with a window on the desktop: its top-level window and the process that owns it (0 when the
// window does not say).
struct RunningProgram {
    quint64 window = 0;
    qint64 processId = 0;

    friend bool operator==(const RunningProgram&, const RunningProgram&) = default;
};

} // namespace sorvu

Q_DECLARE_METATYPE(sorvu::RunningProgram)
