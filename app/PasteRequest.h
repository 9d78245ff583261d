// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/PasteAttemptResult.h"

#include <QList>
#include <QObject>
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

class PasteRequestSourceMeta {
    Q_GADGET

public:
    // Where a request came from; the log shows the case name. A command comes from another program (a
    // desktop's own shortcut running `sorvu --paste-next`, a script) over the session bus.
    enum class PasteRequestSource { button, hotkey, command };
    Q_ENUM(PasteRequestSource)
};
using PasteRequestSource = PasteRequestSourceMeta::PasteRequestSource;

using PasteCompletion = std::function<void(PasteAttemptResult)>;

} // namespace sorvu
