#pragma once

#include "app/PopupCloseReason.h"

namespace sorvu {

// The popup as the paste coordinator sees it.
class Popup {
public:
    virtual ~Popup() = default;

    virtual bool isShown() const = 0;
    // Brings Sorvu and the popup back in front of the program that was restored for a paste.
    virtual void bringToFront() = 0;
    virtual void close(PopupCloseReason reason) = 0;
};

} // namespace sorvu
