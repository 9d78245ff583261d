// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/PasteKeys.h"
#include "platform/WindowClass.h"

#include <optional>

namespace sorvu {

// How a paste reaches the program in front: the keystroke that makes it paste the clipboard.
class PasteOutput {
public:
    virtual ~PasteOutput() = default;
    // Whether Sorvu can post keys into other programs in this session.
    virtual bool canPostKeys() = 0;
    // What the window that receives posted keys says it is; nothing when it does not say.
    virtual std::optional<WindowClass> recipientClass() = 0;
    // Whether these keys can be posted now; asked before the clipboard is written.
    virtual bool canPost(PasteKeys keys) = 0;
    // Posts the keystroke to the focused window.
    virtual void post(PasteKeys keys) = 0;
};

} // namespace sorvu
