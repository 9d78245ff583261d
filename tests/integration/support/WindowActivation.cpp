// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/integration/support/WindowActivation.h"

#include "tests/integration/support/ChildProcess.h"
#include "tests/support/TestSupport.h"

#include <QElapsedTimer>
#include <QWidget>

namespace sorvu::test {

bool showActiveAndFocused(QWidget& widget) {
    widget.show();
    QElapsedTimer sinceRequest;
    return waitUntil([&] {
        if (!sinceRequest.isValid() || sinceRequest.hasExpired(250)) {
            ChildProcess::run(
                {QStringLiteral("xdotool"), QStringLiteral("windowactivate"), QString::number(widget.winId())});
            sinceRequest.start();
        }
        return widget.isActiveWindow() && widget.hasFocus();
    });
}

} // namespace sorvu::test
