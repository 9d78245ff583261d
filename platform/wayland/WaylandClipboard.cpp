// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/wayland/WaylandClipboard.h"

#include "platform/linux/ClipboardTypes.h"
#include "platform/linux/PasswordManagerHint.h"
#include "platform/wayland/WaylandDataControl.h"
#include "platform/wayland/WaylandOfferedContent.h"
#include "platform/wayland/WaylandPipeReader.h"
#include "platform/wayland/WaylandPipeWriter.h"

#include <QPointer>

#include <algorithm>

namespace sorvu {

namespace {

// A hint is a word; anything longer is not one.
constexpr qint64 hintBytes = 1024;
// Writes in a row whose news may still be on its way: a paste is one write, a few are plenty.
constexpr size_t unconfirmedWritesRemembered = 8;

bool sameTypes(QList<QByteArray> a, QList<QByteArray> b) {
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    return a == b;
}

} // namespace

WaylandClipboard::WaylandClipboard(WaylandDataControl* dataControl, QObject* parent)
    : QObject(parent), m_dataControl(dataControl) {
    if (m_dataControl == nullptr) {
        return;
    }
    // What is on the clipboard at the start is the content of change count 0.
    if (WaylandDataOffer* offer = m_dataControl->currentOffer()) {
        m_selection.offer = offer;
        m_selection.types = offer->mimeTypes();
    }
    m_dataControl->setSelectionHandler([this] { handleSelection(); });
}

WaylandClipboard::~WaylandClipboard() {
    if (m_dataControl != nullptr) {
        m_dataControl->setSelectionHandler({});
    }
}

void WaylandClipboard::handleSelection() {
    WaylandDataOffer* offer = m_dataControl->currentOffer();
    // The compositor tells every data-control client of each selection, ours included, and each write was
    // counted when it was made. Its news comes in the order of the writes; one that an even later write of ours
    // replaced leaves the clipboard ours.
    const bool newsOfAWrite =
        offer != nullptr && !m_unconfirmedWrites.empty() && sameTypes(offer->mimeTypes(), m_unconfirmedWrites.front());
    if (newsOfAWrite) {
        m_unconfirmedWrites.pop_front();
    }
    // Of our latest write, or told again: a program that copied since would have cancelled our source before this
    // news. A copy told of in between was replaced by ours.
    if ((newsOfAWrite && m_unconfirmedWrites.empty()) ||
        (offer != nullptr && m_ownSource && sameTypes(offer->mimeTypes(), m_ownContent->mimeTypes()))) {
        if (m_ownSource && !m_selection.ours) {
            m_selection = Selection{.changeCount = m_changeCount, .types = m_ownContent->mimeTypes(), .ours = true};
        }
        return;
    }
    if (newsOfAWrite) {
        return;
    }
    ++m_changeCount;
    m_selection = Selection{.changeCount = m_changeCount,
                            .offer = offer,
                            .types = offer != nullptr ? offer->mimeTypes() : QList<QByteArray>()};
    scheduleObserver();
}

void WaylandClipboard::scheduleObserver() {
    if (!m_observer || m_observerCallPending) {
        return;
    }
    // Never from inside a read or a write: the observer reads the clipboard itself.
    m_observerCallPending = true;
    QMetaObject::invokeMethod(
        this,
        [self = QPointer<WaylandClipboard>(this)] {
            if (!self) {
                return;
            }
            self->m_observerCallPending = false;
            if (self->m_observer && self->m_changeCount != self->m_observedChangeCount) {
                self->m_observedChangeCount = self->m_changeCount;
                self->m_observer();
            }
        },
        Qt::QueuedConnection);
}

qint64 WaylandClipboard::changeCount() const {
    if (m_dataControl != nullptr) {
        m_dataControl->readPendingEvents();
    }
    return m_changeCount;
}

bool WaylandClipboard::observeChanges(std::function<void()> observer) {
    m_observer = std::move(observer);
    m_observedChangeCount = m_changeCount;
    return m_dataControl != nullptr;
}

bool WaylandClipboard::holdsOwnContent() const {
    changeCount();
    return m_selection.ours;
}

bool WaylandClipboard::isEmpty() {
    const Selection& selection = current();
    return selection.offer == nullptr && !selection.ours;
}

bool WaylandClipboard::isContentTooLarge() const {
    return m_selection.changeCount == changeCount() && m_selection.tooLarge;
}

const WaylandClipboard::Selection& WaylandClipboard::current() {
    // Reads answer for the latest copy the compositor told of, as the change count does.
    changeCount();
    return m_selection;
}

std::optional<QByteArray> WaylandClipboard::fetch(const QByteArray& type, const QDeadlineTimer& deadline,
                                                  qint64 maximumBytes) {
    Selection& selection = m_selection;
    if (!selection.types.contains(type)) {
        return std::nullopt;
    }
    if (selection.ours) {
        return m_ownContent->bytes(type);
    }
    if (const auto found = selection.read.constFind(type); found != selection.read.cend()) {
        return *found;
    }
    if (selection.ownerHung || selection.offer == nullptr) {
        return std::nullopt;
    }
    const UniqueDescriptor pipe = selection.offer->receive(type);
    const WaylandPipeReader::Result result = WaylandPipeReader::read(pipe.get(), deadline, maximumBytes);
    switch (result.outcome) {
    case WaylandPipeReader::Outcome::data:
        selection.read.insert(type, result.data);
        return result.data;
    case WaylandPipeReader::Outcome::timedOut:
        selection.ownerHung = true;
        break;
    case WaylandPipeReader::Outcome::tooLarge:
        selection.tooLarge = true;
        break;
    case WaylandPipeReader::Outcome::failed:
        break;
    }
    return std::nullopt;
}

std::optional<QByteArray> WaylandClipboard::fetch(const QByteArray& type, const QDeadlineTimer& deadline) {
    return fetch(type, deadline, clipboardtypes::isImageType(type) ? m_limits.imageBytes : m_limits.textBytes);
}

bool WaylandClipboard::isSecret() {
    if (!current().types.contains(clipboardtypes::passwordManagerHintType)) {
        return false;
    }
    return passwordManagerHintMeansSecret(
        fetch(clipboardtypes::passwordManagerHintType, QDeadlineTimer(readBudgetMilliseconds), hintBytes));
}

std::optional<QList<QUrl>> WaylandClipboard::offeredFiles(const QDeadlineTimer& deadline) {
    for (const QByteArray& type : clipboardtypes::fileListTypes(current().types)) {
        if (const std::optional<QByteArray> bytes = fetch(type, deadline)) {
            if (std::optional<QList<QUrl>> urls = clipboardtypes::localFilesFromList(type, *bytes)) {
                return urls;
            }
            return std::nullopt;
        }
    }
    return std::nullopt;
}

QList<QUrl> WaylandClipboard::fileURLs() {
    return offeredFiles(QDeadlineTimer(readBudgetMilliseconds)).value_or(QList<QUrl>());
}

ClipboardImageRef WaylandClipboard::firstImage(const QDeadlineTimer& deadline) {
    for (const QByteArray& type : clipboardtypes::imageTypes(current().types)) {
        if (const std::optional<QByteArray> bytes = fetch(type, deadline)) {
            if (ClipboardImageRef image = ClipboardImage::fromEncoded(*bytes, QString::fromUtf8(type))) {
                return image;
            }
        }
    }
    return nullptr;
}

QList<ClipboardImageRef> WaylandClipboard::images() {
    if (ClipboardImageRef image = firstImage(QDeadlineTimer(readBudgetMilliseconds))) {
        return {image};
    }
    return {};
}

QList<ClipboardImageRef> WaylandClipboard::imagesForFileURLs(const QList<QUrl>& urls) {
    QList<ClipboardImageRef> result(urls.size());
    if (urls.size() != 1) {
        return result;
    }
    const QDeadlineTimer deadline(readBudgetMilliseconds);
    if (offeredFiles(deadline) == urls) {
        result[0] = firstImage(deadline);
    }
    return result;
}

std::optional<QString> WaylandClipboard::plainText() {
    const std::optional<QByteArray> type = clipboardtypes::textType(current().types);
    if (!type) {
        return std::nullopt;
    }
    const std::optional<QByteArray> bytes = fetch(*type, QDeadlineTimer(readBudgetMilliseconds));
    return bytes ? std::optional<QString>(QString::fromUtf8(*bytes)) : std::nullopt;
}

std::optional<QStringList> WaylandClipboard::offeredTypes() const {
    changeCount();
    QStringList types;
    for (const QByteArray& type : m_selection.types) {
        types.append(QString::fromUtf8(type));
    }
    return types;
}

bool WaylandClipboard::write(const ClipboardItem& item) {
    if (m_dataControl == nullptr || !m_dataControl->isConnected()) {
        return false;
    }
    // Whatever the compositor told before this write belongs to the counts before it.
    m_dataControl->readPendingEvents();
    auto content = std::make_shared<const WaylandOfferedContent>(item);
    if (content->mimeTypes().isEmpty()) {
        return false;
    }
    std::unique_ptr<WaylandDataSource> source = m_dataControl->setSelection(content->mimeTypes());
    const qint64 writeChangeCount = ++m_changeCount;
    WaylandDataSource* sourcePointer = source.get();
    source->setHandlers(
        [this, content, writeChangeCount](const QByteArray& mimeType, UniqueDescriptor pipe) {
            serve(content, writeChangeCount, mimeType, std::move(pipe));
        },
        [this, sourcePointer] {
            // Another program copied: the clipboard is no longer ours from now on, and the news of that copy may
            // follow at once. The source itself goes once its own call has returned.
            if (m_ownSource.get() == sourcePointer) {
                m_cancelledSources.push_back(std::move(m_ownSource));
                QMetaObject::invokeMethod(
                    this, [this] { m_cancelledSources.clear(); }, Qt::QueuedConnection);
            }
        });
    m_ownSource = std::move(source);
    m_ownContent = content;
    m_unconfirmedWrites.push_back(content->mimeTypes());
    // News of each write always comes; a compositor that dropped some must not make us ignore copies for good.
    if (m_unconfirmedWrites.size() > unconfirmedWritesRemembered) {
        m_unconfirmedWrites.pop_front();
    }
    m_selection = Selection{.changeCount = m_changeCount, .types = content->mimeTypes(), .ours = true};
    scheduleObserver();
    return true;
}

void WaylandClipboard::serve(const std::shared_ptr<const WaylandOfferedContent>& content, qint64 writeChangeCount,
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
        [self = QPointer<WaylandClipboard>(this), writeChangeCount, type = QString::fromUtf8(mimeType)] {
            if (self) {
                emit self->offeredContentFetched(writeChangeCount, type);
            }
        },
        Qt::QueuedConnection);
}

} // namespace sorvu
