// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11PasteOutput.h"

#include "platform/linux/HandOverKeystroke.h"
#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11GrabbedShortcuts.h"
#include "platform/x11/X11InputAccess.h"
#include "platform/x11/X11PasteKeystroke.h"
#include "platform/x11/X11Workspace.h"

namespace sorvu {

X11PasteOutput::X11PasteOutput(std::shared_ptr<X11Clipboard> clipboard, X11Workspace& workspace,
                               std::shared_ptr<PasteOutput> lentKeyboard)
    : m_clipboard(std::move(clipboard)), m_workspace(workspace), m_lentKeyboard(std::move(lentKeyboard)) {
    if (m_lentKeyboard) {
        m_handOver = std::make_unique<HandOverKeystroke>(*m_lentKeyboard);
    }
}

X11PasteOutput::~X11PasteOutput() = default;

bool X11PasteOutput::isHandOverFetch(qint64 writeChangeCount) {
    return m_handOver && m_handOver->contentFetched(writeChangeCount);
}

bool X11PasteOutput::usesLentKeyboard() const {
    return m_lentKeyboard != nullptr && m_lentKeyboard->canPostKeys();
}

bool X11PasteOutput::canPostKeys() {
    return usesLentKeyboard() || hasX11InputAccess();
}

std::optional<WindowClass> X11PasteOutput::recipientClass() {
    const std::optional<RunningProgram> front = m_workspace.frontmostProgram();
    return front ? m_workspace.windowClass(*front) : std::nullopt;
}

bool X11PasteOutput::canPost(PasteKeys keys) {
    return usesLentKeyboard() ? m_lentKeyboard->canPost(keys) : makeX11PasteKeystroke(keys).has_value();
}

void X11PasteOutput::post(PasteKeys keys) {
    const bool lent = usesLentKeyboard();
    std::optional<std::function<void()>> keystroke;
    if (!lent) {
        keystroke = makeX11PasteKeystroke(keys);
        if (!keystroke) {
            return;
        }
    }
    // xterm and its kin paste PRIMARY on Shift+Insert: the entry waits there as well. Claimed on Qt's
    // connection like the keys, so the server handles the claim first.
    if (keys == PasteKeys::shiftInsert) {
        m_clipboard->offerLastWriteOnPrimary();
    }
    if (lent) {
        m_handOver->post(keys, m_clipboard->changeCount());
    } else if (m_shortcuts) {
        m_shortcuts->withGrabsLifted(*keystroke);
    } else {
        (*keystroke)();
    }
}

} // namespace sorvu
