// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/EnumNames.h"

#include <QObject>

namespace sorvu {

// The popup as the paste coordinator sees it.
class Popup {
    Q_GADGET

public:
    // Why the popup closes; nothing else closes it. The log shows the case name. `pasteHandOff`: the popup steps
    // aside so that the desktop gives the keyboard back to the window before it, for a paste from the popup.
    enum class CloseReason { trayIcon, outsideClick, escape, queueDrained, pasteHandOff };
    Q_ENUM(CloseReason)

    virtual ~Popup() = default;

    virtual bool isShown() const = 0;
    // Brings Sorvu and the popup back in front of the program that was restored for a paste.
    virtual void bringToFront() = 0;
    virtual void close(CloseReason reason) = 0;
    // A paste from the popup brought its recipient back to the front and went to it.
    virtual void pasteReachedRecipient() {}
};

using PopupCloseReason = Popup::CloseReason;

// The log keeps the name a click on the tray icon has always had there.
template <> inline QString caseName(PopupCloseReason value) {
    if (value == PopupCloseReason::trayIcon) {
        return QStringLiteral("statusItem");
    }
    return QString::fromLatin1(QMetaEnum::fromType<PopupCloseReason>().valueToKey(static_cast<int>(value)));
}

} // namespace sorvu
