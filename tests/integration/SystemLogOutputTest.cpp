// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/SystemLogOutput.h"
#include "engine/Log.h"

#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

using namespace sorvu;

namespace {

Q_LOGGING_CATEGORY(otherCategory, "other.area")

// Everything written to standard error while it exists.
class StandardErrorCapture {
public:
    StandardErrorCapture() {
        m_file.open();
        std::fflush(stderr);
        m_saved = dup(STDERR_FILENO);
        dup2(m_file.handle(), STDERR_FILENO);
    }
    ~StandardErrorCapture() { restore(); }
    StandardErrorCapture(const StandardErrorCapture&) = delete;
    StandardErrorCapture& operator=(const StandardErrorCapture&) = delete;

    QByteArray finish() {
        restore();
        QFile file(m_file.fileName());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    void restore() {
        if (m_saved >= 0) {
            std::fflush(stderr);
            dup2(m_saved, STDERR_FILENO);
            close(m_saved);
            m_saved = -1;
        }
    }

    QTemporaryFile m_file;
    int m_saved = -1;
};

TEST(SystemLogOutputTest, writesTheProgramsLinesToStandardErrorWithAreaAndLevel) {
    installSystemLogOutput(false);
    StandardErrorCapture capture;
    qCInfo(lcQueue).noquote() << QStringLiteral("pasteboard unreadable changeCount=4 attempt=1 types=image/png");
    qCCritical(lcShortcutStore).noquote() << QStringLiteral("decode failed");
    qCDebug(lcUi).noquote() << QStringLiteral("debug lines are off by default");
    qCWarning(otherCategory) << "a line of another library";
    const QByteArray output = capture.finish();

    EXPECT_TRUE(output.contains("sorvu[PasteStack] info: pasteboard unreadable changeCount=4 attempt=1 "
                                "types=image/png\n"))
        << output.constData();
    EXPECT_TRUE(output.contains("sorvu[ShortcutStoring] error: decode failed\n")) << output.constData();
    EXPECT_FALSE(output.contains("debug lines are off")) << output.constData();
    // Other categories keep Qt's own output, not the program's format.
    EXPECT_TRUE(output.contains("a line of another library")) << output.constData();
    EXPECT_FALSE(output.contains("sorvu[other")) << output.constData();
}

} // namespace
