// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/ClipboardItem.h"

#include <QByteArray>
#include <QList>
#include <QMimeData>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

namespace sorvu {

class X11SelectionReader;

// The program's own side of the X11 selections, served by Qt: claims CLIPBOARD with an item, offers the
// last claimed item on PRIMARY for a paste, tells when another program fetched it, and answers for the
// content the program owns without a round trip to itself. The reader's connection tells the server's time
// and when the server has handled a claim.
class X11ClipboardOwner : public QObject {
    Q_OBJECT

public:
    // How long PRIMARY stays ours when no program fetches what we offered there.
    static constexpr int primaryOfferMilliseconds = 5000;
    // The longest wait for the server's time, with which a claim is stamped.
    static constexpr int serverTimeBudgetMilliseconds = 500;

    explicit X11ClipboardOwner(X11SelectionReader& reader, QObject* parent = nullptr);

    // Makes the item the clipboard's content. `countClaim` runs once the server has handled the claim and
    // answers the change count it made. True when the server names the program as the owner afterwards.
    bool claim(const ClipboardItem& item, const std::function<qint64()>& countClaim);

    // Offers the last claimed item on PRIMARY as well, unless the clipboard changed since (`changeCount` is
    // the count now) or is no longer ours. A fetch from there counts as a fetch of that claim. PRIMARY is
    // given up again once a program fetched it, or after `primaryOfferMilliseconds`.
    void offerLastClaimOnPrimary(qint64 changeCount);

    // The targets of the content the program owns, or nothing when another program owns the clipboard.
    // The server decides: Qt hears of another program's copy only a moment later.
    std::optional<QList<QByteArray>> ownTargets() const;
    // The content Qt holds for the clipboard as the target.
    std::optional<QByteArray> ownBytes(const QByteArray& target) const;

signals:
    // Another program fetched the content of the claim that made the change count `claimChangeCount`, as
    // the given type. Delivered through the event loop, after the fetch.
    void offeredContentFetched(qint64 claimChangeCount, const QString& mimeType);

private:
    // Our mime data for the item; reports each fetch by another program as one of the claim that made the
    // change count `claimChangeCount` (known only once Qt has counted the claim), then calls `afterFetch`.
    QMimeData* makeOffer(const ClipboardItem& item, std::shared_ptr<qint64> claimChangeCount,
                         std::function<void()> afterFetch = {});
    void withdrawPrimaryOffer();

    X11SelectionReader& m_reader;
    std::optional<ClipboardItem> m_lastClaim;
    qint64 m_lastClaimChangeCount = -1;
    QPointer<QMimeData> m_primaryOffer;
};

} // namespace sorvu
