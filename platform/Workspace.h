// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/WindowClass.h"
#include "platform/RunningProgram.h"

#include <QCoreApplication>
#include <QObject>

#include <optional>

namespace sorvu {

// The programs on the desktop: which one is in front, bringing one to the front, and word when another
// one came to the front. Nothing here waits for the desktop: whoever needs an activation confirmed waits
// for `programActivated` with a timer.
class Workspace : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // The program of the active window; nothing when no window is active.
    virtual std::optional<RunningProgram> frontmostProgram() = 0;
    // True when the program's window no longer exists or its process has exited.
    virtual bool isTerminated(const RunningProgram& program) = 0;
    // Asks the desktop to bring the program to the front. False when the request could not be made (no
    // window manager that takes it, or the program is gone); the activation itself is announced later.
    virtual bool activate(const RunningProgram& program) = 0;
    // What the program's window says it is; nothing when the window is gone or does not say.
    virtual std::optional<WindowClass> windowClass(const RunningProgram& program) = 0;

    // Whether Sorvu may bring another program's window to the front in this session.
    virtual bool canActivate() const { return true; }
    // Whether the program is Sorvu itself (its popup, say).
    virtual bool isOwnProgram(const RunningProgram& program) const { return program.processId == ownProcessId(); }

    virtual qint64 ownProcessId() const { return QCoreApplication::applicationPid(); }

signals:
    // Another program became the active one.
    void programActivated(const sorvu::RunningProgram& program);
};

} // namespace sorvu
