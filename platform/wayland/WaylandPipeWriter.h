// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/UniqueDescriptor.h"

#include <QByteArray>
#include <QObject>

#include <memory>

class QSocketNotifier;
class QTimer;

namespace sorvu {

// Writes bytes into the pipe of a program that asked for Sorvu's clipboard content, without ever waiting
// for it: what the pipe takes now is written at once, the rest whenever the pipe has room again, from the
// event loop. A reader that closes its end early, or takes nothing for `stallMilliseconds`, ends the
// transfer. The pipe is closed when it ends, which tells the reader that the content is complete.
class WaylandPipeWriter : public QObject {
    Q_OBJECT

public:
    static constexpr int stallMilliseconds = 10000;

    WaylandPipeWriter(UniqueDescriptor pipe, QByteArray bytes, QObject* parent = nullptr);
    ~WaylandPipeWriter() override;

    // Writes what the pipe takes now; `finished` is emitted through the event loop once all is written or
    // the reader went away.
    void start();
    bool isFinished() const { return !m_pipe.isValid(); }

signals:
    // Whether every byte reached the pipe.
    void finished(bool complete);

private:
    void writeSome();
    void finish(bool complete);

    UniqueDescriptor m_pipe;
    QByteArray m_bytes;
    qsizetype m_written = 0;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::unique_ptr<QTimer> m_stallTimer;
};

} // namespace sorvu
