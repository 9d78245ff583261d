// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QHash>
#include <QStringList>

#include <sys/types.h>

#include <memory>
#include <optional>

namespace sorvu::test {

// A program the tests start: either run to completion (`run`) or kept alive until stopped (`start`).
// Output goes to unnamed temporary files rather than pipes, so a chatty child never blocks on a full pipe and
// a test never has to drain it. Every child is registered until it is reaped, so `stopAll` can end whatever
// a failing test left behind; each also dies with the test program (parent-death signal).
class ChildProcess {
public:
    struct Options {
        // Fed to standard input (from a file, so any size works); empty input means /dev/null.
        QByteArray input;
        // Variables to set for the child; a null value removes the variable.
        QHash<QByteArray, QByteArray> environment;
    };

    struct Result {
        bool started = false;
        bool timedOut = false;
        // The exit status, or nothing when the child was killed or never ran.
        std::optional<int> exitCode;
        QByteArray standardOutput;
        QByteArray standardError;

        bool succeeded() const { return started && !timedOut && exitCode == 0; }
    };

    // Runs the command until it exits or the time is up (then kills it), processing the Qt event loop
    // meanwhile when there is one: the command may well be asking our own program for the clipboard.
    static Result run(const QStringList& command, int timeoutMilliseconds = 5000, const Options& options = {});

    // Starts a long-lived child; nothing when it could not be started.
    static std::unique_ptr<ChildProcess> start(const QStringList& command, const Options& options = {});

    // Ends every registered child that is still running, by its pid.
    static void stopAll();

    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return m_pid; }
    bool isRunning();
    // Waits (processing events) for the child to exit; the exit status, or nothing on timeout or a signal.
    std::optional<int> waitForExit(int timeoutMilliseconds);
    // SIGTERM, then SIGKILL when it does not end within a second; reaps it.
    void stop();

    QByteArray standardOutput() const;
    QByteArray standardError() const;

private:
    ChildProcess() = default;
    bool reap(bool block);

    pid_t m_pid = -1;
    bool m_reaped = false;
    std::optional<int> m_exitCode;
    int m_outputDescriptor = -1;
    int m_errorDescriptor = -1;
};

} // namespace sorvu::test
