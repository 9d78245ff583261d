// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "tests/integration/support/ChildProcess.h"
#include "tests/integration/support/SorvuLaunch.h"
#include "tests/support/TestSupport.h"

#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>
#include <vector>

namespace sorvu::bench {

using test::ChildProcess;
using test::startXclipCopy;
using test::waitUntil;

// One run of the real program with a private home, its log, and the programs that copied for it.
struct Run {
    QTemporaryDir home;
    std::unique_ptr<ChildProcess> sorvu;
    std::vector<std::unique_ptr<ChildProcess>> copies;

    QString log() const { return QString::fromUtf8(sorvu->standardError()); }
    // Looks only at what was logged after the mark, a position in the log.
    bool waitForLog(const QString& line, int timeoutMilliseconds = 20000, qsizetype mark = 0) const {
        return waitUntil([&] { return log().indexOf(line, mark) >= 0; }, timeoutMilliseconds);
    }
    qsizetype mark() const { return log().size(); }
    void copy(const QByteArray& data, const QString& type = {}) {
        copies.push_back(startXclipCopy(data, type));
        // Only the newest owner matters; the older ones have lost the clipboard and ended.
        copies.erase(
            std::remove_if(copies.begin(), copies.end() - 1, [](auto& process) { return !process->isRunning(); }),
            copies.end() - 1);
    }
};

} // namespace sorvu::bench
