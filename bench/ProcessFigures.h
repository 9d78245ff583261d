// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFile>
#include <QList>
#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <sys/types.h>
#include <unistd.h>

namespace sorvu::bench {

// A number from the process's status file, such as "VmRSS"; -1 when there is none.
inline long statusValue(pid_t pid, const QString& field) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^%1:\\s+(\\d+)").arg(field), QRegularExpression::MultilineOption)
            .match(QString::fromLatin1(status.readAll()));
    return match.hasMatch() ? match.captured(1).toLong() : -1;
}

inline long residentKilobytes(pid_t pid) {
    return statusValue(pid, QStringLiteral("VmRSS"));
}

// How often the process was woken up: its voluntary context switches so far.
inline long wakeups(pid_t pid) {
    return statusValue(pid, QStringLiteral("voluntary_ctxt_switches"));
}

// User and system time the process has used so far.
inline double cpuSeconds(pid_t pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QString text = QString::fromLatin1(stat.readAll());
    const QStringList fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return (fields.value(11).toDouble() + fields.value(12).toDouble()) / double(sysconf(_SC_CLK_TCK));
}

inline void printDistribution(const char* what, QList<double> samples) {
    std::sort(samples.begin(), samples.end());
    if (samples.isEmpty()) {
        std::printf("%s: no samples\n", what);
        return;
    }
    const double median = samples.at(samples.size() / 2);
    const double p95 = samples.at(std::min<qsizetype>(samples.size() - 1, qsizetype(samples.size() * 0.95)));
    std::printf("%s: median %.1f ms, 95th percentile %.1f ms (%lld samples)\n", what, median, p95,
                static_cast<long long>(samples.size()));
}

} // namespace sorvu::bench
