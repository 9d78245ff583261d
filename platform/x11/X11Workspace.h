#pragma once

#include "platform/x11/RunningApplication.h"

#include <QByteArray>
#include <QObject>

#include <memory>
#include <optional>

namespace sorvu {

// The programs on the desktop as an EWMH window manager presents them: which one is in front
// (_NET_ACTIVE_WINDOW on the root and the window's _NET_WM_PID), bringing one to the front, and the news
// that another one came to the front. Uses an X connection of its own. Nothing here waits for the window
// manager: whoever needs an activation confirmed waits for `didActivateApplication` with a timer.
class X11Workspace : public QObject {
    Q_OBJECT

public:
    // Connects to the given display; an empty name means the one the Qt application uses.
    explicit X11Workspace(const QByteArray& displayName = {}, QObject* parent = nullptr);
    ~X11Workspace() override;

    bool isConnected() const;
    // Whether an EWMH window manager runs (its _NET_SUPPORTING_WM_CHECK window is alive).
    bool hasWindowManager();

    // The program of the active window; nothing when no window is active.
    std::optional<RunningApplication> frontmostApplication();
    // Asks the window manager to activate the program's window, as a pager would (source indication 2),
    // stamped with the current server time. False when no EWMH window manager runs or the program is gone.
    // The activation itself happens later, announced by `didActivateApplication`.
    bool activate(const RunningApplication& application);
    // True when the window no longer exists or its process has exited.
    bool isTerminated(const RunningApplication& application);

    static qint64 ownProcessId();
    static bool isOwnProcess(const RunningApplication& application);
    // Whether the active window belongs to this process.
    bool isOwnProcessFrontmost();

signals:
    // Another window became the active one.
    void didActivateApplication(const sorvu::RunningApplication& application);

private:
    void readEvents();
    void scheduleRead();

    struct State;
    std::unique_ptr<State> m_state;
    bool m_readScheduled = false;
};

} // namespace sorvu
