// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Prints what watching the Wayland clipboard costs, in a headless sway of its own: the time from another
// program's copy (wl-copy started) to the change seen and its text read, the copies caught when one program
// copies every 20 ms, and how often Sorvu's connection wakes the program while nothing happens. Goals: 20 ms
// median or less, every copy caught, no wakeups while idle.

#include "bench/ProcessFigures.h"
#include "platform/wayland/WaylandClipboard.h"
#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandPasteKeystroke.h"
#include "platform/wayland/WaylandWorkspace.h"
#include "tests/integration/support/WaylandSession.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTimer>

#include <unistd.h>

#include <cstdio>
#include <memory>
#include <vector>

using sorvu::test::ChildProcess;

namespace {

bool runUntil(const std::function<bool()>& condition, int timeoutMilliseconds) {
    QDeadlineTimer deadline(timeoutMilliseconds);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    sorvu::test::WaylandSession session;
    if (!session.start()) {
        std::fprintf(stderr, "bench_wayland_clipboard: no Wayland session could be started\n");
        return 1;
    }
    qputenv("WAYLAND_DISPLAY", session.socketPath());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int result = 0;
    {
        QGuiApplication application(argc, argv);
        sorvu::WaylandConnection connection;
        std::printf("compositor: sway, offers %s\n", qPrintable(connection.describe()));
        sorvu::WaylandClipboard clipboard(connection.dataControl());
        sorvu::WaylandPasteKeystroke keystroke(connection);
        sorvu::WaylandWorkspace workspace(connection.toplevels());

        // What the engine does: each change wakes it, and it reads the text at once.
        QStringList seen;
        QElapsedTimer sinceCopy;
        QList<double> copyToRead;
        QString awaited;
        clipboard.observeChanges([&] {
            const std::optional<QString> text = clipboard.plainText();
            if (!text) {
                return;
            }
            if (!seen.contains(*text)) {
                seen.append(*text);
            }
            if (*text == awaited) {
                copyToRead.append(double(sinceCopy.nsecsElapsed()) / 1e6);
                awaited.clear();
            }
        });

        std::vector<std::unique_ptr<ChildProcess>> owners;
        constexpr int rounds = 40;
        for (int round = 0; round < rounds; ++round) {
            awaited = QStringLiteral("bench copy %1").arg(round);
            sinceCopy.start();
            owners.push_back(
                session.start({"wl-copy", "--foreground", "--type", "text/plain"}, {awaited.toUtf8(), {}}));
            if (!runUntil([&] { return awaited.isEmpty(); }, 5000)) {
                std::fprintf(stderr, "bench_wayland_clipboard: copy %d was not seen\n", round);
                result = 1;
            }
            // The previous owner is replaced already; ending it changes nothing more.
            if (owners.size() > 1) {
                owners.front().reset();
                owners.erase(owners.begin());
            }
        }
        sorvu::bench::printDistribution("wl-copy started to change seen and text read", copyToRead);

        // One program copies 20 times, 20 ms apart: separate wl-copy processes started that close together reach
        // the compositor out of order, their start-up taking longer than that and varying.
        seen.clear();
        const qint64 before = clipboard.changeCount();
        owners.push_back(session.start({SORVU_WAYLAND_SCRIPTED_CLIENT_PROGRAM, "series"}));
        runUntil([&] { return clipboard.changeCount() >= before + 20; }, 10000);
        runUntil([] { return false; }, 200);
        int caught = 0;
        for (int index = 0; index < 20; ++index) {
            caught += seen.contains(QStringLiteral("copy %1").arg(index)) ? 1 : 0;
        }
        std::printf(
            "copies 20 ms apart: %d of 20 caught, %s\n", caught,
            seen ==
                    [] {
                        QStringList order;
                        for (int index = 0; index < 20; ++index) {
                            order.append(QStringLiteral("copy %1").arg(index));
                        }
                        return order;
                    }()
                ? "in order"
                : "NOT in order");
        owners.clear();
        runUntil([] { return false; }, 300);

        // Idle: nothing on the desktop happens; the connection's socket stays quiet and no timer runs.
        constexpr int idleMilliseconds = 5000;
        const long wakeupsBefore = sorvu::bench::wakeups(getpid());
        QTimer::singleShot(idleMilliseconds, &application, &QCoreApplication::quit);
        QCoreApplication::exec();
        // The timer that ended the wait is one wakeup of its own.
        const long idleWakeups = sorvu::bench::wakeups(getpid()) - wakeupsBefore - 1;
        std::printf("wakeups while idle: %ld in %d s (clipboard, keyboard and window list connected)\n", idleWakeups,
                    idleMilliseconds / 1000);
        std::printf("resident memory: %ld kB\n", sorvu::bench::residentKilobytes(getpid()));
    }
    session.stop();
    return result;
}
