// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/Workspace.h"

#include <QString>

namespace sorvu {

class WaylandToplevels;

// The programs on the desktop as the compositor's window list tells of them (wlr-foreign-toplevel-management).
// Wayland names no processes: a program is one window, its `window` the list's number for it and its process
// 0; its class is its app_id, twice. Activation asks the compositor, which may or may not grant it.
class WaylandWorkspace : public Workspace {
    Q_OBJECT

public:
    // Over the connection's window list; without one (null) no program is ever in front.
    explicit WaylandWorkspace(WaylandToplevels* toplevels, QObject* parent = nullptr);

    std::optional<RunningProgram> frontmostProgram() override;
    bool isTerminated(const RunningProgram& program) override;
    bool activate(const RunningProgram& program) override;
    std::optional<WindowClass> windowClass(const RunningProgram& program) override;

    // A window of this program's own, known by its app_id (the desktop file name Qt gives Sorvu's windows).
    bool isOwnProgram(const RunningProgram& program) const override;
    // Windows are brought to the front through the window list, where the compositor offers one.
    bool canActivate() const override { return m_toplevels != nullptr; }
    void setOwnAppId(const QString& appId) { m_ownAppId = appId; }

private:
    WaylandToplevels* m_toplevels;
    QString m_ownAppId;
};

} // namespace sorvu
