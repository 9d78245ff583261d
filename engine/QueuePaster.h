// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/PasteAttemptResult.h"
#include "engine/PasteKeysTable.h"
#include "engine/QueuedClipboardItem.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QUuid>

#include <memory>
#include <optional>

namespace sorvu {

class Clipboard;
class ClipboardQueue;
class PasteOutput;

// Pastes the queue's entries into the program in front: writes the entry to the clipboard and posts the
// keystroke that program pastes with (the keys table chooses it by the receiving window), then takes the
// entry off the queue. A drained queue stops collecting.
class QueuePaster : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool hasInputAccess READ hasInputAccess NOTIFY hasInputAccessChanged)

public:
    QueuePaster(ClipboardQueue& queue, std::shared_ptr<Clipboard> clipboard, std::shared_ptr<PasteOutput> output,
                PasteKeysTable keys);
    ~QueuePaster() override;

    PasteAttemptResult pasteNext();
    // Every queued text joined with the separator, in one paste; only when the queue still holds exactly
    // the expected entries.
    PasteAttemptResult pasteAllText(const QString& separator, const QList<QUuid>& expectedIDs);

    // Whether Sorvu can post keys in this session, as last asked.
    bool hasInputAccess() const { return m_hasInputAccess; }
    void refreshInputAccess();
    // Whether the clipboard still holds Sorvu's paste of the item.
    bool isOffered(const QueuedClipboardItem& item) const;

signals:
    void hasInputAccessChanged();
    // A paste found nothing to paste: the tray icon flashes.
    void flashRequested();

private:
    PasteAttemptResult performPaste(const ClipboardItem& item);

    ClipboardQueue& m_queue;
    std::shared_ptr<Clipboard> m_clipboard;
    std::shared_ptr<PasteOutput> m_output;
    PasteKeysTable m_keys;
    bool m_hasInputAccess = false;
    // What the last paste put on the clipboard, and the change count it had there.
    struct Offer {
        QUuid id;
        qint64 changeCount = 0;
    };
    std::optional<Offer> m_offer;
};

} // namespace sorvu
