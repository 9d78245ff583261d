// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs the real sorvu program in a private X session (Xvfb, openbox, tint2) and prints what the popup costs:
// the time from a click on the tray icon until the popup's window is on screen, with an empty queue and with
// 99 screenshots of 3840x2160 queued; resident memory before the first opening, while it is open, after it
// closed and after 20 and 40 openings and closings, with where it lies (anonymous or file-backed, and the
// largest files); which graphics libraries the process has mapped; the processor time while the popup
// stays open and nothing moves; and, last, each figure beside its goal.
// Usage: bench_popup

#include "bench/BusyScreenshot.h"
#include "bench/MemoryMaps.h"
#include "bench/ProcessFigures.h"
#include "bench/SorvuRun.h"
#include "tests/integration/support/SystemTray.h"
#include "tests/integration/support/X11Session.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRect>

#include <algorithm>
#include <cstdio>
#include <optional>

// Last: its macros clash with the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

using namespace sorvu::bench;
using sorvu::test::X11Session;

namespace {

QRect windowRect(Display* display, Window window) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) == 0) {
        return {};
    }
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    return QRect(x, y, attributes.width, attributes.height);
}

bool isViewable(Display* display, Window window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) != 0 && attributes.map_state == IsViewable;
}

// Sorvu's popup: a viewable window of its class at least as wide as the popup.
std::optional<Window> findPopup(Display* display) {
    return sorvu::test::viewableSorvuWindow(display, DefaultRootWindow(display), 200);
}

void clickAt(Display* display, QPoint point) {
    XTestFakeMotionEvent(display, -1, point.x(), point.y(), CurrentTime);
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XFlush(display);
}

class PopupClock {
public:
    PopupClock(Display* display, QPoint icon) : m_display(display), m_icon(icon) {}

    // Milliseconds from the click on the icon until the popup's window is viewable; -1 when it never is.
    double open() {
        QElapsedTimer clock;
        clock.start();
        clickAt(m_display, m_icon);
        while (clock.elapsed() < 10000) {
            if (!m_popup) {
                m_popup = findPopup(m_display);
            }
            if (m_popup && isViewable(m_display, *m_popup)) {
                return clock.nsecsElapsed() / 1e6;
            }
            QCoreApplication::processEvents();
        }
        return -1;
    }
    void close() {
        clickAt(m_display, m_icon);
        waitUntil([&] { return !m_popup || !isViewable(m_display, *m_popup); }, 5000);
        // The content goes at the next turn of Sorvu's event loop.
        waitUntil([] { return false; }, 100);
    }

private:
    Display* m_display;
    QPoint m_icon;
    std::optional<Window> m_popup;
};

} // namespace

