// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/PasteRequest.h"

#include <QList>
#include <QRect>
#include <QString>
#include <QUuid>

namespace sorvu {

// What the popup asks of the program that shows it: where it hangs from, and what its buttons do beyond
// the popup itself.
class PopupHost {
public:
    virtual ~PopupHost() = default;

    // Where the tray icon is on the screen; empty when the tray does not say or there is none.
    virtual QRect trayIconGeometry() const = 0;
    // The Paste button: the next entry, into the program that was in front at the opening.
    virtual void pasteFromPopup() = 0;
    // "Paste All" of the combine screen; the completion is never called for a withdrawn request.
    virtual void pasteAllFromPopup(const QString& separator, const QList<QUuid>& expectedIDs,
                                   PasteCompletion completion) = 0;
    virtual void quit() = 0;
    // Tells the user which sessions Sorvu can paste and take shortcuts in.
    virtual void openSessionHelp() = 0;
};

} // namespace sorvu
