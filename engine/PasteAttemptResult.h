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
        clipboardWriteFailed,
        commandPosted,
        storedFileMissing,
        copyInProgress,
    };
    Q_ENUM(PasteAttemptResult)
};
using PasteAttemptResult = PasteAttemptResultMeta::PasteAttemptResult;

// Logs and stored outcomes keep the name this case has always had.
template <> inline QString caseName(PasteAttemptResult value) {
    if (value == PasteAttemptResult::clipboardWriteFailed) {
        return QStringLiteral("pasteboardWriteFailed");
    }
    return QString::fromLatin1(QMetaEnum::fromType<PasteAttemptResult>().valueToKey(static_cast<int>(value)));
}

inline size_t qHash(PasteAttemptResult result, size_t seed = 0) {
    return std::hash<int>()(static_cast<int>(result)) ^ seed;
}

} // namespace sorvu
