// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/SorvuApplication.h"

namespace sorvu {

SorvuApplication::SorvuApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Sorvu"));
    setOrganizationName(QStringLiteral("Sorvu"));
    setApplicationVersion(QStringLiteral(SORVU_VERSION));
    setDesktopFileName(QStringLiteral("org.sorvu.Sorvu"));
    setQuitOnLastWindowClosed(false);
}

} // namespace sorvu
