// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/Clipboard.h"
#include "platform/wayland/WaylandOwnSelection.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QHash>
#include <QList>
#include <QObject>

#include <functional>
#include <memory>
#include <optional>

namespace sorvu {

class WaylandDataControl;
class WaylandDataOffer;

// The Wayland clipboard as the engine's clipboard, through the compositor's data-control protocol.
//
// Every selection the compositor announces is a change, two copies of the same text being two; each wakes
// the observer through the event loop, and nothing is polled. The change count reads what the compositor
// has sent before it answers, so a copy made while the engine was reading is counted by the time it looks.
// Our own write is counted before `write` returns, and the compositor's announcement of it (which every
// data-control client gets, the writer included) is recognised and not counted again.
//
// Reading content another program owns means asking it to write into a pipe. Each read call takes at most
// `readBudgetMilliseconds`; an owner that has not finished in time (it never writes, or writes slowly)
// makes the content unreadable until the next change, so it costs that wait once. Since nothing tells the
// size up front, a transfer is cut off at the size limit and the content reported as too large. What was
// read is kept until the next change. Our own content is read locally.
class WaylandClipboard : public QObject, public Clipboard {
    Q_OBJECT

public:
    static constexpr int readBudgetMilliseconds = 500;

    // Over the seat's data control; without one (null) the clipboard stays empty and cannot be written.
    explicit WaylandClipboard(WaylandDataControl* dataControl, QObject* parent = nullptr);
    ~WaylandClipboard() override;

    qint64 changeCount() const override;
    // The compositor announced a selection without an offer: its owner exited and nothing replaced it.
    bool isEmpty() override;
    QList<QUrl> fileURLs() override;
    QList<ClipboardImageRef> images() override;
    // An image offered beside exactly one file stands for that file.
    QList<ClipboardImageRef> imagesForFileURLs(const QList<QUrl>& urls) override;
    std::optional<QString> plainText() override;
    bool write(const ClipboardItem& item) override;
    // As the offer announced them.
    std::optional<QStringList> offeredTypes() const override;
    bool observeChanges(std::function<void()> observer) override;
    bool isContentTooLarge() const override;
    // Password managers offer "x-kde-passwordManagerHint" beside the content, with the value "secret". Only
    // the hint is read.
    bool isSecret() override;
    // Data-control tells nothing of who offers the content: a copy the desktop keeps is a copy like any other.
    bool isKeptCopy() override { return false; }
    void setSizeLimits(const SizeLimits& limits) override { m_limits = limits; }

    // Whether the clipboard holds what Sorvu wrote last.
    bool holdsOwnContent() const;

signals:
    // Another program asked for the content of our write, the one that made the change count
    // `writeChangeCount`, as the given type. Delivered through the event loop.
    void offeredContentFetched(qint64 writeChangeCount, const QString& mimeType);

private:
    // What is known about the content of one change count.
    struct Selection {
        qint64 changeCount = 0;
        WaylandDataOffer* offer = nullptr;
        QList<QByteArray> types;
        bool ours = false;
        bool ownerHung = false;
        bool tooLarge = false;
        QHash<QByteArray, QByteArray> read = {};
    };

    const Selection& current();
    void handleSelection();
    void scheduleObserver();
    std::optional<QByteArray> fetch(const QByteArray& type, const QDeadlineTimer& deadline, qint64 maximumBytes);
    std::optional<QByteArray> fetch(const QByteArray& type, const QDeadlineTimer& deadline);
    std::optional<QList<QUrl>> offeredFiles(const QDeadlineTimer& deadline);
    ClipboardImageRef firstImage(const QDeadlineTimer& deadline);

    WaylandDataControl* m_dataControl;
    qint64 m_changeCount = 0;
    Selection m_selection;
    // Our writes: serves the latest, and tells the compositor's news of them apart.
    WaylandOwnSelection m_ownSelection;
    std::function<void()> m_observer;
    qint64 m_observedChangeCount = 0;
    bool m_observerCallPending = false;
    SizeLimits m_limits;
};

} // namespace sorvu
