#pragma once

#include <QLoggingCategory>
#include <QString>

#include <functional>

namespace sorvu {

// The areas that write to the log; each is its own QLoggingCategory ("sorvu.<Area>").
enum class LogCategory { ClipboardQueue, UI, DragOut, ShortcutStore };

enum class LogLevel { Debug, Info, Error };

// One rendered log line as it reaches the output.
struct LogLine {
    LogCategory category;
    LogLevel level;
    QString message;
};

namespace log {

const QLoggingCategory& loggingCategory(LogCategory category);
QString categoryName(LogCategory category);

// Writes one line. Debug lines are off unless QT_LOGGING_RULES enables them. Messages never carry
// clipboard contents, only counts, identifiers and names of states.
void write(LogCategory category, LogLevel level, const QString& message);

inline void debug(LogCategory category, const QString& message) {
    write(category, LogLevel::Debug, message);
}
inline void info(LogCategory category, const QString& message) {
    write(category, LogLevel::Info, message);
}
inline void error(LogCategory category, const QString& message) {
    write(category, LogLevel::Error, message);
}

// "true"/"false", the way Booleans appear in log lines.
inline QString boolText(bool value) {
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

// Receives every line, whatever the category filter says; used by tests to read what was logged.
using LogObserver = std::function<void(const LogLine&)>;
void setObserver(LogObserver observer);

} // namespace log
} // namespace sorvu
