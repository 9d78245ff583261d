// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Prints what the engine's hot paths cost: an idle poll, a log line that is switched off, filling the queue,
// and the memory held by a queue of screenshots.
#include "bench/BenchEngine.h"
#include "bench/BusyScreenshot.h"
#include "engine/ClipboardQueue.h"
#include "engine/Log.h"

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

    const QByteArray png = sorvu::bench::busyScreenshotPng();
    const long before = residentKilobytes();
    QList<ClipboardImageRef> images;
    for (int index = 0; index < ClipboardQueue::capacity; ++index) {
        // Each entry gets bytes of its own, as each copy arrives from the clipboard separately.
        QByteArray copy(png.constData(), png.size());
        images.append(ClipboardImage::fromEncoded(copy, QStringLiteral("image/png")));
    }
    const long after = residentKilobytes();
    const double decodedMegabytes = 3840.0 * 2160.0 * 4.0 / (1024.0 * 1024.0);
    std::printf("99 images of 3840x2160: PNG %.2f MB each; resident growth %.1f MB (%.2f MB per entry; "
                "a decoded bitmap would be %.1f MB per entry)\n",
                png.size() / (1024.0 * 1024.0), (after - before) / 1024.0, (after - before) / 1024.0 / 99.0,
                decodedMegabytes);
    return images.size() == ClipboardQueue::capacity ? 0 : 1;
}
