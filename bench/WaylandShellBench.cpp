// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs the real sorvu program in a headless sway session (no X server) and prints what bench_shell prints for
// X11: memory idle, processor time and wakeups while collecting with no copies, the delay from a copy to the
// queue, and how many of a burst of copies 20 ms apart reach the queue.
// Usage: bench_shell_wayland [seconds of idle collecting, default 30]

#include "bench/ProcessFigures.h"
#include "tests/integration/support/ChildProcess.h"
#include "tests/integration/support/WaylandSession.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>

using namespace sorvu::test;
using namespace sorvu::bench;

namespace {

QString appendLine(int count) {
    return QStringLiteral("queue append type=text queue.count=%1").arg(count);
}

} // namespace

int main(int argc, char** argv) {
    const int idleSeconds = argc > 1 ? std::max(1, atoi(argv[1])) : 30;
    WaylandSession session;
    if (!session.start()) {
        std::fprintf(stderr, "bench_shell_wayland: no Wayland session\n");
        return 1;
    }
    QCoreApplication application(argc, argv);

    ChildProcess::Options options;
    options.environment = {{"QT_LOGGING_RULES", "sorvu.*.debug=true"}, {"SORVU_LOG_STDERR", "1"}};
    QElapsedTimer clock;
    clock.start();
    const std::unique_ptr<ChildProcess> sorvu = session.start({SORVU_PROGRAM}, options);
    const auto log = [&] { return QString::fromUtf8(sorvu->standardError()); };
    const auto waitForLog = [&](const QString& line, int timeoutMilliseconds, qsizetype mark) {
        return waitUntil([&] { return log().indexOf(line, mark) >= 0; }, timeoutMilliseconds);
    };
    if (!sorvu || !waitForLog(QStringLiteral("session bus name acquired"), 20000, 0)) {
        std::fprintf(stderr, "bench_shell_wayland: sorvu did not come up\n%s\n", sorvu ? qPrintable(log()) : "");
        return 1;
    }
    std::printf("start to commands answered: %lld ms\n", static_cast<long long>(clock.elapsed()));
    waitUntil([] { return false; }, 2000);
    // setpriv, which runs it as the session's user, becomes the program.
    const pid_t program = sorvu->pid();
    std::printf("idle resident memory: %.1f MB\n", residentKilobytes(program) / 1024.0);

    session.run({SORVU_PROGRAM, "--toggle-collecting"});
    waitUntil([] { return false; }, 500);
    const double cpuBefore = cpuSeconds(program);
    const long wakeupsBefore = wakeups(program);
    waitUntil([] { return false; }, idleSeconds * 1000);
    const double cpuAfter = cpuSeconds(program);
    const long wakeupsAfter = wakeups(program);
    std::printf("processor time while collecting with no copies: %.3f s over %d s\n", cpuAfter - cpuBefore,
                idleSeconds);
    std::printf("wakeups while collecting with no copies: %ld over %d s\n", wakeupsAfter - wakeupsBefore, idleSeconds);

    QList<double> copyToQueued;
    for (int index = 1; index <= 30; ++index) {
        // Copies start at random moments, so that no rhythm of Sorvu's can hide in the figures.
        waitUntil([] { return false; }, int(QRandomGenerator::global()->bounded(150)));
        const qsizetype mark = log().size();
        ChildProcess::Options input;
        input.input = QStringLiteral("sample %1").arg(index).toUtf8();
        QElapsedTimer copyClock;
        copyClock.start();
        session.run({"wl-copy"}, 5000, input);
        if (waitForLog(appendLine(index), 5000, mark)) {
            copyToQueued.append(copyClock.nsecsElapsed() / 1e6);
        }
    }
    printDistribution("copy to queued (wl-copy start to queue entry, polled from the log)", copyToQueued);

    // A burst: one program copies every 20 ms, 20 times.
    const qsizetype burstMark = log().size();
    const std::unique_ptr<ChildProcess> series = session.start({SORVU_WAYLAND_SCRIPTED_CLIENT_PROGRAM, "series"});
    waitForLog(appendLine(50), 5000, burstMark);
    waitUntil([] { return false; }, 500);
    const int caught = int(log().mid(burstMark).count(QStringLiteral("queue append type=text")));
    std::printf("copies 20 ms apart: %d of 20 queued\n", caught);
    std::printf("resident memory with %d short texts queued: %.1f MB\n", 30 + caught,
                residentKilobytes(program) / 1024.0);

    session.run({SORVU_PROGRAM, "--quit"});
    sorvu->waitForExit(5000);
    session.stop();
    return 0;
}
