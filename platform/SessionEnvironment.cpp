// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/SessionEnvironment.h"

#include <QList>
#include <QtGlobal>

namespace sorvu {

SessionEnvironment SessionEnvironment::ofThisProcess() {
    return {qEnvironmentVariable("DISPLAY"),         qEnvironmentVariable("WAYLAND_DISPLAY"),
            qEnvironmentVariable("XDG_RUNTIME_DIR"), qEnvironmentVariable("SORVU_PLATFORM"),
            qEnvironmentVariable("QT_QPA_PLATFORM"), qEnvironmentVariable("XDG_CURRENT_DESKTOP")};
}

bool SessionEnvironment::isDesktop(QStringView name) const {
    for (const QStringView desktop : QStringView(currentDesktop).split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (desktop.compare(name, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace sorvu
