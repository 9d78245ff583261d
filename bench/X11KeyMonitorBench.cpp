// Prints how long a key press takes to reach the key monitor's handler: posted with XTest from another
// connection (the monitor's own path: server, socket, event loop), and typed by a separate xdotool process
// (what a shortcut from outside costs end to end, the tool's start included). Runs on $DISPLAY, or on an Xvfb
// of its own when there is none.
#include "platform/x11/X11KeyMonitor.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

// Last: Xlib's macros (None, Bool…) would break the headers above.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

using namespace sorvu;

namespace {

constexpr int rounds = 100;
constexpr quint16 measuredKey = 96;

std::unique_ptr<QProcess> startOwnServer() {
    auto server = std::make_unique<QProcess>();
    server->start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                           QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!server->waitForStarted(5000)) {
        return nullptr;
    }
    QDeadlineTimer deadline(10000);
    QByteArray output;
    while (!output.contains('\n') && !deadline.hasExpired()) {
        server->waitForReadyRead(100);
        output += server->readAllStandardOutput();
    }
    if (!output.contains('\n')) {
        return nullptr;
    }
    qputenv("DISPLAY", ':' + output.trimmed());
    return server;
}

void report(const char* what, std::vector<double> microseconds) {
    std::sort(microseconds.begin(), microseconds.end());
    const auto at = [&](double fraction) { return microseconds[size_t(fraction * double(microseconds.size() - 1))]; };
    std::printf("%-44s n=%zu median=%.0f us p90=%.0f us max=%.0f us\n", what, microseconds.size(), at(0.5), at(0.9),
                microseconds.back());
}

bool waitForPresses(const int& presses, int wanted) {
    QDeadlineTimer deadline(5000);
    while (presses < wanted && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return presses >= wanted;
}

} // namespace

int main(int argc, char** argv) {
    std::unique_ptr<QProcess> ownServer;
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        ownServer = startOwnServer();
        if (!ownServer) {
            std::fprintf(stderr, "bench: no DISPLAY and no Xvfb could be started\n");
            return 1;
        }
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    int status = 0;
    {
        QGuiApplication application(argc, argv);
        X11KeyMonitor monitor;
        if (!monitor.isWatching()) {
            std::fprintf(stderr, "bench: the key monitor cannot watch this display\n");
            return 1;
        }
        int presses = 0;
        QElapsedTimer clock;
        qint64 handledAt = 0;
        monitor.installKeyDownMonitor([&](const KeyDownEvent& event) {
            if (event.keyCode == measuredKey) {
                handledAt = clock.nsecsElapsed();
                ++presses;
            }
        });
        Display* poster = XOpenDisplay(nullptr);
        clock.start();

        std::vector<double> posted;
        for (int round = 0; round < rounds && status == 0; ++round) {
            const qint64 sentAt = clock.nsecsElapsed();
            XTestFakeKeyEvent(poster, measuredKey, True, CurrentTime);
            XTestFakeKeyEvent(poster, measuredKey, False, CurrentTime);
            XFlush(poster);
            status = waitForPresses(presses, round + 1) ? 0 : 1;
            posted.push_back(double(handledAt - sentAt) / 1000.0);
        }

        std::vector<double> typed;
        const int base = presses;
        for (int round = 0; round < rounds / 4 && status == 0; ++round) {
            QProcess tool;
            const qint64 startedAt = clock.nsecsElapsed();
            tool.start(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("F12")});
            status = waitForPresses(presses, base + round + 1) ? 0 : 1;
            typed.push_back(double(handledAt - startedAt) / 1000.0);
            tool.waitForFinished(5000);
        }
        XCloseDisplay(poster);
        if (status != 0) {
            std::fprintf(stderr, "bench: a key press never reached the monitor\n");
        } else {
            report("key press (XTest) to monitor handler", posted);
            report("xdotool key started to monitor handler", typed);
        }
    }
    if (ownServer) {
        ownServer->terminate();
        ownServer->waitForFinished(3000);
    }
    return status;
}
