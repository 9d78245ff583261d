// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/integration/support/WindowProgram.h"

#include "tests/support/TestSupport.h"

#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

namespace sorvu::test {

QString bringWindowProgramToFront(const ChildProcess& program) {
    QString window;
    const bool shown = waitUntil([&] {
        window = QRegularExpression("^window (\\d+)$", QRegularExpression::MultilineOption)
                     .match(QString::fromUtf8(program.standardOutput()))
                     .captured(1);
        return !window.isEmpty();
    });
    if (!shown) {
        return {};
    }
    const auto xdotool = [](const QStringList& arguments) {
        return ChildProcess::run(QStringList{"xdotool"} + arguments, 10000);
    };
    if (!waitUntil(
            [&] {
                return xdotool({"windowactivate", "--sync", window}).succeeded();
            },
            10000) ||
        !waitUntil([&] { return xdotool({"getactivewindow"}).standardOutput.trimmed() == window.toLatin1(); })) {
        return {};
    }
    return window;
}

QString lastTextOf(const ChildProcess& field) {
    const QStringList lines = QString::fromUtf8(field.standardOutput()).split('\n', Qt::SkipEmptyParts);
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        if (line->startsWith("text ")) {
            return QUrl::fromPercentEncoding(line->mid(5).toUtf8());
        }
    }
    return {};
}

} // namespace sorvu::test
