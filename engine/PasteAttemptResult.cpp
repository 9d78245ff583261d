#include "engine/PasteAttemptResult.h"

#include <array>

namespace sorvu {

namespace {

constexpr std::array<const char*, 9> rawValues = {
    "queueEmpty",           "queueChanged",          "containsNonText",
    "recipientUnavailable", "requestInProgress",     "accessibilityUnavailable",
    "eventCreationFailed",  "pasteboardWriteFailed", "commandPosted",
};

} // namespace

QString rawValue(PasteAttemptResult result) {
    return QString::fromLatin1(rawValues.at(static_cast<size_t>(result)));
}

std::optional<PasteAttemptResult> pasteAttemptResultFromRawValue(const QString& raw) {
    for (size_t index = 0; index < rawValues.size(); ++index) {
        if (raw == QLatin1String(rawValues[index])) {
            return static_cast<PasteAttemptResult>(index);
        }
    }
    return std::nullopt;
}

} // namespace sorvu
