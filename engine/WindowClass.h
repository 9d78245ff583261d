// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace sorvu {

// What a window says it is (X11's WM_CLASS): the name of this instance of the program, often set by the
// user (`-name`), and the name of its kind.
struct WindowClass {
    QString instanceName;
    QString className;

    friend bool operator==(const WindowClass&, const WindowClass&) = default;
};

} // namespace sorvu
