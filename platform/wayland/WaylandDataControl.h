// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/wayland/WaylandDataOffer.h"
#include "platform/wayland/WaylandDataSource.h"

#include <QByteArray>
#include <QList>

#include <functional>
#include <memory>
#include <utility>

struct wl_proxy;

namespace sorvu {

class WaylandConnection;

// The seat's clipboard as a clipboard manager sees it, whichever data-control protocol carries it: the
// standard ext-data-control-v1 and its wlroots forerunner are the same protocol under two names, and this
// is written once over both. Every new selection is announced; the offer stays the current one until the
// next. The primary selection is left alone.
class WaylandDataControl {
public:
    virtual ~WaylandDataControl() = default;

    // Over the given manager of the connection's seat.
    static std::unique_ptr<WaylandDataControl> createExt(WaylandConnection& connection, wl_proxy* manager);
    static std::unique_ptr<WaylandDataControl> createWlr(WaylandConnection& connection, wl_proxy* manager);

    // "ext-data-control-v1" or "wlr-data-control-unstable-v1".
    virtual const char* protocolName() const = 0;

    // False once the compositor's connection broke: nothing can be offered then.
    virtual bool isConnected() const = 0;
    // The clipboard's content now; null when it is empty.
    virtual WaylandDataOffer* currentOffer() const = 0;
    // Handles whatever the compositor has sent, without waiting: a copy made elsewhere since the last look is
    // announced before this returns.
    virtual void readPendingEvents() = 0;
    // Makes the types the clipboard's content, offered by Sorvu. The source answers for them until another
    // program copies or it is destroyed.
    virtual std::unique_ptr<WaylandDataSource> setSelection(const QList<QByteArray>& mimeTypes) = 0;

    // Called for every new selection, whoever made it (Sorvu included), once the offer is current.
    void setSelectionHandler(std::function<void()> handler) { m_selectionHandler = std::move(handler); }

protected:
    void announceSelection() {
        if (m_selectionHandler) {
            m_selectionHandler();
        }
    }

private:
    std::function<void()> m_selectionHandler;
};

} // namespace sorvu
