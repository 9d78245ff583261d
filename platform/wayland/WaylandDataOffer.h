// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/UniqueDescriptor.h"

#include <QByteArray>
#include <QList>

namespace sorvu {

// The clipboard's content as the program that copied it offers it: the MIME types it announced, in its
// order, and the transfer of one of them, which that program writes into a pipe.
class WaylandDataOffer {
public:
    virtual ~WaylandDataOffer() = default;

    virtual const QList<QByteArray>& mimeTypes() const = 0;
    // Asks the owner for the content as the type; the read end of the pipe it writes into, non-blocking (the
    // owner's end stays blocking, as owners expect). Invalid when no pipe could be made.
    virtual UniqueDescriptor receive(const QByteArray& mimeType) = 0;
};

} // namespace sorvu
