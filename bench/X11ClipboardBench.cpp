// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Prints what reading the X11 clipboard costs: the change count the engine polls ten times a second, and a
// 3840×2160 PNG screenshot copied by another program (xclip). Runs in an X server of its own.

#include "platform/x11/X11Clipboard.h"
#include "tests/integration/support/ChildProcess.h"
#include "tests/integration/support/X11Session.h"

#include <QBuffer>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryFile>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using sorvu::test::ChildProcess;

namespace {

// A screenshot-like picture: smooth areas, text-like detail and a photo, so the PNG has a realistic size.
QByteArray screenshotPng() {
    QImage image(3840, 2160, QImage::Format_RGB32);
    quint32 noise = 1;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (x >= 1920 && y >= 1080) {
                // A photo in one quarter: noise that PNG cannot squeeze.
                noise = noise * 1103515245u + 12345u;
                line[x] = qRgb(int(noise >> 24), int(noise >> 16) & 0xff, int(noise >> 8) & 0xff);
                continue;
            }
            const bool text = (y / 18) % 3 == 0 && ((x * 7 + y * 3) % 11) < 4;
            line[x] = text ? qRgb(20, 20, 20) : qRgb(200 + x % 40, 210 + y % 30, 230);
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    sorvu::test::X11Session session;
    if (!session.start()) {
        std::fprintf(stderr, "bench_x11_clipboard: no X server could be started\n");
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    int result = 0;
    {
        QGuiApplication application(argc, argv);
        sorvu::X11Clipboard clipboard;

        constexpr int countReads = 10'000'000;
        qint64 sum = 0;
        const auto countStart = std::chrono::steady_clock::now();
        for (int index = 0; index < countReads; ++index) {
            sum += static_cast<const sorvu::Clipboard&>(clipboard).changeCount();
        }
        const std::chrono::duration<double, std::nano> countTime = std::chrono::steady_clock::now() - countStart;
        std::printf("changeCount: %.2f ns per read (%d reads, checksum %lld)\n", countTime.count() / countReads,
                    countReads, sum);

        const QByteArray png = screenshotPng();
        const qint64 before = clipboard.changeCount();
        auto owner =
            ChildProcess::start({"xclip", "-quiet", "-selection", "clipboard", "-t", "image/png", "-i"}, {png, {}});
        QDeadlineTimer deadline(10000);
        while (owner && clipboard.changeCount() == before && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        if (!owner || clipboard.changeCount() == before) {
            std::fprintf(stderr, "bench_x11_clipboard: xclip did not take the clipboard\n");
            result = 1;
        } else {
            std::vector<double> reads;
            double first = 0;
            bool allRead = true;
            for (int round = 0; round < 11; ++round) {
                QElapsedTimer timer;
                timer.start();
                const QList<sorvu::ClipboardImageRef> images = clipboard.images();
                const double milliseconds = double(timer.nsecsElapsed()) / 1e6;
                allRead = allRead && images.size() == 1 && images.first()->encodedBytes() == png;
                if (round == 0) {
                    first = milliseconds;
                } else {
                    reads.push_back(milliseconds);
                }
            }
            std::printf("3840x2160 PNG (%.1f MB) from xclip: first read %.1f ms (with the type list), then median "
                        "%.1f ms over %zu reads%s\n",
                        double(png.size()) / 1e6, first, median(reads), reads.size(), allRead ? "" : " (READ FAILED)");
            result = allRead ? 0 : 1;
        }
        owner.reset();
    }
    session.stop();
    return result;
}
