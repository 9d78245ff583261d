// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11Clipboard.h"

#include "platform/linux/ClipboardTypes.h"
#include "platform/linux/OfferedMimeData.h"
#include "platform/linux/PasswordManagerHint.h"
#include "platform/x11/X11Access.h"
#include "platform/x11/X11DisplayName.h"
#include "platform/x11/X11SelectionReader.h"

#include <QClipboard>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>
#include <qpa/qplatformnativeinterface.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace sorvu {

namespace {

using clipboardtypes::gnomeFilesType;
using clipboardtypes::passwordManagerHintType;
using clipboardtypes::uriListType;
const QList<QByteArray>& textTypes = clipboardtypes::textTypesByPreference;
// The X11 names of plain text, which Qt and most programs list as text/plain.
const QList<QByteArray> legacyTextTargets = {"UTF8_STRING", "STRING", "TEXT", "COMPOUND_TEXT"};

QClipboard* clipboard() {
    return qGuiApp != nullptr ? QGuiApplication::clipboard() : nullptr;
}

QList<QByteArray> localTargets(const QMimeData& data) {
    QList<QByteArray> targets;
    for (const QString& format : data.formats()) {
        targets.append(format.toUtf8());
    }
    if (data.hasText()) {
        for (const QByteArray& type : textTypes) {
            if (!targets.contains(type)) {
                targets.append(type);
            }
        }
    }
    return targets;
}

QByteArray localBytes(const QMimeData& data, const QByteArray& target) {
    if (const auto* offered = qobject_cast<const OfferedMimeData*>(&data)) {
        return offered->localData(QString::fromUtf8(target));
    }
    if (textTypes.contains(target)) {
        return data.text().toUtf8();
    }
    return data.data(QString::fromUtf8(target));
}

// Whether the server names a window of Qt's own connection as the clipboard's owner. QClipboard cannot tell:
// Qt claims the clipboard with the time of the last event it handled, and when that is older than the
// current owner's claim the server ignores the request while Qt believes it succeeded.
bool serverNamesUsAsOwner() {
    xcb_connection_t* connection = x11::qtConnection();
    if (connection == nullptr) {
        return false;
    }
    static const QByteArray name = QByteArrayLiteral("CLIPBOARD");
    const x11::Reply<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, quint16(name.size()), name.constData()), nullptr));
    if (!atom) {
        return false;
    }
    const x11::Reply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr));
    const xcb_setup_t* setup = xcb_get_setup(connection);
    return owner && owner->owner != XCB_NONE && (owner->owner & ~setup->resource_id_mask) == setup->resource_id_base;
}

// The mime data the program itself has on the clipboard, or null when another program owns it. The server
// decides: Qt hears of another program's copy only a moment later and would answer for content it has lost.
const QMimeData* ownContent() {
    QClipboard* board = clipboard();
    if (board == nullptr || !board->ownsClipboard() || !serverNamesUsAsOwner()) {
        return nullptr;
    }
    return board->mimeData(QClipboard::Clipboard);
}

// Qt stamps its clipboard claim with the time of the last event it handled. When another program copied later
// than that (the news still on its way to Qt), the server ignores the claim, and Qt, taking news older than
// its claim for newer, may drop the content it holds. Stamping the claim with the server's time now avoids
// both; Qt offers no other way to set its time than its platform's own "setapptime".
void setQtTime(quint32 time) {
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    if (native == nullptr) {
        return;
    }
    using SetAppTime = void (*)(QScreen*, xcb_timestamp_t);
    // Handed out under a generic signature; the cast through void (*)() says so.
    const auto setAppTime = reinterpret_cast<SetAppTime>(
        reinterpret_cast<void (*)()>(native->nativeResourceFunctionForScreen("setapptime")));
    if (setAppTime != nullptr) {
        setAppTime(QGuiApplication::primaryScreen(), time);
    }
}

} // namespace

X11Clipboard::X11Clipboard(QObject* parent)
    : QObject(parent), m_reader(std::make_unique<X11SelectionReader>(x11DisplayName())) {
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
    // Offered but unreadable (refused, too large, the owner hung) counts as a secret all the same.
    return passwordManagerHintMeansSecret(fetch(passwordManagerHintType, deadline));
}

