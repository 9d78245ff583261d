// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/wayland/WaylandPipeWriter.h"

#include <QSocketNotifier>
#include <QTimer>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

namespace sorvu {

namespace {

// Writes without letting a reader that went away kill the program: SIGPIPE is held back on this thread for
// the one call, and taken away again when the write raised it. Nothing else changes for the rest of the
// program, which may rely on the signal's default.
ssize_t writeWithoutSigpipe(int descriptor, const char* data, size_t size) {
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    sigset_t pendingBefore;
    sigpending(&pendingBefore);
    sigset_t previous;
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
    const ssize_t count = ::write(descriptor, data, size);
    const int writeError = errno;
    if (count < 0 && writeError == EPIPE && sigismember(&pendingBefore, SIGPIPE) == 0) {
        const timespec noWait{0, 0};
        sigtimedwait(&pipeSignal, nullptr, &noWait);
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    errno = writeError;
    return count;
}

} // namespace

WaylandPipeWriter::WaylandPipeWriter(UniqueDescriptor pipe, QByteArray bytes, QObject* parent)
    : QObject(parent), m_pipe(std::move(pipe)), m_bytes(std::move(bytes)) {
    if (m_pipe.isValid()) {
        ::fcntl(m_pipe.get(), F_SETFL, ::fcntl(m_pipe.get(), F_GETFL) | O_NONBLOCK);
    }
}

WaylandPipeWriter::~WaylandPipeWriter() = default;

void WaylandPipeWriter::start() {
    if (!m_pipe.isValid()) {
        finish(false);
        return;
    }
    m_stallTimer = std::make_unique<QTimer>();
    m_stallTimer->setSingleShot(true);
    m_stallTimer->setInterval(stallMilliseconds);
    connect(m_stallTimer.get(), &QTimer::timeout, this, [this] { finish(false); });
    writeSome();
}

void WaylandPipeWriter::writeSome() {
    while (m_pipe.isValid() && m_written < m_bytes.size()) {
        const ssize_t count =
            writeWithoutSigpipe(m_pipe.get(), m_bytes.constData() + m_written, size_t(m_bytes.size() - m_written));
        if (count > 0) {
            m_written += count;
            m_stallTimer->start();
            continue;
        }
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // Full: the rest goes when the reader has made room.
            if (!m_notifier) {
                m_notifier = std::make_unique<QSocketNotifier>(m_pipe.get(), QSocketNotifier::Write);
                connect(m_notifier.get(), &QSocketNotifier::activated, this, &WaylandPipeWriter::writeSome);
            }
            m_notifier->setEnabled(true);
            if (!m_stallTimer->isActive()) {
                m_stallTimer->start();
            }
            return;
        }
        finish(false);
        return;
    }
    if (m_pipe.isValid()) {
        finish(true);
    }
}

void WaylandPipeWriter::finish(bool complete) {
    if (m_notifier) {
        // This may be the notifier's own signal: it goes once that has returned.
        m_notifier->setEnabled(false);
        m_notifier.release()->deleteLater();
    }
    if (m_stallTimer) {
        m_stallTimer->stop();
    }
    m_pipe.reset();
    m_bytes.clear();
    // Whoever owns the writer may delete it on hearing this: never from inside its own call.
    QMetaObject::invokeMethod(
        this, [this, complete] { emit finished(complete); }, Qt::QueuedConnection);
}

} // namespace sorvu
