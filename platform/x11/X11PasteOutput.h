// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/PasteOutput.h"

#include <QPointer>

#include <memory>

namespace sorvu {

class HandOverKeystroke;
class X11Clipboard;
class X11GrabbedShortcuts;
class X11Workspace;

// The paste keystroke posted with XTest into the window in front, whose WM_CLASS tells which keystroke it
// pastes with. Sorvu's own shortcut grabs are lifted while the keys go out, and for Shift+Insert the entry is
// offered on PRIMARY too (xterm and its kin paste that selection).
//
// Inside a Wayland session XTest reaches XWayland's programs only: a keyboard the desktop lends (its
// remote-desktop service) types into whatever window has the focus, and is used whenever it is ready, once the
// compositor has taken up the entry (HandOverKeystroke).
class X11PasteOutput : public PasteOutput {
public:
    X11PasteOutput(std::shared_ptr<X11Clipboard> clipboard, X11Workspace& workspace,
                   std::shared_ptr<PasteOutput> lentKeyboard = nullptr);
    ~X11PasteOutput() override;

    // The grabs that the keystroke must not set off; they come later than the output.
    void setShortcuts(X11GrabbedShortcuts* shortcuts) { m_shortcuts = shortcuts; }

    bool canPostKeys() override;
    std::optional<WindowClass> recipientClass() override;
    bool canPost(PasteKeys keys) override;
    void post(PasteKeys keys) override;

    // A program read the content of the write that made the change count. True when that was the compositor
    // taking the entry up ahead of the keystroke, which is no paste.
    bool isHandOverFetch(qint64 writeChangeCount);

private:
    bool usesLentKeyboard() const;

    std::shared_ptr<X11Clipboard> m_clipboard;
    X11Workspace& m_workspace;
    std::shared_ptr<PasteOutput> m_lentKeyboard;
    std::unique_ptr<HandOverKeystroke> m_handOver;
    QPointer<X11GrabbedShortcuts> m_shortcuts;
};

} // namespace sorvu
