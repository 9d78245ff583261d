#pragma once

#include "engine/PasteAttemptResult.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <functional>
#include <variant>

namespace sorvu {

// What a paste request asks for: all texts joined, or the next entry.
struct PasteAllText {
    QString separator;
    QList<QUuid> expectedIDs;
};
struct PasteNextEntry {};
using PasteRequestKind = std::variant<PasteAllText, PasteNextEntry>;

enum class PasteRequestSource { button, hotkey };

inline QString logText(PasteRequestSource source) {
    return source == PasteRequestSource::button ? QStringLiteral("button") : QStringLiteral("hotkey");
}

using PasteCompletion = std::function<void(PasteAttemptResult)>;

} // namespace sorvu
