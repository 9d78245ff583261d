#pragma once

#include "app/WorkspaceProviding.h"

#include <QMap>
#include <QObject>

namespace sorvu {

class X11Workspace;

// The desktop of an X11 session with an EWMH window manager, as the paste coordinator sees it.
class DesktopWorkspace : public QObject, public WorkspaceProviding {
    Q_OBJECT

public:
    explicit DesktopWorkspace(X11Workspace& workspace, QObject* parent = nullptr);

    std::optional<WorkspaceApplication> frontmostApplication() const override;
    qint64 ownProcessId() const override;
    bool isTerminated(const WorkspaceApplication& application) const override;
    bool activate(const WorkspaceApplication& application) override;
    int addActivationObserver(ActivationObserver observer) override;
    void removeActivationObserver(int token) override;

private:
    X11Workspace& m_workspace;
    QMap<int, ActivationObserver> m_observers;
    int m_lastToken = 0;
};

} // namespace sorvu
