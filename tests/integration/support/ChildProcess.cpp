// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/integration/support/ChildProcess.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QStandardPaths>
#include <QThread>

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>
#include <vector>

extern char** environ;

namespace sorvu::test {

namespace {

std::mutex& registryMutex() {
    static std::mutex mutex;
    return mutex;
}

std::set<ChildProcess*>& registry() {
    static std::set<ChildProcess*> children;
    return children;
}

// An unnamed temporary file holding the contents: nothing is left behind even when the test program dies.
// Close-on-exec, so that only the child it is handed to (through dup2) inherits it.
int makeTemporaryFile(const QByteArray& contents) {
    QByteArray pathTemplate = QByteArrayLiteral("/tmp/sorvu-test-XXXXXX");
    const int descriptor = mkostemp(pathTemplate.data(), O_CLOEXEC);
    if (descriptor < 0) {
        return -1;
    }
    unlink(pathTemplate.constData());
    qsizetype written = 0;
    while (written < contents.size()) {
        const ssize_t count = ::write(descriptor, contents.constData() + written, size_t(contents.size() - written));
        if (count <= 0) {
            ::close(descriptor);
            return -1;
        }
        written += count;
    }
    lseek(descriptor, 0, SEEK_SET);
    return descriptor;
}

// Everything written so far, read without moving the offset the child writes at.
QByteArray readWhole(int descriptor) {
    QByteArray contents;
    char buffer[65536];
    off_t offset = 0;
    for (;;) {
        const ssize_t count = pread(descriptor, buffer, sizeof(buffer), offset);
        if (count <= 0) {
            return contents;
        }
        contents.append(buffer, count);
        offset += count;
    }
}

void pumpEvents() {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
    }
    QThread::usleep(1000);
}

} // namespace

std::unique_ptr<ChildProcess> ChildProcess::start(const QStringList& command, const Options& options) {
    if (command.isEmpty()) {
        return nullptr;
    }
    const QString program = QStandardPaths::findExecutable(command.first());
    if (program.isEmpty() && !command.first().startsWith('/')) {
        std::fprintf(stderr, "test: program not found: %s\n", qPrintable(command.first()));
        return nullptr;
    }

    std::unique_ptr<ChildProcess> child(new ChildProcess);
    child->m_outputDescriptor = makeTemporaryFile({});
    child->m_errorDescriptor = makeTemporaryFile({});
    const int input =
        options.input.isEmpty() ? open("/dev/null", O_RDONLY | O_CLOEXEC) : makeTemporaryFile(options.input);
    if (child->m_outputDescriptor < 0 || child->m_errorDescriptor < 0 || input < 0) {
        if (input >= 0) {
            ::close(input);
        }
        return nullptr;
    }

    // Everything the child needs is prepared before fork: only async-signal-safe calls happen after it.
    const QByteArray programPath = program.isEmpty() ? command.first().toLocal8Bit() : program.toLocal8Bit();
    std::vector<QByteArray> argumentStorage;
    for (const QString& argument : command) {
        argumentStorage.push_back(argument.toLocal8Bit());
    }
    std::vector<char*> arguments;
    for (QByteArray& argument : argumentStorage) {
        arguments.push_back(argument.data());
    }
    arguments.push_back(nullptr);

    std::vector<QByteArray> environmentStorage;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const QByteArray line(*entry);
        if (!options.environment.contains(line.left(line.indexOf('=')))) {
            environmentStorage.push_back(line);
        }
    }
    for (auto it = options.environment.cbegin(); it != options.environment.cend(); ++it) {
        if (!it.value().isNull()) {
            environmentStorage.push_back(it.key() + '=' + it.value());
        }
    }
    std::vector<char*> environment;
    for (QByteArray& line : environmentStorage) {
        environment.push_back(line.data());
    }
    environment.push_back(nullptr);

    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent) {
            _exit(127);
        }
        if (dup2(input, 0) < 0 || dup2(child->m_outputDescriptor, 1) < 0 || dup2(child->m_errorDescriptor, 2) < 0) {
            _exit(127);
        }
        execve(programPath.constData(), arguments.data(), environment.data());
        _exit(127);
    }
    ::close(input);
    if (pid < 0) {
        return nullptr;
    }
    child->m_pid = pid;
    std::lock_guard lock(registryMutex());
    registry().insert(child.get());
    return child;
}

ChildProcess::Result ChildProcess::run(const QStringList& command, int timeoutMilliseconds, const Options& options) {
    Result result;
    std::unique_ptr<ChildProcess> child = start(command, options);
    if (!child) {
        return result;
    }
    result.started = true;
    result.exitCode = child->waitForExit(timeoutMilliseconds);
    if (child->isRunning()) {
        result.timedOut = true;
        child->stop();
    }
    result.standardOutput = child->standardOutput();
    result.standardError = child->standardError();
    return result;
}

void ChildProcess::stopAll() {
    std::vector<ChildProcess*> children;
    {
        std::lock_guard lock(registryMutex());
        children.assign(registry().begin(), registry().end());
    }
    for (ChildProcess* child : children) {
        child->stop();
    }
}

ChildProcess::~ChildProcess() {
    stop();
    {
        std::lock_guard lock(registryMutex());
        registry().erase(this);
    }
    for (const int descriptor : {m_outputDescriptor, m_errorDescriptor}) {
        if (descriptor >= 0) {
            ::close(descriptor);
        }
    }
}

bool ChildProcess::reap(bool block) {
    if (m_reaped) {
        return true;
    }
    int status = 0;
    const pid_t answer = waitpid(m_pid, &status, block ? 0 : WNOHANG);
    if (answer == m_pid) {
        m_reaped = true;
        if (WIFEXITED(status)) {
            m_exitCode = WEXITSTATUS(status);
        }
    } else if (answer < 0) {
        m_reaped = true;
    }
    return m_reaped;
}

bool ChildProcess::isRunning() {
    return m_pid > 0 && !reap(false);
}

std::optional<int> ChildProcess::waitForExit(int timeoutMilliseconds) {
    QDeadlineTimer deadline(timeoutMilliseconds);
    while (isRunning()) {
        if (deadline.hasExpired()) {
            return std::nullopt;
        }
        pumpEvents();
    }
    return m_exitCode;
}

void ChildProcess::stop() {
    if (!isRunning()) {
        return;
    }
    kill(m_pid, SIGTERM);
    QDeadlineTimer deadline(1000);
    while (!reap(false)) {
        if (deadline.hasExpired()) {
            kill(m_pid, SIGKILL);
            reap(true);
            break;
        }
        QThread::usleep(1000);
    }
}

QByteArray ChildProcess::standardOutput() const {
    return readWhole(m_outputDescriptor);
}

QByteArray ChildProcess::standardError() const {
    return readWhole(m_errorDescriptor);
}

} // namespace sorvu::test
