// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/PasteKeys.h"
#include "engine/WindowClass.h"

#include <optional>

namespace sorvu {

// How a paste reaches the program in front: the keystroke that makes it paste the clipboard. Each kind of
// session posts keys its own way.
class PasteOutput {
public:
    virtual ~PasteOutput() = default;

    // Whether Sorvu can post keys into other programs in this session.
    virtual bool canPostKeys() = 0;
    // What the window that receives posted keys says it is; nothing when it does not say.
    virtual std::optional<WindowClass> recipientClass() = 0;
    // Whether these keys can be posted now; asked before the clipboard is written, so that a keystroke that
    // cannot be made leaves the clipboard as it was.
    virtual bool canPost(PasteKeys keys) = 0;
    // Posts the keystroke to the focused window, with whatever else the session needs for it to paste the
    // clipboard Sorvu just wrote.
    virtual void post(PasteKeys keys) = 0;
};

} // namespace sorvu
