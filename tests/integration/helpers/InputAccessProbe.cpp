// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Prints what the X11 services answer in a process whose Qt application is not on X11 (started without
// DISPLAY, on the offscreen platform): "inputAccess=<bool> keystroke=<bool> keyDown=<bool>".

#include "platform/x11/X11InputAccess.h"
#include "platform/x11/X11PasteKeystroke.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    std::printf("inputAccess=%d keystroke=%d keyDown=%d\n", int(sorvu::hasX11InputAccess()),
                int(sorvu::makeX11PasteKeystroke(sorvu::PasteKeys::controlV).has_value()),
                int(!sorvu::x11KeysDown().isEmpty()));
    return 0;
}
