// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/wayland/WaylandOwnSelection.h"

#include "platform/wayland/WaylandDataOffer.h"
#include "platform/wayland/WaylandDataSource.h"
#include "platform/wayland/WaylandOfferedContent.h"
#include "platform/wayland/WaylandPipeWriter.h"

#include <QPointer>

#include <algorithm>

namespace sorvu {

namespace {

// Writes in a row whose news may still be on its way: a paste is one write, a few are plenty.
constexpr size_t unconfirmedWritesRemembered = 8;

bool sameTypes(QList<QByteArray> a, QList<QByteArray> b) {
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    return a == b;
}

} // namespace

WaylandOwnSelection::WaylandOwnSelection(QObject* parent) : QObject(parent) {}

WaylandOwnSelection::~WaylandOwnSelection() = default;

void WaylandOwnSelection::serve(std::unique_ptr<WaylandDataSource> source,
                                std::shared_ptr<const WaylandOfferedContent> content, qint64 writeChangeCount) {
    WaylandDataSource* sourcePointer = source.get();
    source->setHandlers(
        [this, content, writeChangeCount](const QByteArray& mimeType, UniqueDescriptor pipe) {
            write(content, writeChangeCount, mimeType, std::move(pipe));
        },
        [this, sourcePointer] {
            // Another program copied: the clipboard is no longer ours from now on, and the news of that copy may
            // follow at once. The source itself goes once its own call has returned.
            if (m_source.get() == sourcePointer) {
                m_cancelledSources.push_back(std::move(m_source));
                QMetaObject::invokeMethod(
                    this, [this] { m_cancelledSources.clear(); }, Qt::QueuedConnection);
            }
        });
    m_source = std::move(source);
    m_content = std::move(content);
    m_unconfirmedWrites.push_back(m_content->mimeTypes());
    // News of each write always comes; a compositor that dropped some must not make us ignore copies for good.
    if (m_unconfirmedWrites.size() > unconfirmedWritesRemembered) {
        m_unconfirmedWrites.pop_front();
    }
}

WaylandOwnSelection::Announcement WaylandOwnSelection::recognise(const WaylandDataOffer* offer) {
    // Each write was counted when it was made. The compositor's news comes in the order of the writes; one
    // that an even later write of ours replaced leaves the clipboard ours.
    const bool newsOfAWrite =
        offer != nullptr && !m_unconfirmedWrites.empty() && sameTypes(offer->mimeTypes(), m_unconfirmedWrites.front());
    if (newsOfAWrite) {
        m_unconfirmedWrites.pop_front();
    }
    // Of our latest write, or told again: a program that copied since would have cancelled our source before this
    // news. A copy told of in between was replaced by ours.
    if ((newsOfAWrite && m_unconfirmedWrites.empty()) ||
        (offer != nullptr && m_source && sameTypes(offer->mimeTypes(), m_content->mimeTypes()))) {
        return Announcement::latestWrite;
    }
    return newsOfAWrite ? Announcement::earlierWrite : Announcement::otherCopy;
}

void WaylandOwnSelection::write(const std::shared_ptr<const WaylandOfferedContent>& content, qint64 writeChangeCount,
                                const QByteArray& mimeType, UniqueDescriptor pipe) {
    auto writer = std::make_unique<WaylandPipeWriter>(std::move(pipe), content->bytes(mimeType));
    WaylandPipeWriter* writerPointer = writer.get();
    connect(writerPointer, &WaylandPipeWriter::finished, this, [this, writerPointer] {
        const auto found = std::find_if(m_writers.begin(), m_writers.end(),
                                        [writerPointer](const auto& writer) { return writer.get() == writerPointer; });
        if (found != m_writers.end()) {
            // Its own signal is still on the stack.
            found->release()->deleteLater();
            m_writers.erase(found);
        }
    });
    m_writers.push_back(std::move(writer));
    writerPointer->start();
    // Heard of once the compositor's event has been handled, like every other news of the clipboard.
    QMetaObject::invokeMethod(
        this,
        [self = QPointer<WaylandOwnSelection>(this), writeChangeCount, type = QString::fromUtf8(mimeType)] {
            if (self) {
                emit self->contentFetched(writeChangeCount, type);
            }
        },
        Qt::QueuedConnection);
}

} // namespace sorvu
