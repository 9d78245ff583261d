// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "tests/integration/support/ChildProcess.h"

#include <QList>
#include <QString>
#include <QUrl>

namespace sorvu::test {

// What the tests' GTK text view (helpers/gtk_text_view.py) shows now: its last "text <percent-encoded text>" line.
inline QString lastTextOf(const ChildProcess& field) {
    const QList<QByteArray> lines = field.standardOutput().split('\n');
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        if (line->startsWith("text ")) {
            return QUrl::fromPercentEncoding(line->mid(5));
        }
    }
    return {};
}

} // namespace sorvu::test
