// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/UniqueDescriptor.h"

#include <QByteArray>

#include <functional>
#include <utility>

namespace sorvu {

// Content Sorvu put on the clipboard. The compositor passes on each program's request for it as a type and
// a pipe to write into, until another program copies (cancelled). Destroying the source withdraws the offer.
class WaylandDataSource {
public:
    using SendHandler = std::function<void(const QByteArray& mimeType, UniqueDescriptor pipe)>;

    virtual ~WaylandDataSource() = default;

    void setHandlers(SendHandler send, std::function<void()> cancelled) {
        m_send = std::move(send);
        m_cancelled = std::move(cancelled);
    }

protected:
    void requestSend(const QByteArray& mimeType, UniqueDescriptor pipe) {
        if (m_send) {
            m_send(mimeType, std::move(pipe));
        }
    }
    void announceCancelled() {
        if (m_cancelled) {
            m_cancelled();
        }
    }

private:
    SendHandler m_send;
    std::function<void()> m_cancelled;
};

} // namespace sorvu
