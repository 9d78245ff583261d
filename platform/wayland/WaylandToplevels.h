// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

#include <memory>
#include <optional>

struct zwlr_foreign_toplevel_handle_v1;
struct zwlr_foreign_toplevel_manager_v1;

namespace sorvu {

class WaylandConnection;

// The compositor's windows as a taskbar sees them (wlr-foreign-toplevel-management): each with its app_id,
// title and whether it is the activated one, and a way to activate it again. Each window gets a number of
// its own that is never reused, so that a window that closed is never mistaken for a later one.
class WaylandToplevels : public QObject {
    Q_OBJECT

public:
    struct Toplevel {
        quint64 id = 0;
        QString appId;
        QString title;
        bool activated = false;
    };

    WaylandToplevels(WaylandConnection& connection, zwlr_foreign_toplevel_manager_v1* manager);
    ~WaylandToplevels() override;

    // Takes in what the compositor has sent since, without waiting.
    void update();
    // The activated window; nothing when none is (the desktop itself has the focus).
    std::optional<Toplevel> activeToplevel() const;
    // Nothing once the window closed.
    std::optional<Toplevel> toplevel(quint64 id) const;
    QList<Toplevel> toplevels() const;
    // Whether the window was closed; also true for a number never given out.
    bool isClosed(quint64 id) const;
    // Asks the compositor to activate the window on the seat. False when the window is gone or there is no
    // seat; the activation itself is announced later, if the compositor grants it.
    bool activate(quint64 id);

signals:
    // Another window became the activated one, as the compositor reported all of its state at once.
    void toplevelActivated(quint64 id);

private:
    struct Handle;
    struct ManagerListener;

    void adopt(zwlr_foreign_toplevel_handle_v1* proxy);

    WaylandConnection& m_connection;
    zwlr_foreign_toplevel_manager_v1* m_manager;
    QHash<quint64, std::shared_ptr<Handle>> m_handles;
    quint64 m_nextId = 1;
    std::optional<quint64> m_activeId;
};

} // namespace sorvu
