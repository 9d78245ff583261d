#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace sorvu {

// The outcome of one paste request. The raw value of a case is its name; the order is fixed.
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
};

QString rawValue(PasteAttemptResult result);
std::optional<PasteAttemptResult> pasteAttemptResultFromRawValue(const QString& raw);

inline size_t qHash(PasteAttemptResult result, size_t seed = 0) {
    return std::hash<int>()(static_cast<int>(result)) ^ seed;
}

} // namespace sorvu
