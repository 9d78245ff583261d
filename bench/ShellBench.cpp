// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs the real sorvu program in a private X session (Xvfb, openbox, tint2) and prints what a user pays
// for it: start-up time, memory idle and with a full queue of screenshots, processor time and wakeups while
// waiting for copies, the delays from a copy to the queue and from the paste shortcut to the pasted text, and
// how many of a burst of copies 20 ms apart reach the queue.
// Usage: bench_shell [seconds of idle collecting, default 60]

#include "bench/BusyScreenshot.h"
#include "bench/ProcessFigures.h"
#include "bench/SorvuRun.h"
#include "tests/integration/support/ChildProcess.h"
#include "tests/integration/support/SorvuLaunch.h"
#include "tests/integration/support/X11ServerState.h"
#include "tests/integration/support/X11Session.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

using namespace sorvu::test;
using namespace sorvu::bench;

namespace {

QString countLine(int count) {
    return QStringLiteral("status item image=menuBarIconFrameActiveRec count=%1").arg(count);
}

} // namespace

int main(int argc, char** argv) {
    const int idleSeconds = argc > 1 ? std::max(1, atoi(argv[1])) : 60;
    X11Session session;
    X11Session::Options sessionOptions;
    sessionOptions.trayHost = true;
    if (!session.start(sessionOptions)) {
        std::fprintf(stderr, "bench_shell: no X session\n");
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication application(argc, argv);

    Run run;
    QElapsedTimer clock;
    clock.start();
    run.sorvu = ChildProcess::start({SORVU_PROGRAM}, sorvuLaunchOptions(run.home));
    if (!run.sorvu || !run.waitForLog("status item image=menuBarIcon count=0")) {
        std::fprintf(stderr, "bench_shell: sorvu did not show its tray icon\n%s\n", qPrintable(run.log()));
        return 1;
    }
    std::printf("start to tray icon shown: %lld ms\n", static_cast<long long>(clock.elapsed()));
    waitUntil([] { return false; }, 2000);
    const pid_t pid = run.sorvu->pid();
    std::printf("idle resident memory: %.1f MB\n", residentKilobytes(pid) / 1024.0);

    ChildProcess::run({"xdotool", "key", "ctrl+super+c"});
    run.waitForLog(countLine(0));
    const double cpuBefore = cpuSeconds(pid);
    const long wakeupsBefore = wakeups(pid);
    waitUntil([] { return false; }, idleSeconds * 1000);
    const double cpuAfter = cpuSeconds(pid);
    const long wakeupsAfter = wakeups(pid);
    std::printf("processor time while collecting with no copies: %.3f s over %d s (%.3f %%)\n", cpuAfter - cpuBefore,
                idleSeconds, (cpuAfter - cpuBefore) * 100.0 / idleSeconds);
    std::printf("wakeups while collecting with no copies: %ld over %d s (%.2f per second)\n",
                wakeupsAfter - wakeupsBefore, idleSeconds, double(wakeupsAfter - wakeupsBefore) / idleSeconds);

    QList<double> copyToQueued;
    QList<double> ownerToQueued;
    for (int index = 1; index <= 30; ++index) {
        // Copies start at random moments, so that no rhythm of Sorvu's can hide in the figures.
        waitUntil([] { return false; }, int(QRandomGenerator::global()->bounded(150)));
        const qsizetype mark = run.mark();
        const unsigned long ownerBefore = clipboardOwnerWindow();
        QElapsedTimer copyClock;
        copyClock.start();
        run.copy(QStringLiteral("sample %1").arg(index).toUtf8());
        // When the server names xclip the owner: the copy as far as anyone can see it.
        qint64 ownerAt = -1;
        while (ownerAt < 0 && copyClock.elapsed() < 5000) {
            const unsigned long owner = clipboardOwnerWindow();
            if (owner != 0 && owner != ownerBefore) {
                ownerAt = copyClock.nsecsElapsed();
            }
        }
        run.waitForLog(countLine(index), 5000, mark);
        copyToQueued.append(copyClock.nsecsElapsed() / 1e6);
        if (ownerAt >= 0) {
            ownerToQueued.append((copyClock.nsecsElapsed() - ownerAt) / 1e6);
        }
    }
    printDistribution("copy to queued (xclip start to queue entry, polled from the log)", copyToQueued);
    printDistribution("copy to queued (new owner named by the server to queue entry)", ownerToQueued);

    // A burst: one copy every 20 ms, each by a program of its own.
    const int burstStart = 30;
    constexpr int burst = 30;
    for (int index = 1; index <= burst; ++index) {
        run.copy(QStringLiteral("burst %1").arg(index).toUtf8());
        waitUntil([] { return false; }, 20);
    }
    int queuedOfBurst = 0;
    for (int count = burstStart + burst; count > burstStart && queuedOfBurst == 0; --count) {
        if (run.waitForLog(countLine(count), count == burstStart + burst ? 3000 : 0)) {
            queuedOfBurst = count - burstStart;
        }
    }
    std::printf("copies 20 ms apart: %d of %d queued\n", queuedOfBurst, burst);

    auto field = ChildProcess::start({SORVU_TEXT_FIELD_PROGRAM, "bench field"});
    QString window;
    waitUntil([&] {
        window = QRegularExpression("^window (\\d+)$", QRegularExpression::MultilineOption)
                     .match(QString::fromUtf8(field->standardOutput()))
                     .captured(1);
        return !window.isEmpty();
    });
    ChildProcess::run({"xdotool", "windowactivate", "--sync", window});
    QList<double> shortcutToPaste;
    for (int index = 0; index < 20; ++index) {
        const qsizetype before = field->standardOutput().count("\ntext ");
        QElapsedTimer pasteClock;
        pasteClock.start();
        ChildProcess::run({"xdotool", "key", "ctrl+super+v"});
        waitUntil([&] { return field->standardOutput().count("\ntext ") > before; }, 5000);
        if (field->standardOutput().count("\ntext ") == before) {
            std::fprintf(stderr, "bench_shell: a paste did not arrive; the end of Sorvu's log:\n%s\n",
                         qPrintable(run.log().right(1500)));
            return 1;
        }
        shortcutToPaste.append(pasteClock.nsecsElapsed() / 1e6);
    }
    printDistribution("shortcut key press to pasted text in the field (includes the key-release wait)",
                      shortcutToPaste);
    const qsizetype drainMark = run.mark();
    for (int index = 0; index < burstStart + queuedOfBurst - 20; ++index) {
        ChildProcess::run({"xdotool", "key", "ctrl+super+v"});
    }
    run.waitForLog(QStringLiteral("stopCollecting reason=queueDrained"), 20000, drainMark);
    field->stop();

    const QByteArray png = sorvu::bench::busyScreenshotPng();
    const qsizetype restartMark = run.mark();
    ChildProcess::run({"xdotool", "key", "ctrl+super+c"});
    run.waitForLog(countLine(0), 5000, restartMark);
    int queued = 0;
    while (queued < 99) {
        const qsizetype mark = run.mark();
        run.copy(png, "image/png");
        if (!run.waitForLog(countLine(queued + 1), 20000, mark)) {
            break;
        }
        ++queued;
    }
    std::printf("resident memory with %d screenshots of 3840x2160 queued (PNG %.2f MB each): %.1f MB\n", queued,
                png.size() / (1024.0 * 1024.0), residentKilobytes(pid) / 1024.0);

    for (auto& copy : run.copies) {
        copy->stop();
    }
    run.sorvu->stop();
    session.stop();
    return 0;
}
