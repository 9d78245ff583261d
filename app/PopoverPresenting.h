#pragma once

#include "app/PopoverCloseReason.h"

namespace sorvu {

// The popup as the paste coordinator sees it.
class PopoverPresenting {
public:
    virtual ~PopoverPresenting() = default;

    virtual bool isShown() const = 0;
    // Brings Sorvu and the popup back in front of the program that was restored for a paste.
    virtual void bringToFront() = 0;
    virtual void close(PopoverCloseReason reason) = 0;
};

} // namespace sorvu
