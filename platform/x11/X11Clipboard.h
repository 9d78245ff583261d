// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/Clipboard.h"
#include "platform/x11/X11ClipboardOwner.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QHash>
#include <QList>
#include <QObject>

#include <functional>
#include <memory>
#include <optional>

class QSocketNotifier;

namespace sorvu {

class X11SelectionReader;

// The X11 CLIPBOARD selection as the engine's clipboard.
//
// The change count is the number of owner changes that the reader's own connection has been told of
// (XFixes): every new copy anywhere, two copies of the same text being two changes. Because reads travel on
// that connection too, a copy made while the engine reads moves the count before the reads return, so count
// and content always agree. Our own write is counted before `write` returns. Each change also wakes the
// observer through the event loop; nothing is polled.
//
// Reading content another program owns is a round trip to that program. Each read call, an incremental
// transfer included, takes at most `readBudgetMilliseconds`; an owner that does not answer in time makes the
// content unreadable until the next change, so a hung owner costs that wait once, not at every read. Content
// larger than the size limits is not read at all. Content the program owns is read locally, of the
// X11ClipboardOwner that also makes the writes.
class X11Clipboard : public QObject, public Clipboard {
    Q_OBJECT

public:
    static constexpr int readBudgetMilliseconds = 500;
    // How long PRIMARY stays ours when no program fetches what we offered there.
    static constexpr int primaryOfferMilliseconds = X11ClipboardOwner::primaryOfferMilliseconds;

    explicit X11Clipboard(QObject* parent = nullptr);
    ~X11Clipboard() override;

    qint64 changeCount() const override;
    // No window owns the selection: its owner exited (or gave it up) and no program copied since.
    bool isEmpty() override;
    QList<QUrl> fileURLs() override;
    QList<ClipboardImageRef> images() override;
    // The clipboard has no items of its own here: an image offered beside exactly one file stands for that file.
    QList<ClipboardImageRef> imagesForFileURLs(const QList<QUrl>& urls) override;
    std::optional<QString> plainText() override;
    bool write(const ClipboardItem& item) override;
    std::optional<QStringList> offeredTypes() const override;
    bool observeChanges(std::function<void()> observer) override;
    bool isContentTooLarge() const override;
    // Password managers offer "x-kde-passwordManagerHint" beside the content; see passwordManagerHintMeansSecret.
    bool isSecret() override;
    // GNOME's compositor keeps a copy whose program quit by taking the clipboard over with it, in one type of
    // the many the program offered: a new owner, but no new copy. Told by that shape, the owner being the
    // window manager, and the content being the same as the content read before. A secret's content is never
    // read: one in that type before counts as the same.
    bool isKeptCopy() override;
    void setSizeLimits(const SizeLimits& limits) override { m_limits = limits; }

    // Offers the content of our last write on the PRIMARY selection as well, for a paste keystroke with which
    // some programs paste PRIMARY. A fetch from there counts as a fetch of that write. PRIMARY is given up
    // again once a program fetched the content, or after `primaryOfferMilliseconds`, so that it stays ours
    // only for the paste. Nothing happens when another program has copied since our write.
    void offerLastWriteOnPrimary();

signals:
    // Another program fetched the content of our write, the one that made the change count
    // `writeChangeCount`, as the given type. Delivered through the event loop, after the fetch.
    void offeredContentFetched(qint64 writeChangeCount, const QString& mimeType);

private:
    // What is known about the content of one change count.
    struct Offer {
        qint64 changeCount = -1;
        std::optional<QList<QByteArray>> targets;
        bool ownerHung = false;
        bool tooLarge = false;
        // The program's own content, asked of the server once per change and read locally.
        bool ours = false;
        // No owner at all: the server itself refused the list of targets.
        bool ownerless = false;
        // Marked as a secret by the program that copied it.
        bool secret = false;
        // A digest of each content read, by its kind (all UTF-8 text alike), to know the same content again.
        QHash<QByteArray, size_t> digests;
    };

    const Offer& currentOffer(const QDeadlineTimer& deadline) const;
    std::optional<QByteArray> fetch(const QByteArray& target, const QDeadlineTimer& deadline) const;
    std::optional<QList<QUrl>> urlsFromType(const QByteArray& target, const QDeadlineTimer& deadline) const;
    ClipboardImageRef firstImage(const QDeadlineTimer& deadline) const;

    // Reads what arrived on the reader's connection; wakes the observer when the count grew.
    void readChanges() const;

    mutable Offer m_offer;
    // The last content before the current one that was read, or known as a secret.
    mutable Offer m_previousOffer;
    std::unique_ptr<X11SelectionReader> m_reader;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::function<void()> m_observer;
    mutable qint64 m_observedChangeCount = 0;
    mutable bool m_observerCallPending = false;
    SizeLimits m_limits;
    std::unique_ptr<X11ClipboardOwner> m_owner;
};

} // namespace sorvu
