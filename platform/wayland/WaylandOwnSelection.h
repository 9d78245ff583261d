// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/UniqueDescriptor.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <deque>
#include <memory>
#include <vector>

namespace sorvu {

class WaylandDataOffer;
class WaylandDataSource;
class WaylandOfferedContent;
class WaylandPipeWriter;

// Sorvu's own writes on the Wayland clipboard. Serves the content of the latest one: each program's request
// gets a pipe writer of its own, so that a slow reader holds up neither the event loop nor the other readers;
// the source goes once another program copied. Recognises the compositor's news of the writes, which every
// data-control client gets, the writer included.
class WaylandOwnSelection : public QObject {
    Q_OBJECT

public:
    // What the compositor's news of a new selection is about.
    enum class Announcement {
        // Our latest write, or told again: the clipboard holds our content.
        latestWrite,
        // A write of ours that an even later one replaced; each was counted when it was made.
        earlierWrite,
        // Another program's copy, or the clipboard emptied.
        otherCopy,
    };

    explicit WaylandOwnSelection(QObject* parent = nullptr);
    ~WaylandOwnSelection() override;

    // Serves the content through the source, the one the write that made the change count `writeChangeCount`
    // set; the source of an earlier write is withdrawn.
    void serve(std::unique_ptr<WaylandDataSource> source, std::shared_ptr<const WaylandOfferedContent> content,
               qint64 writeChangeCount);
    // Whether the latest source still stands: the compositor has not told of another program's copy.
    bool isServing() const { return m_source != nullptr; }
    // The content of the latest write; null before the first.
    const std::shared_ptr<const WaylandOfferedContent>& content() const { return m_content; }
    // Tells the news of the selection whose offer is given (null: emptied) apart; called once for each.
    Announcement recognise(const WaylandDataOffer* offer);

signals:
    // Another program asked for the content of the write that made the change count `writeChangeCount`, as
    // the given type. Delivered through the event loop.
    void contentFetched(qint64 writeChangeCount, const QString& mimeType);

private:
    void write(const std::shared_ptr<const WaylandOfferedContent>& content, qint64 writeChangeCount,
               const QByteArray& mimeType, UniqueDescriptor pipe);

    std::unique_ptr<WaylandDataSource> m_source;
    std::vector<std::unique_ptr<WaylandDataSource>> m_cancelledSources;
    std::shared_ptr<const WaylandOfferedContent> m_content;
    std::vector<std::unique_ptr<WaylandPipeWriter>> m_writers;
    // The types of our writes that the compositor has not told of yet, oldest first.
    std::deque<QList<QByteArray>> m_unconfirmedWrites;
};

} // namespace sorvu
