#pragma once

#include "engine/Log.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QList>
#include <QRegularExpression>
#include <QStringList>

#include <functional>

namespace sorvu::test {

// Runs the event loop until the condition holds or the time is up; answers the condition.
inline bool waitUntil(const std::function<bool()>& condition, int timeoutMilliseconds = 5000) {
    QDeadlineTimer deadline(timeoutMilliseconds);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// Runs the event loop for the given time, timers included.
inline void runEventLoopFor(int milliseconds) {
    waitUntil([] { return false; }, milliseconds);
}

// Collects every log line written while it exists.
class LogCapture {
public:
    LogCapture() {
        log::setObserver([this](const LogLine& line) { m_lines.append(line); });
    }
    ~LogCapture() { log::setObserver(nullptr); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const QList<LogLine>& lines() const { return m_lines; }
    QStringList messages() const {
        QStringList result;
        for (const auto& line : m_lines) {
            result.append(line.message);
        }
        return result;
    }
    QStringList messagesStartingWith(const QString& prefix) const {
        return messages().filter(QRegularExpression('^' + QRegularExpression::escape(prefix)));
    }
    void clear() { m_lines.clear(); }

private:
    QList<LogLine> m_lines;
};

} // namespace sorvu::test