bool X11Clipboard::isContentTooLarge() const {
    return m_offer.changeCount == changeCount() && m_offer.tooLarge;
}

const X11Clipboard::Offer& X11Clipboard::currentOffer(const QDeadlineTimer& deadline) const {
    const qint64 count = changeCount();
    if (m_offer.changeCount == count && (m_offer.targets || m_offer.ownerHung)) {
        return m_offer;
    }
    m_offer = Offer{count, std::nullopt, false, false, false, false};
    if (const QMimeData* own = ownContent()) {
        m_offer.targets = localTargets(*own);
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
        const QMimeData* own = clipboard()->mimeData(QClipboard::Clipboard);
        return own != nullptr ? std::optional<QByteArray>(localBytes(*own, target)) : std::nullopt;
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
    const QList<QByteArray> targets = *offer.targets;
    for (const QByteArray& target : targets) {
        if (!clipboardtypes::isImageType(target)) {
            continue;
        }
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

QMimeData* X11Clipboard::makeOffer(const ClipboardItem& item, std::shared_ptr<qint64> writeChangeCount,
                                   std::function<void()> afterFetch) {
    return new OfferedMimeData(item, [self = QPointer<X11Clipboard>(this), writeChangeCount,
                                      afterFetch = std::move(afterFetch)](const QString& type) {
        // Qt is in the middle of answering the request: observers run after it, when replacing the
        // clipboard's content is safe again.
        if (!self) {
            return;
        }
        QMetaObject::invokeMethod(
            self,
            [self, count = *writeChangeCount, type, afterFetch] {
                if (self) {
                    emit self->offeredContentFetched(count, type);
                }
                if (afterFetch) {
                    afterFetch();
                }
            },
            Qt::QueuedConnection);
    });
}

bool X11Clipboard::write(const ClipboardItem& item) {
    QClipboard* board = clipboard();
    if (board == nullptr) {
        return false;
    }
    // The write's change count is known only once Qt has counted it, inside setMimeData.
    auto writeChangeCount = std::make_shared<qint64>(-1);
    QMimeData* data = makeOffer(item, writeChangeCount);
    if (const std::optional<quint32> now = m_reader->serverTime(QDeadlineTimer(readBudgetMilliseconds))) {
        setQtTime(*now);
    }
    board->setMimeData(data, QClipboard::Clipboard);
    const bool owned = board->ownsClipboard() && serverNamesUsAsOwner();
    // The server has handled Qt's claim: one round trip on the reader's connection brings its notice.
    m_reader->synchronize();
    *writeChangeCount = changeCount();
    m_lastWrite = item;
    m_lastWriteChangeCount = *writeChangeCount;
    return owned;
}

void X11Clipboard::offerLastWriteOnPrimary() {
    QClipboard* board = clipboard();
    if (board == nullptr || !m_lastWrite || changeCount() != m_lastWriteChangeCount || ownContent() == nullptr) {
        return;
    }
    QMimeData* data = makeOffer(*m_lastWrite, std::make_shared<qint64>(m_lastWriteChangeCount),
                                [self = QPointer<X11Clipboard>(this)] {
                                    if (self) {
                                        self->withdrawPrimaryOffer();
                                    }
                                });
    // Qt's time is still the one the write stamped its claim with, moments ago: no second round trip.
    board->setMimeData(data, QClipboard::Selection);
    m_primaryOffer = data;
    QTimer::singleShot(primaryOfferMilliseconds, this, [self = QPointer<X11Clipboard>(this), data] {
        // Only this offer: a later paste's offer runs its own time.
        if (self && self->m_primaryOffer == data) {
            self->withdrawPrimaryOffer();
        }
    });
}

void X11Clipboard::withdrawPrimaryOffer() {
    QClipboard* board = clipboard();
    // A selection made since then is another program's, and Qt has let go of our content.
    if (board != nullptr && m_primaryOffer && board->ownsSelection() &&
        board->mimeData(QClipboard::Selection) == m_primaryOffer) {
        board->clear(QClipboard::Selection);
    }
    m_primaryOffer.clear();
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
