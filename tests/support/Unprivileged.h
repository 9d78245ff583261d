// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <unistd.h>

namespace sorvu::test {

// Root passes every permission check, so a test about permissions proves nothing as root. As root this runs
// the current test again in a child process as the user "nobody" and checks that it passed there; answers
// true when it did that (or skipped), and the caller then returns. As anyone else it answers false: the
// caller runs its checks itself.
inline bool ranAsUnprivilegedUser() {
    if (geteuid() != 0) {
        return false;
    }
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty()) {
        ADD_FAILURE() << "setpriv (util-linux) is needed to run this test as an unprivileged user";
        return true;
    }
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString filter = QStringLiteral("--gtest_filter=%1.%2")
                               .arg(QString::fromUtf8(info->test_suite_name()), QString::fromUtf8(info->name()));
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(setpriv, {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                          QStringLiteral("--clear-groups"), QCoreApplication::applicationFilePath(), filter});
    if (!child.waitForFinished(120000)) {
        ADD_FAILURE() << "the unprivileged run did not finish";
        return true;
    }
    const QByteArray output = child.readAll();
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    // A filter that matched nothing also exits with 0.
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
    return true;
}

} // namespace sorvu::test
