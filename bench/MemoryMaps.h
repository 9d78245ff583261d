// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFile>
#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <sys/types.h>
#include <utility>

namespace sorvu::bench {

// Where a process's resident memory lies, as the kernel accounts it in /proc/<pid>/smaps: anonymous pages
// (heap, stacks, private copies) and pages of mapped files (libraries, fonts, caches), and the files that
// hold the most.
struct MemoryBreakdown {
    long anonymousKilobytes = 0;
    long fileKilobytes = 0;
    QList<std::pair<QString, long>> largestFiles;
};

inline MemoryBreakdown memoryBreakdown(pid_t pid, int largest = 6) {
    MemoryBreakdown result;
    QFile smaps(QStringLiteral("/proc/%1/smaps").arg(pid));
    if (!smaps.open(QIODevice::ReadOnly)) {
        return result;
    }
    static const QRegularExpression mapping(QStringLiteral("^[0-9a-f]+-[0-9a-f]+ \\S+ \\S+ \\S+ \\S+\\s*(.*)$"));
    static const QRegularExpression field(QStringLiteral("^(\\w+):\\s+(\\d+) kB$"));
    QHash<QString, long> perFile;
    QString path;
    long rss = 0;
    const auto finish = [&] {
        if (!path.isEmpty() && !path.startsWith(QLatin1Char('['))) {
            perFile[path] += rss;
        }
    };
    for (const QByteArray& raw : smaps.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw);
        if (const QRegularExpressionMatch match = mapping.match(line); match.hasMatch()) {
            finish();
            path = match.captured(1).trimmed();
            rss = 0;
        } else if (const QRegularExpressionMatch value = field.match(line); value.hasMatch()) {
            const long kilobytes = value.captured(2).toLong();
            if (value.captured(1) == QLatin1String("Rss")) {
                rss += kilobytes;
                result.fileKilobytes += kilobytes;
            } else if (value.captured(1) == QLatin1String("Anonymous")) {
                // A file mapping's private copies are anonymous too.
                rss -= kilobytes;
                result.fileKilobytes -= kilobytes;
                result.anonymousKilobytes += kilobytes;
            }
        }
    }
    finish();
    for (auto file = perFile.cbegin(); file != perFile.cend(); ++file) {
        result.largestFiles.append({file.key(), file.value()});
    }
    std::sort(result.largestFiles.begin(), result.largestFiles.end(),
              [](const auto& a, const auto& b) { return a.second > b.second; });
    result.largestFiles = result.largestFiles.mid(0, largest);
    return result;
}

inline void printBreakdown(const char* when, const MemoryBreakdown& breakdown) {
    std::printf("  %s: anonymous %.1f MB, file-backed %.1f MB; largest files:", when,
                breakdown.anonymousKilobytes / 1024.0, breakdown.fileKilobytes / 1024.0);
    for (const auto& [path, kilobytes] : breakdown.largestFiles) {
        std::printf(" %s %.1f MB,", qPrintable(path.section(QLatin1Char('/'), -1)), kilobytes / 1024.0);
    }
    std::printf("\n");
}

// The OpenGL and Vulkan libraries the process has mapped. Drivers (Mesa's *_dri, libgallium, libLLVM, the
// vendor's libGLX_/libEGL_ implementations) are loaded only when something renders through them; the
// dispatchers (libGL, libGLX, libEGL, libOpenGL, libGLdispatch) come with Qt's own libraries at start.
inline QStringList mappedGraphicsLibraries(pid_t pid, bool drivers) {
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
    if (!maps.open(QIODevice::ReadOnly)) {
        return {};
    }
    static const QRegularExpression driver(
        QStringLiteral("/(lib(GLX|EGL)_\\w+|\\w+_dri|libgallium[^/]*|libLLVM[^/]*|libglapi|libvulkan[^/]*)\\.so"));
    static const QRegularExpression dispatcher(QStringLiteral("/lib(GL|GLX|EGL|OpenGL|GLdispatch|GLESv2)\\.so"));
    QStringList found;
    for (const QByteArray& raw : maps.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw);
        const qsizetype slash = line.indexOf(QLatin1Char('/'));
        if (slash < 0) {
            continue;
        }
        const QString path = line.mid(slash);
        if ((drivers ? driver : dispatcher).match(path).hasMatch()) {
            const QString name = path.section(QLatin1Char('/'), -1);
            if (!found.contains(name)) {
                found.append(name);
            }
        }
    }
    return found;
}

} // namespace sorvu::bench
