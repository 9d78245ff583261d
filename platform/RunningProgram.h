// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMetaType>
#include <QtGlobal>

namespace sorvu {

// A program with a window on the desktop: its top-level window and the process that owns it (0 when the
// window does not say).
struct RunningProgram {
    quint64 window = 0;
    qint64 processId = 0;

    // The same program: the same process, or the same window where either window does not name its process
    // (windows that name none would otherwise all count as one program).
    bool isSameProgram(const RunningProgram& other) const {
        if (processId > 0 && other.processId > 0) {
            return processId == other.processId;
        }
        return window == other.window;
    }

    friend bool operator==(const RunningProgram&, const RunningProgram&) = default;
};

} // namespace sorvu

Q_DECLARE_METATYPE(sorvu::RunningProgram)
