// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/EnumNames.h"

#include <QObject>

#include <functional>

namespace sorvu {

// The outcome of one paste request. The raw value of a case is its name (caseName); the order is fixed.
class PasteAttemptResultMeta {
    Q_GADGET

public:
    enum class PasteAttemptResult {
        queueEmpty,
        queueChanged,
        containsNonText,
        recipientUnavailable,
        requestInProgress,
        accessibilityUnavailable,
        eventCreationFailed,
        pasteboardWriteFailed,
        commandPosted,
        storedFileMissing,
        copyInProgress,
    };
    Q_ENUM(PasteAttemptResult)
};
using PasteAttemptResult = PasteAttemptResultMeta::PasteAttemptResult;

inline size_t qHash(PasteAttemptResult result, size_t seed = 0) {
    return std::hash<int>()(static_cast<int>(result)) ^ seed;
}

} // namespace sorvu
