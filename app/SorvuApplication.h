// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QApplication>

namespace sorvu {

// The Qt application: no window of its own, and closing a window never ends it.
class SorvuApplication : public QApplication {
    Q_OBJECT

public:
    SorvuApplication(int& argc, char** argv);
};

} // namespace sorvu
