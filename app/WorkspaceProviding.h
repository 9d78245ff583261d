#pragma once

#include <QtGlobal>

#include <functional>
#include <optional>

namespace sorvu {

// A program with a window on the desktop: its top-level window and its process.
struct WorkspaceApplication {
    quint64 window = 0;
    qint64 processId = 0;

    friend bool operator==(const WorkspaceApplication&, const WorkspaceApplication&) = default;
};

// What the paste coordinator needs of the desktop: who is in front, bringing a program to the front, and
// word when a program became active.
class WorkspaceProviding {
public:
    using ActivationObserver = std::function<void(const WorkspaceApplication&)>;

    virtual ~WorkspaceProviding() = default;

    virtual std::optional<WorkspaceApplication> frontmostApplication() const = 0;
    virtual qint64 ownProcessId() const = 0;
    virtual bool isTerminated(const WorkspaceApplication& application) const = 0;
    // False when the request could not be made (for example no window manager that takes it).
    virtual bool activate(const WorkspaceApplication& application) = 0;
    // The observer runs on the main thread for every program that becomes active until it is removed.
    virtual int addActivationObserver(ActivationObserver observer) = 0;
    virtual void removeActivationObserver(int token) = 0;
};

} // namespace sorvu
