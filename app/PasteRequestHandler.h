// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/PasteRequest.h"

namespace sorvu {

// Carries out a paste request that may go ahead now.
class PasteRequestHandler {
public:
    virtual ~PasteRequestHandler() = default;

    // The completion runs once the paste was made or failed, at once or later.
    virtual void handlePasteRequest(const PasteRequestKind& kind, PasteRequestSource source,
                                    PasteCompletion completion) = 0;
};

} // namespace sorvu
