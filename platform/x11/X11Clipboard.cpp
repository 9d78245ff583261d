// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11Clipboard.h"

#include "platform/linux/ClipboardTypes.h"
#include "platform/linux/PasswordManagerHint.h"
#include "platform/x11/X11DisplayName.h"
#include "platform/x11/X11SelectionReader.h"

#include <QDeadlineTimer>
#include <QPointer>
#include <QSocketNotifier>

#include <algorithm>
#include <memory>

namespace sorvu {

namespace {

using clipboardtypes::gnomeFilesType;
using clipboardtypes::passwordManagerHintType;
using clipboardtypes::uriListType;
const QList<QByteArray>& textTypes = clipboardtypes::textTypesByPreference;
// The X11 names of plain text, which Qt and most programs list as text/plain.
const QList<QByteArray> legacyTextTargets = {"UTF8_STRING", "STRING", "TEXT", "COMPOUND_TEXT"};

// The same text comes as UTF8_STRING from one owner and as text/plain;charset=utf-8 from another.
QByteArray digestKind(const QByteArray& target) {
    return textTypes.contains(target) ? textTypes.constFirst() : target;
}

// Qt's hash of bytes runs at gigabytes a second, so that a large picture costs the main thread a fraction of a
// millisecond (a cryptographic one took 68 ms for a 4.5 MB screenshot); the size makes a chance match rarer still.
size_t digestOf(const QByteArray& bytes) {
    return qHashMulti(0, bytes.size(), bytes);
}

} // namespace

X11Clipboard::X11Clipboard(QObject* parent)
    : QObject(parent), m_reader(std::make_unique<X11SelectionReader>(x11DisplayName())),
      m_owner(std::make_unique<X11ClipboardOwner>(*m_reader)) {
    connect(m_owner.get(), &X11ClipboardOwner::offeredContentFetched, this, &X11Clipboard::offeredContentFetched);
    if (m_reader->isConnected()) {
        m_notifier = std::make_unique<QSocketNotifier>(m_reader->fileDescriptor(), QSocketNotifier::Read);
        connect(m_notifier.get(), &QSocketNotifier::activated, this, &X11Clipboard::readChanges);
    }
}

X11Clipboard::~X11Clipboard() = default;

qint64 X11Clipboard::changeCount() const {
    readChanges();
    return qint64(m_reader->ownerChanges());
}

void X11Clipboard::readChanges() const {
    m_reader->readPendingEvents();
    const auto count = qint64(m_reader->ownerChanges());
    if (count == m_observedChangeCount || !m_observer || m_observerCallPending) {
        return;
    }
    // Never from inside a read: the observer reads the clipboard itself.
    m_observerCallPending = true;
    QMetaObject::invokeMethod(
        const_cast<X11Clipboard*>(this),
        [self = QPointer<X11Clipboard>(const_cast<X11Clipboard*>(this))] {
            if (!self) {
                return;
            }
            self->m_observerCallPending = false;
            self->m_observedChangeCount = qint64(self->m_reader->ownerChanges());
            self->m_observer();
        },
        Qt::QueuedConnection);
}

bool X11Clipboard::observeChanges(std::function<void()> observer) {
    m_observer = std::move(observer);
    m_observedChangeCount = qint64(m_reader->ownerChanges());
    return m_notifier != nullptr;
}

bool X11Clipboard::isSecret() {
    const QDeadlineTimer deadline(readBudgetMilliseconds);
    const Offer& offer = currentOffer(deadline);
    if (!offer.targets || !offer.targets->contains(passwordManagerHintType)) {
        return false;
    }
    const qint64 count = offer.changeCount;
    // Offered but unreadable (refused, too large, the owner hung) counts as a secret all the same.
    const bool secret = passwordManagerHintMeansSecret(fetch(passwordManagerHintType, deadline));
    if (m_offer.changeCount == count) {
        m_offer.secret = secret;
    }
    return secret;
}

bool X11Clipboard::isKeptCopy() {
    const QDeadlineTimer deadline(readBudgetMilliseconds);
    const Offer& offer = currentOffer(deadline);
    if (!offer.targets || offer.ours) {
        return false;
    }
    QList<QByteArray> mimeTypes;
    for (const QByteArray& target : *offer.targets) {
        if (target.contains('/')) {
            mimeTypes.append(target);
        }
    }
    if (mimeTypes.size() != 1) {
        return false;
    }
    const QByteArray type = mimeTypes.constFirst();
    const Offer& before = m_previousOffer;
    const auto sameKind = [&](const QByteArray& offered) { return digestKind(offered) == digestKind(type); };
    const bool secretBefore =
        before.secret && before.targets && std::any_of(before.targets->cbegin(), before.targets->cend(), sameKind);
    const auto digestBefore = before.digests.constFind(digestKind(type));
    const bool readBefore = digestBefore != before.digests.constEnd();
    if (!(secretBefore || readBefore) || !m_reader->isOwnedByWindowManager()) {
        return false;
    }
    // The secret is not read now either.
    if (secretBefore) {
        return true;
    }
    const std::optional<QByteArray> bytes = fetch(type, deadline);
    return bytes && digestOf(*bytes) == *digestBefore;
}

bool X11Clipboard::isContentTooLarge() const {
    return m_offer.changeCount == changeCount() && m_offer.tooLarge;
}

const X11Clipboard::Offer& X11Clipboard::currentOffer(const QDeadlineTimer& deadline) const {
    const qint64 count = changeCount();
    if (m_offer.changeCount == count && (m_offer.targets || m_offer.ownerHung)) {
        return m_offer;
    }
    // An owner change read in passing (one that gave way to the next while read) tells nothing of the content.
    if (!m_offer.digests.isEmpty() || m_offer.secret) {
        m_previousOffer = std::move(m_offer);
    }
    m_offer = Offer{count, std::nullopt, false, false, false, false, false, {}};
    if (std::optional<QList<QByteArray>> own = m_owner->ownTargets()) {
        m_offer.targets = std::move(own);
        m_offer.ours = true;
        return m_offer;
    }
    m_offer.targets = m_reader->targets(deadline);
    m_offer.ownerHung = !m_offer.targets.has_value();
    // An owner that lists nothing is told apart from none: only the second is an emptied clipboard.
    m_offer.ownerless = m_offer.targets && m_offer.targets->isEmpty() && !m_reader->hasOwner();
    return m_offer;
}

bool X11Clipboard::isEmpty() {
    return currentOffer(QDeadlineTimer(readBudgetMilliseconds)).ownerless;
}

std::optional<QByteArray> X11Clipboard::fetch(const QByteArray& target, const QDeadlineTimer& deadline) const {
    const Offer& offer = currentOffer(deadline);
    if (offer.ownerHung || !offer.targets || !offer.targets->contains(target)) {
        return std::nullopt;
    }
    if (offer.ours) {
        return m_owner->ownBytes(target);
    }
    const qint64 limit = clipboardtypes::isImageType(target) ? m_limits.imageBytes : m_limits.textBytes;
    const X11SelectionReader::Reply reply = m_reader->read(target, deadline, limit);
    if (reply.outcome == X11SelectionReader::Outcome::timedOut) {
        m_offer.ownerHung = true;
    }
    if (reply.outcome == X11SelectionReader::Outcome::tooLarge) {
        m_offer.tooLarge = true;
    }
    if (reply.outcome != X11SelectionReader::Outcome::data) {
        return std::nullopt;
    }
    m_offer.digests.insert(digestKind(target), digestOf(reply.data));
    return reply.data;
}

std::optional<QList<QUrl>> X11Clipboard::urlsFromType(const QByteArray& target, const QDeadlineTimer& deadline) const {
    const std::optional<QByteArray> bytes = fetch(target, deadline);
    if (!bytes) {
        return std::nullopt;
    }
    return clipboardtypes::localFilesFromList(target, *bytes);
}

QList<QUrl> X11Clipboard::fileURLs() {
    const QDeadlineTimer deadline(readBudgetMilliseconds);
    for (const QByteArray& target : {uriListType, gnomeFilesType}) {
        const std::optional<QList<QUrl>> urls = urlsFromType(target, deadline);
        if (urls) {
            return *urls;
        }
    }
    return {};
}

ClipboardImageRef X11Clipboard::firstImage(const QDeadlineTimer& deadline) const {
    const Offer& offer = currentOffer(deadline);
    if (!offer.targets) {
        return nullptr;
    }
    for (const QByteArray& target : clipboardtypes::imageTypes(*offer.targets)) {
        if (const std::optional<QByteArray> bytes = fetch(target, deadline)) {
            if (ClipboardImageRef image = ClipboardImage::fromEncoded(*bytes, QString::fromUtf8(target))) {
                return image;
            }
        }
    }
    return nullptr;
}

QList<ClipboardImageRef> X11Clipboard::images() {
    if (ClipboardImageRef image = firstImage(QDeadlineTimer(readBudgetMilliseconds))) {
        return {image};
    }
    return {};
}

QList<ClipboardImageRef> X11Clipboard::imagesForFileURLs(const QList<QUrl>& urls) {
    QList<ClipboardImageRef> result(urls.size());
    if (urls.size() != 1) {
        return result;
    }
    const QDeadlineTimer deadline(readBudgetMilliseconds);
    std::optional<QList<QUrl>> offeredUrls = urlsFromType(uriListType, deadline);
    if (!offeredUrls) {
        offeredUrls = urlsFromType(gnomeFilesType, deadline);
    }
    if (offeredUrls && *offeredUrls == urls) {
        result[0] = firstImage(deadline);
    }
    return result;
}

std::optional<QString> X11Clipboard::plainText() {
    const QDeadlineTimer deadline(readBudgetMilliseconds);
    for (const QByteArray& target : textTypes) {
        if (const std::optional<QByteArray> bytes = fetch(target, deadline)) {
            return QString::fromUtf8(*bytes);
        }
    }
    return std::nullopt;
}

bool X11Clipboard::write(const ClipboardItem& item) {
    return m_owner->claim(item, [this] { return changeCount(); });
}

void X11Clipboard::offerLastWriteOnPrimary() {
    m_owner->offerLastClaimOnPrimary(changeCount());
}

std::optional<QStringList> X11Clipboard::offeredTypes() const {
    const Offer& offer = currentOffer(QDeadlineTimer(readBudgetMilliseconds));
    QStringList types;
    if (!offer.targets) {
        return types;
    }
    for (const QByteArray& target : *offer.targets) {
        QString type;
        if (target.contains('/')) {
            type = QString::fromUtf8(target);
        } else if (legacyTextTargets.contains(target)) {
            type = QStringLiteral("text/plain");
        }
        if (!type.isEmpty() && !types.contains(type)) {
            types.append(type);
        }
    }
    return types;
}

} // namespace sorvu
