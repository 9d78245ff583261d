// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/Workspace.h"

#include <QByteArray>

#include <memory>
#include <optional>

namespace sorvu {

// The programs on the desktop as an EWMH window manager presents them: the active window is the root's
// _NET_ACTIVE_WINDOW and its process the window's _NET_WM_PID; activation is a pager's request. Uses an X
// connection of its own.
class X11Workspace : public Workspace {
    Q_OBJECT

public:
    // Connects to the given display; an empty name means the one the Qt application uses.
    explicit X11Workspace(const QByteArray& displayName = {}, QObject* parent = nullptr);
    ~X11Workspace() override;

    bool isConnected() const;
    // Whether an EWMH window manager runs (its _NET_SUPPORTING_WM_CHECK window is alive).
    bool hasWindowManager();

    std::optional<RunningProgram> frontmostProgram() override;
    // Sent with source indication 2 (a pager) and the current server time.
    bool activate(const RunningProgram& program) override;
    bool isTerminated(const RunningProgram& program) override;
    // The window's WM_CLASS.
    std::optional<WindowClass> windowClass(const RunningProgram& program) override;

    // Whether the active window belongs to this process.
    bool isOwnProcessFrontmost();

    // Inside a Wayland session the X server knows only XWayland's windows: a Wayland window in front is no
    // window to it, and none can be brought back.
    bool canActivate() const override { return m_canActivate; }
    void setCanActivate(bool canActivate) { m_canActivate = canActivate; }

private:
    void readEvents();
    void scheduleRead();

    struct State;
    std::unique_ptr<State> m_state;
    bool m_readScheduled = false;
    bool m_canActivate = true;
};

} // namespace sorvu
