// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/wayland/WaylandWorkspace.h"

#include "platform/wayland/WaylandToplevels.h"

#include <QGuiApplication>

namespace sorvu {

WaylandWorkspace::WaylandWorkspace(WaylandToplevels* toplevels, QObject* parent)
    : Workspace(parent), m_toplevels(toplevels), m_ownAppId(QGuiApplication::desktopFileName()) {
    qRegisterMetaType<RunningProgram>();
    if (m_toplevels != nullptr) {
        connect(m_toplevels, &WaylandToplevels::toplevelActivated, this, [this](quint64 id) {
            emit programActivated(RunningProgram{id, 0});
        });
    }
}

std::optional<RunningProgram> WaylandWorkspace::frontmostProgram() {
    if (m_toplevels == nullptr) {
        return std::nullopt;
    }
    m_toplevels->update();
    if (const std::optional<WaylandToplevels::Toplevel> active = m_toplevels->activeToplevel()) {
        return RunningProgram{active->id, 0};
    }
    return std::nullopt;
}

bool WaylandWorkspace::isTerminated(const RunningProgram& program) {
    if (m_toplevels == nullptr) {
        return true;
    }
    m_toplevels->update();
    return m_toplevels->isClosed(program.window);
}

bool WaylandWorkspace::activate(const RunningProgram& program) {
    return m_toplevels != nullptr && m_toplevels->activate(program.window);
}

std::optional<WindowClass> WaylandWorkspace::windowClass(const RunningProgram& program) {
    if (m_toplevels == nullptr) {
        return std::nullopt;
    }
    m_toplevels->update();
    const std::optional<WaylandToplevels::Toplevel> toplevel = m_toplevels->toplevel(program.window);
    if (!toplevel || toplevel->appId.isEmpty()) {
        return std::nullopt;
    }
    return WindowClass{toplevel->appId, toplevel->appId};
}

bool WaylandWorkspace::isOwnProgram(const RunningProgram& program) const {
    if (m_toplevels == nullptr || m_ownAppId.isEmpty()) {
        return false;
    }
    const std::optional<WaylandToplevels::Toplevel> toplevel = m_toplevels->toplevel(program.window);
    return toplevel && toplevel->appId == m_ownAppId;
}

} // namespace sorvu
