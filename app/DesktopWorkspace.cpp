#include "app/DesktopWorkspace.h"

#include "platform/x11/X11Workspace.h"

namespace sorvu {

namespace {

RunningApplication toRunning(const WorkspaceApplication& application) {
    return RunningApplication{quint32(application.window), application.processId};
}

} // namespace

DesktopWorkspace::DesktopWorkspace(X11Workspace& workspace, QObject* parent) : QObject(parent), m_workspace(workspace) {
    connect(&m_workspace, &X11Workspace::didActivateApplication, this, [this](const RunningApplication& activated) {
        const WorkspaceApplication application{activated.window, activated.pid};
        // An observer may remove itself (or others) while being told.
        const auto observers = m_observers;
        for (auto it = observers.cbegin(); it != observers.cend(); ++it) {
            if (m_observers.contains(it.key())) {
                it.value()(application);
            }
        }
    });
}

std::optional<WorkspaceApplication> DesktopWorkspace::frontmostApplication() const {
    const auto frontmost = m_workspace.frontmostApplication();
    if (!frontmost) {
        return std::nullopt;
    }
    return WorkspaceApplication{frontmost->window, frontmost->pid};
}

qint64 DesktopWorkspace::ownProcessId() const {
    return X11Workspace::ownProcessId();
}

bool DesktopWorkspace::isTerminated(const WorkspaceApplication& application) const {
    return m_workspace.isTerminated(toRunning(application));
}

bool DesktopWorkspace::activate(const WorkspaceApplication& application) {
    return m_workspace.activate(toRunning(application));
}

int DesktopWorkspace::addActivationObserver(ActivationObserver observer) {
    m_observers.insert(++m_lastToken, std::move(observer));
    return m_lastToken;
}

void DesktopWorkspace::removeActivationObserver(int token) {
    m_observers.remove(token);
}

} // namespace sorvu
