// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/ReduceMotionSetting.h"
#include "platform/linux/SingleInstanceLock.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace sorvu;

namespace {

bool acquiredInAnotherProcess(const QString& display) {
    const pid_t child = fork();
    if (child == 0) {
        _exit(SingleInstanceLock::acquire(display).outcome == SingleInstanceLock::Outcome::acquired ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

TEST(SingleInstance, ASecondHolderForTheSameDisplayIsRefused) {
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    auto first = SingleInstanceLock::acquire(":7");
    ASSERT_EQ(first.outcome, SingleInstanceLock::Outcome::acquired);
    ASSERT_TRUE(SingleInstanceLock::lockFilePath(":7"));
    EXPECT_TRUE(QFile::exists(*SingleInstanceLock::lockFilePath(":7")));
    EXPECT_NE(SingleInstanceLock::lockFilePath(":7"), SingleInstanceLock::lockFilePath(":8"));
    EXPECT_TRUE(SingleInstanceLock::lockFilePath("../../etc:7")->startsWith(runtime.path() + "/sorvu-"));
    EXPECT_FALSE(SingleInstanceLock::lockFilePath("../../etc:7")->mid(runtime.path().size() + 1).contains('/'));

    // Another process is what a second start is, whichever way it writes the display.
    for (const char* sameDisplay : {":7", ":7.0", "unix:7", "unix:7.1"}) {
        EXPECT_FALSE(acquiredInAnotherProcess(sameDisplay)) << sameDisplay;
    }
    // Other displays are other sessions.
    EXPECT_TRUE(acquiredInAnotherProcess(":8"));
    EXPECT_TRUE(acquiredInAnotherProcess("otherhost:7"));

    // Released with its holder.
    first.lock.reset();
    EXPECT_TRUE(acquiredInAnotherProcess(":7"));
    qunsetenv("XDG_RUNTIME_DIR");
}

TEST(SingleInstance, WithoutAPrivateRuntimeFolderNoLockIsTaken) {
    QTemporaryDir runtime;
    // Missing, unset, writable by others, or someone else's: a lock there proves nothing or can be squatted.
    qputenv("XDG_RUNTIME_DIR", runtime.filePath("missing").toLocal8Bit());
    EXPECT_EQ(SingleInstanceLock::acquire(":7").outcome, SingleInstanceLock::Outcome::unavailable);
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(SingleInstanceLock::acquire(":7").outcome, SingleInstanceLock::Outcome::unavailable);

    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    ASSERT_EQ(chmod(runtime.path().toLocal8Bit().constData(), 0777), 0);
    EXPECT_EQ(SingleInstanceLock::acquire(":7").outcome, SingleInstanceLock::Outcome::unavailable);
    ASSERT_EQ(chmod(runtime.path().toLocal8Bit().constData(), 0700), 0);
    if (geteuid() == 0) {
        // Only root can give a folder away; as another user the folder would not be ours to begin with.
        ASSERT_EQ(chown(runtime.path().toLocal8Bit().constData(), 65534, 65534), 0);
        EXPECT_EQ(SingleInstanceLock::acquire(":7").outcome, SingleInstanceLock::Outcome::unavailable);
        ASSERT_EQ(chown(runtime.path().toLocal8Bit().constData(), 0, 0), 0);
    }
    EXPECT_EQ(SingleInstanceLock::acquire(":7").outcome, SingleInstanceLock::Outcome::acquired);
    qunsetenv("XDG_RUNTIME_DIR");
}

TEST(ReduceMotion, ReadsKdesAnimationSpeed) {
    EXPECT_TRUE(ReduceMotionSetting::kdeReducesMotion("[General]\nfoo=1\n[KDE]\nAnimationDurationFactor=0\n"));
    EXPECT_TRUE(ReduceMotionSetting::kdeReducesMotion("[KDE]\n AnimationDurationFactor = 0.0\n"));
    EXPECT_FALSE(ReduceMotionSetting::kdeReducesMotion("[KDE]\nAnimationDurationFactor=0.5\n"));
    EXPECT_FALSE(ReduceMotionSetting::kdeReducesMotion("[Other]\nAnimationDurationFactor=0\n"));
    EXPECT_FALSE(ReduceMotionSetting::kdeReducesMotion("[KDE]\nAnimationDurationFactor=\n"));
    EXPECT_FALSE(ReduceMotionSetting::kdeReducesMotion(""));
}

TEST(ReduceMotion, GoingAwayWhileAskingGnomeLeavesNoProcessBehind) {
    // A gsettings that takes its time, as a busy session's does.
    QTemporaryDir bin;
    QFile slow(bin.filePath("gsettings"));
    ASSERT_TRUE(slow.open(QIODevice::WriteOnly));
    slow.write("#!/bin/sh\nsleep 5\necho true\n");
    slow.close();
    slow.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    const QByteArray desktop = qgetenv("XDG_CURRENT_DESKTOP");
    qputenv("PATH", bin.path().toLocal8Bit() + ':' + path);
    qputenv("XDG_CURRENT_DESKTOP", "GNOME");

    QStringList warnings;
    static QStringList* seen = nullptr;
    seen = &warnings;
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) { seen->append(text); });
    {
        ReduceMotionSetting setting;
        EXPECT_FALSE(setting.isOn());
    }
    qInstallMessageHandler(previous);
    qputenv("PATH", path);
    qputenv("XDG_CURRENT_DESKTOP", desktop);
    EXPECT_FALSE(warnings.join('\n').contains("Destroyed while process")) << warnings.join('\n').toStdString();
}
