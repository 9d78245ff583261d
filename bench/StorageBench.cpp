// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Prints what storing copied files costs the main thread: the longest stall of its event loop while a large
// file, a large sparse file and a folder of many small files are copied, the time until each is pasteable,
// the disk the sparse file's copy takes, and how long quitting takes with the folder's copy queued and with a
// copy still running. Sizes come from the command line:
//   bench_storage [file megabytes = 1024] [sparse megabytes = 2048] [small files = 30000] [folder]
// The sources and the storage go into a temporary folder in the given folder (default: the system's
// temporary folder), so that both are on the disk being measured.
#include "bench/BenchEngine.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTimer>

#include <cstdio>
#include <sys/stat.h>

using namespace sorvu;

namespace {

struct Figures {
    double clearMilliseconds = 0;
    double collectMilliseconds = 0;
    double longestStallMilliseconds = 0;
    double pasteableSeconds = 0;
    bool queued = false;
};

// Collects the URL as one copy and runs the event loop until its entry is in the queue, timing the gaps
// between the turns of a 1 ms timer: a gap is as long as the main thread was kept from its events.
Figures collect(ClipboardQueue& queue, bench::StillClipboard& clipboard, const QUrl& url) {
    Figures figures;
    // Removing the copy before, as the user clearing the queue would.
    QElapsedTimer clearing;
    clearing.start();
    queue.clear();
    figures.clearMilliseconds = double(clearing.nsecsElapsed()) / 1e6;
    clipboard.urls = {url};
    ++clipboard.count;

    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setInterval(1);
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        figures.longestStallMilliseconds =
            std::max(figures.longestStallMilliseconds, double(sinceTick.nsecsElapsed()) / 1e6);
        sinceTick.restart();
    });
    ticker.start();

    QElapsedTimer total;
    total.start();
    sinceTick.start();
    queue.collector().checkClipboard();
    figures.collectMilliseconds = double(total.nsecsElapsed()) / 1e6;
    while (queue.queue().isEmpty() && total.elapsed() < 600'000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    }
    figures.pasteableSeconds = double(total.nsecsElapsed()) / 1e9;
    figures.queued = !queue.queue().isEmpty();
    return figures;
}

void print(const char* what, const Figures& figures) {
    std::printf("%s: checkClipboard %.2f ms, longest main-thread stall %.2f ms, pasteable after %.3f s%s "
                "(clearing the copy before: %.2f ms)\n",
                what, figures.collectMilliseconds, figures.longestStallMilliseconds, figures.pasteableSeconds,
                figures.queued ? "" : " (NOT QUEUED)", figures.clearMilliseconds);
}

qint64 allocatedBytes(const QString& path) {
    struct stat status {};
    return stat(QFile::encodeName(path).constData(), &status) == 0 ? qint64(status.st_blocks) * 512 : -1;
}

bool writeFile(const QString& path, qint64 megabytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (qint64 megabyte = 0; megabyte < megabytes; ++megabyte) {
        // Different bytes in every block, so that no file system can fold them together.
        block.fill(char('a' + megabyte % 26));
        block.replace(0, 8, QByteArray::number(megabyte).leftJustified(8));
        if (file.write(block) != block.size()) {
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const auto number = [&](int index, qint64 fallback) {
        return arguments.size() > index ? arguments.at(index).toLongLong() : fallback;
    };
    const qint64 fileMegabytes = number(1, 1024);
    const qint64 sparseMegabytes = number(2, 2048);
    const int smallFiles = int(number(3, 30000));
    const QString parent = arguments.size() > 4 ? arguments.at(4) : QDir::tempPath();

    QTemporaryDir temporary(parent + QStringLiteral("/sorvu-storage-bench-XXXXXX"));
    const QString sources = temporary.filePath(QStringLiteral("sources"));
    if (!temporary.isValid() || !QDir().mkpath(sources + QStringLiteral("/small"))) {
        std::fprintf(stderr, "cannot make the folders in %s\n", qPrintable(parent));
        return 1;
    }
    const QString large = sources + QStringLiteral("/large.bin");
    const QString sparse = sources + QStringLiteral("/sparse.img");
    std::printf("preparing %lld MB file, %lld MB sparse file, %d small files in %s\n", fileMegabytes, sparseMegabytes,
                smallFiles, qPrintable(temporary.path()));
    if (!writeFile(large, fileMegabytes)) {
        return 1;
    }
    {
        QFile file(sparse);
        if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(4096, 's')) != 4096 ||
            !file.resize(sparseMegabytes << 20)) {
            return 1;
        }
    }
    for (int index = 0; index < smallFiles; ++index) {
        QFile file(sources + QStringLiteral("/small/%1.txt").arg(index));
        if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray::number(index).repeated(20)) <= 0) {
            return 1;
        }
    }

    auto clipboard = std::make_shared<bench::StillClipboard>();
    ClipboardQueue::Dependencies dependencies = bench::engineDependencies(temporary, clipboard);
    dependencies.maximumFileBytes = (std::max(fileMegabytes, sparseMegabytes) + 1) << 20;
    auto engine = std::make_unique<ClipboardQueue>(dependencies);
    ClipboardQueue& queue = *engine;
    queue.toggleCollecting();

    print(qPrintable(QStringLiteral("%1 MB file").arg(fileMegabytes)),
          collect(queue, *clipboard, QUrl::fromLocalFile(large)));
    const Figures sparseFigures = collect(queue, *clipboard, QUrl::fromLocalFile(sparse));
    print(qPrintable(QStringLiteral("%1 MB sparse file").arg(sparseMegabytes)), sparseFigures);
    if (sparseFigures.queued) {
        const QString copy = queue.queue().first().content.fileUrl().toLocalFile();
        std::printf("  disk taken by the sparse file's copy: %lld KB (the source takes %lld KB)\n",
                    allocatedBytes(copy) / 1024, allocatedBytes(sparse) / 1024);
    }
    print(qPrintable(QStringLiteral("folder of %1 small files").arg(smallFiles)),
          collect(queue, *clipboard, QUrl::fromLocalFile(sources + QStringLiteral("/small"))));
    QElapsedTimer clearing;
    clearing.start();
    queue.clear();
    std::printf("clearing the folder's copy: main thread %.2f ms\n", double(clearing.nsecsElapsed()) / 1e6);

    // Quitting with the folder's copy queued: removed within the quit's budget, the rest left to the next start.
    collect(queue, *clipboard, QUrl::fromLocalFile(sources + QStringLiteral("/small")));
    const auto remaining = [](const QString& instance) {
        return qlonglong(QDir(instance).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size());
    };
    QString instance = queue.files().instancePath();
    QElapsedTimer quitting;
    quitting.start();
    engine.reset();
    std::printf("quitting with the folder's copy queued: main thread %.2f ms, entries left for the next start: %lld\n",
                double(quitting.nsecsElapsed()) / 1e6, remaining(instance));

    // Quitting while the large file is being copied: the copy is called off.
    engine = std::make_unique<ClipboardQueue>(dependencies);
    engine->toggleCollecting();
    clipboard->urls = {QUrl::fromLocalFile(large)};
    ++clipboard->count;
    engine->collector().checkClipboard();
    instance = engine->files().instancePath();
    // Well into the copy.
    QElapsedTimer copying;
    copying.start();
    while (copying.elapsed() < 300) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    quitting.restart();
    engine.reset();
    std::printf("quitting while the %lld MB file is being copied: main thread %.2f ms, entries left: %lld\n",
                fileMegabytes, double(quitting.nsecsElapsed()) / 1e6, remaining(instance));
    return 0;
}