int main(int argc, char** argv) {
    X11Session session;
    X11Session::Options sessionOptions;
    sessionOptions.trayHost = true;
    if (!session.start(sessionOptions)) {
        std::fprintf(stderr, "bench_popup: no X session\n");
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication application(argc, argv);
    Display* display = XOpenDisplay(nullptr);

    Run run;
    run.sorvu = ChildProcess::start({SORVU_PROGRAM}, sorvu::test::sorvuLaunchOptions(run.home));
    if (!run.sorvu || !run.waitForLog("status item image=menuBarIcon count=0") ||
        !waitUntil(sorvu::test::sorvuTrayIconShown, 10000)) {
        std::fprintf(stderr, "bench_popup: sorvu did not show its tray icon\n");
        return 1;
    }
    const auto iconWindow = sorvu::test::sorvuTrayIconWindow(display, DefaultRootWindow(display));
    const QPoint icon = windowRect(display, *iconWindow).center();
    const pid_t pid = run.sorvu->pid();
    waitUntil([] { return false; }, 1000);
    PopupClock popup(display, icon);

    const auto megabytes = [pid] { return residentKilobytes(pid) / 1024.0; };
    // Sorvu gives memory back a moment after the popup closed.
    const auto settle = [] { waitUntil([] { return false; }, 1500); };
    const double idle = megabytes();
    std::printf("resident memory before the first opening: %.1f MB\n", idle);
    printBreakdown("before the first opening", memoryBreakdown(pid));
    const double firstOpening = popup.open();
    std::printf("click to popup shown, first opening (loads the views), empty queue: %.1f ms\n", firstOpening);
    waitUntil([] { return false; }, 500);
    const double open = megabytes();
    std::printf("resident memory with the popup open for the first time: %.1f MB\n", open);
    printBreakdown("popup open", memoryBreakdown(pid));
    const QStringList drivers = mappedGraphicsLibraries(pid, true);
    std::printf("graphics drivers mapped after an opening: %s\n",
                drivers.isEmpty() ? "none" : qPrintable(drivers.join(QStringLiteral(", "))));
    std::printf("graphics dispatch libraries mapped (linked by Qt): %s\n",
                qPrintable(mappedGraphicsLibraries(pid, false).join(QStringLiteral(", "))));

    const double cpuBefore = cpuSeconds(pid);
    const long wakeupsBefore = wakeups(pid);
    constexpr int idleSeconds = 10;
    waitUntil([] { return false; }, idleSeconds * 1000);
    std::printf("processor time while the popup stays open and nothing moves: %.3f s over %d s, %ld wakeups\n",
                cpuSeconds(pid) - cpuBefore, idleSeconds, wakeups(pid) - wakeupsBefore);
    popup.close();
    settle();
    const double closed = megabytes();
    std::printf("resident memory after the first closing: %.1f MB\n", closed);
    printBreakdown("after the first closing", memoryBreakdown(pid));

    QList<double> emptyOpenings;
    for (int opening = 0; opening < 20; ++opening) {
        emptyOpenings.append(popup.open());
        popup.close();
    }
    printDistribution("click to popup shown, empty queue", emptyOpenings);
    settle();
    std::printf("resident memory after 21 openings and closings: %.1f MB\n", megabytes());
    for (int opening = 0; opening < 20; ++opening) {
        popup.open();
        popup.close();
    }
    settle();
    const double afterMany = megabytes();
    std::printf("resident memory after 41 openings and closings: %.1f MB\n", afterMany);
    std::sort(emptyOpenings.begin(), emptyOpenings.end());
    const double laterOpening = emptyOpenings.value(emptyOpenings.size() / 2, -1);

    const QByteArray png = busyScreenshotPng();
    ChildProcess::run({"xdotool", "key", "ctrl+super+c"});
    int queued = 0;
    while (queued < 99) {
        const qsizetype mark = run.mark();
        run.copy(png, "image/png");
        if (!run.waitForLog(QStringLiteral("count=%1\n").arg(queued + 1), 20000, mark)) {
            break;
        }
        ++queued;
    }
    const long fullBefore = residentKilobytes(pid);
    QList<double> fullOpenings;
    for (int opening = 0; opening < 10; ++opening) {
        fullOpenings.append(popup.open());
        // Every thumbnail is made once and kept for later openings.
        waitUntil([] { return false; }, opening == 0 ? 5000 : 200);
        popup.close();
    }
    printDistribution(
        qPrintable(QStringLiteral("click to popup shown, %1 screenshots of 3840x2160 queued").arg(queued)),
        fullOpenings);
    std::printf("resident memory with %d screenshots queued: %.1f MB before opening, %.1f MB after 10 openings\n",
                queued, fullBefore / 1024.0, residentKilobytes(pid) / 1024.0);

    const auto verdict = [](bool met) { return met ? "met" : "NOT met"; };
    std::printf("goals:\n");
    std::printf("  open, at most 30 MB above idle: %+.1f MB, %s\n", open - idle, verdict(open - idle <= 30));
    std::printf("  closed, within 10 MB of idle: %+.1f MB after one opening, %+.1f MB after 41, %s\n", closed - idle,
                afterMany - idle, verdict(closed - idle <= 10 && afterMany - idle <= 10));
    std::printf("  first opening at most 150 ms: %.1f ms, %s\n", firstOpening,
                verdict(firstOpening >= 0 && firstOpening <= 150));
    std::printf("  later openings at most 30 ms: median %.1f ms, %s\n", laterOpening,
                verdict(laterOpening >= 0 && laterOpening <= 30));
    std::printf("  no graphics driver mapped: %s\n", verdict(drivers.isEmpty()));

    for (auto& copy : run.copies) {
        copy->stop();
    }
    run.sorvu->stop();
    XCloseDisplay(display);
    session.stop();
    return 0;
}
