// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QStringList>

namespace sorvu::test {

// One line of the program's log as it was written.
struct LogLine {
    QString category;
    QtMsgType type = QtDebugMsg;
    QString message;
};

// Collects every line of the sorvu.* categories, debug lines included, while it exists; other lines go
// where they went before.
class LogCapture {
public:
    // A capture made while another lives takes the lines until it goes; other lines go where the outer
    // capture sends them, never back into this handler.
    LogCapture() : m_outer(s_current) {
        s_current = this;
        m_previous = qInstallMessageHandler(&LogCapture::handle);
        if (m_outer != nullptr) {
            m_previous = m_outer->m_previous;
        }
        QLoggingCategory::setFilterRules(QStringLiteral("sorvu.*.debug=true"));
    }
    ~LogCapture() {
        s_current = m_outer;
        if (m_outer == nullptr) {
            QLoggingCategory::setFilterRules(QString());
            qInstallMessageHandler(m_previous);
        }
    }
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
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
        const QString category = QString::fromLatin1(context.category != nullptr ? context.category : "");
        if (s_current != nullptr && category.startsWith(QStringLiteral("sorvu."))) {
            s_current->m_lines.append(LogLine{category, type, message});
        } else if (s_current != nullptr && s_current->m_previous != nullptr) {
            s_current->m_previous(type, context, message);
        }
    }

    static inline LogCapture* s_current = nullptr;
    LogCapture* m_outer = nullptr;
    QtMessageHandler m_previous = nullptr;
    QList<LogLine> m_lines;
};

} // namespace sorvu::test
