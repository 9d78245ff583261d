#pragma once

#include "app/PopoverPresenting.h"
#include "app/WorkspaceProviding.h"

#include <QList>
#include <QMap>

namespace sorvu::test {

// A desktop with programs the test brings to the front at will.
class FakeWorkspace : public WorkspaceProviding {
public:
    static constexpr qint64 ownPid = 1000;

    std::optional<WorkspaceApplication> frontmost;
    QList<qint64> terminated;
    bool activationAccepted = true;
    // Whether activate() brings the program to the front at once (and says so).
    bool activatesImmediately = false;
    QList<WorkspaceApplication> activationRequests;

    std::optional<WorkspaceApplication> frontmostApplication() const override { return frontmost; }
    qint64 ownProcessId() const override { return ownPid; }
    bool isTerminated(const WorkspaceApplication& application) const override {
        return terminated.contains(application.processId);
    }
    bool activate(const WorkspaceApplication& application) override {
        activationRequests.append(application);
        if (activationAccepted && activatesImmediately) {
            frontmost = application;
        }
        return activationAccepted;
    }
    int addActivationObserver(ActivationObserver observer) override {
        m_observers.insert(++m_lastToken, std::move(observer));
        return m_lastToken;
    }
    void removeActivationObserver(int token) override { m_observers.remove(token); }

    // The window manager reports that a program became active.
    void becomeActive(const WorkspaceApplication& application) {
        frontmost = application;
        const auto observers = m_observers;
        for (const auto& observer : observers) {
            observer(application);
        }
    }
    qsizetype observerCount() const { return m_observers.size(); }

private:
    QMap<int, ActivationObserver> m_observers;
    int m_lastToken = 0;
};

class FakePopover : public PopoverPresenting {
public:
    bool shown = false;
    int broughtToFront = 0;
    QList<PopoverCloseReason> closes;

    bool isShown() const override { return shown; }
    void bringToFront() override { ++broughtToFront; }
    void close(PopoverCloseReason reason) override {
        closes.append(reason);
        shown = false;
    }
};

} // namespace sorvu::test
