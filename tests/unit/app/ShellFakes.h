// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/Popup.h"
#include "app/PopupHost.h"
#include "platform/Workspace.h"

#include <QHash>
#include <QList>

namespace sorvu::test {

// A desktop with programs the test brings to the front at will.
class FakeWorkspace : public Workspace {
public:
    static constexpr qint64 ownPid = 1000;

    std::optional<RunningProgram> frontmost;
    QList<qint64> terminated;
    bool activationAccepted = true;
    // Whether the desktop lets Sorvu bring a program back at all (a compositor that keeps its window list to itself
    // does not).
    bool activates = true;
    // Whether activate() brings the program to the front at once (and says so).
    bool activatesImmediately = false;
    QList<RunningProgram> activationRequests;
    QHash<quint64, WindowClass> windowClasses;

    std::optional<RunningProgram> frontmostProgram() override { return frontmost; }
    qint64 ownProcessId() const override { return ownPid; }
    std::optional<WindowClass> windowClass(const RunningProgram& program) override {
        const auto found = windowClasses.constFind(program.window);
        return found != windowClasses.constEnd() ? std::optional(*found) : std::nullopt;
    }
    bool isTerminated(const RunningProgram& program) override { return terminated.contains(program.processId); }
    bool canActivate() const override { return activates; }
    bool activate(const RunningProgram& program) override {
        activationRequests.append(program);
        if (activationAccepted && activatesImmediately) {
            frontmost = program;
        }
        return activationAccepted;
    }

    // The window manager reports that a program became active.
    void becomeActive(const RunningProgram& program) {
        frontmost = program;
        emit programActivated(program);
    }
    int observerCount() const { return receivers(SIGNAL(programActivated(sorvu::RunningProgram))); }
};

// A shell whose tray icon is where the test says, and which counts the popup's requests.
class FakePopupHost : public PopupHost {
public:
    QRect trayIcon{600, 0, 24, 24};
    int pastes = 0;
    int quits = 0;

    QRect trayIconGeometry() const override { return trayIcon; }
    void pasteFromPopup() override { ++pastes; }
    void pasteAllFromPopup(const QString&, const QList<QUuid>&, PasteCompletion) override {}
    void quit() override { ++quits; }
    void openSessionHelp() override {}
};

class FakePopup : public Popup {
public:
    bool shown = false;
    int broughtToFront = 0;
    QList<PopupCloseReason> closes;

    bool isShown() const override { return shown; }
    void bringToFront() override { ++broughtToFront; }
    void close(PopupCloseReason reason) override {
        closes.append(reason);
        shown = false;
    }
};

} // namespace sorvu::test
