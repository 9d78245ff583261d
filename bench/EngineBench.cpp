// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Prints what the engine's hot paths cost: an idle poll, a log line that is switched off, filling the queue,
// and collecting a queue of screenshots: the main thread's share, the time their checks take, and the memory
// the queue holds.
#include "bench/BenchEngine.h"
#include "bench/BusyScreenshot.h"
#include "engine/ClipboardQueue.h"
#include "engine/Log.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>

using namespace sorvu;

namespace {

long residentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').first().toLong();
        }
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QTemporaryDir temporary;
    auto clipboard = std::make_shared<sorvu::bench::StillClipboard>();
    const ClipboardQueue::Dependencies dependencies = sorvu::bench::engineDependencies(temporary, clipboard);
    ClipboardQueue queue(dependencies);
    queue.toggleCollecting();

    constexpr int idlePolls = 1'000'000;
    QElapsedTimer timer;
    timer.start();
    for (int poll = 0; poll < idlePolls; ++poll) {
        queue.collector().checkClipboard();
    }
    std::printf("poll without change: %.1f ns\n", double(timer.nsecsElapsed()) / idlePolls);

    // The tray icon's status line, built from a name and a count, as every change writes it.
    constexpr int debugLines = 1'000'000;
    const QString imageName = QStringLiteral("menuBarIconFrameActiveRec");
    timer.restart();
    for (int line = 0; line < debugLines; ++line) {
        qCDebug(lcUi).noquote() << QStringLiteral("status item image=%1 count=%2").arg(imageName).arg(line);
    }
    std::printf("debug line while debug output is off: %.1f ns\n", double(timer.nsecsElapsed()) / debugLines);

    constexpr int rounds = 200;
    qint64 appendNanoseconds = 0;
    for (int round = 0; round < rounds; ++round) {
        queue.clear();
        timer.restart();
        for (int index = 0; index < ClipboardQueue::capacity; ++index) {
            clipboard->text = QStringLiteral("entry %1").arg(index);
            ++clipboard->count;
            queue.collector().checkClipboard();
        }
        appendNanoseconds += timer.nsecsElapsed();
    }
    std::printf("append 99 text entries: %.1f us (%.2f us per entry)\n", double(appendNanoseconds) / rounds / 1000.0,
                double(appendNanoseconds) / rounds / ClipboardQueue::capacity / 1000.0);

    queue.clear();
    const QByteArray png = sorvu::bench::busyScreenshotPng();
    const long before = residentKilobytes();
    qint64 collectNanoseconds = 0;
    QElapsedTimer untilQueued;
    untilQueued.start();
    for (int index = 0; index < ClipboardQueue::capacity; ++index) {
        // Each entry gets bytes of its own, as each copy arrives from the clipboard separately.
        QByteArray copy(png.constData(), png.size());
        clipboard->imageList = {ClipboardImage::fromEncoded(copy, QStringLiteral("image/png"))};
        ++clipboard->count;
        timer.restart();
        queue.collector().checkClipboard();
        collectNanoseconds += timer.nsecsElapsed();
    }
    clipboard->imageList.clear();
    // Each joins once the worker has decoded it.
    while (queue.queue().size() < ClipboardQueue::capacity && untilQueued.elapsed() < 600'000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    }
    const double queuedSeconds = double(untilQueued.nsecsElapsed()) / 1e9;
    const long after = residentKilobytes();
    const double decodedMegabytes = 3840.0 * 2160.0 * 4.0 / (1024.0 * 1024.0);
    std::printf("99 images of 3840x2160: PNG %.2f MB each; collecting on the main thread %.2f ms each; all checked "
                "and queued after %.2f s (%.0f ms per check); resident growth %.1f MB (%.2f MB per entry; a decoded "
                "bitmap would be %.1f MB per entry)\n",
                png.size() / (1024.0 * 1024.0), double(collectNanoseconds) / ClipboardQueue::capacity / 1e6,
                queuedSeconds, queuedSeconds * 1000.0 / ClipboardQueue::capacity, (after - before) / 1024.0,
                (after - before) / 1024.0 / 99.0, decodedMegabytes);
    return queue.queue().size() == ClipboardQueue::capacity ? 0 : 1;
}
