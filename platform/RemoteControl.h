// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace sorvu {

// What other programs may ask of a running Sorvu (desktop shortcuts, scripts, the command line), whatever
// carries the request to it.
class RemoteControl {
public:
    virtual ~RemoteControl() = default;

    virtual bool isCollecting() const = 0;
    virtual int queueCount() const = 0;

    virtual void toggleCollecting() = 0;
    virtual void pasteNext() = 0;
    // The queued texts joined with the separator, pasted at once.
    virtual void pasteAll(const QString& separator) = 0;
    // Opens the popup when it is closed.
    virtual void showPopup() = 0;
    // As a click on the tray icon: opens the popup, or closes it.
    virtual void togglePopup() = 0;
    virtual void quit() = 0;
};

} // namespace sorvu
