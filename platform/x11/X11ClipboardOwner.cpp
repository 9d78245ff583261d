// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11ClipboardOwner.h"

#include "platform/linux/ClipboardTypes.h"
#include "platform/linux/OfferedMimeData.h"
#include "platform/x11/X11Access.h"
#include "platform/x11/X11SelectionReader.h"

#include <QClipboard>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <qpa/qplatformnativeinterface.h>

#include <xcb/xcb.h>

namespace sorvu {

namespace {

const QList<QByteArray>& textTypes = clipboardtypes::textTypesByPreference;

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

X11ClipboardOwner::X11ClipboardOwner(X11SelectionReader& reader, QObject* parent) : QObject(parent), m_reader(reader) {}

std::optional<QList<QByteArray>> X11ClipboardOwner::ownTargets() const {
    if (const QMimeData* own = ownContent()) {
        return localTargets(*own);
    }
    return std::nullopt;
}

std::optional<QByteArray> X11ClipboardOwner::ownBytes(const QByteArray& target) const {
    QClipboard* board = clipboard();
    const QMimeData* own = board != nullptr ? board->mimeData(QClipboard::Clipboard) : nullptr;
    return own != nullptr ? std::optional<QByteArray>(localBytes(*own, target)) : std::nullopt;
}

QMimeData* X11ClipboardOwner::makeOffer(const ClipboardItem& item, std::shared_ptr<qint64> claimChangeCount,
                                        std::function<void()> afterFetch) {
    return new OfferedMimeData(item, [self = QPointer<X11ClipboardOwner>(this), claimChangeCount,
                                      afterFetch = std::move(afterFetch)](const QString& type) {
        // Qt is in the middle of answering the request: observers run after it, when replacing the
        // clipboard's content is safe again.
        if (!self) {
            return;
        }
        QMetaObject::invokeMethod(
            self,
            [self, count = *claimChangeCount, type, afterFetch] {
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

bool X11ClipboardOwner::claim(const ClipboardItem& item, const std::function<qint64()>& countClaim) {
    QClipboard* board = clipboard();
    if (board == nullptr) {
        return false;
    }
    // The claim's change count is known only once Qt has counted it, inside setMimeData.
    auto claimChangeCount = std::make_shared<qint64>(-1);
    QMimeData* data = makeOffer(item, claimChangeCount);
    if (const std::optional<quint32> now = m_reader.serverTime(QDeadlineTimer(serverTimeBudgetMilliseconds))) {
        setQtTime(*now);
    }
    board->setMimeData(data, QClipboard::Clipboard);
    const bool owned = board->ownsClipboard() && serverNamesUsAsOwner();
    // The server has handled Qt's claim: one round trip on the reader's connection brings its notice.
    m_reader.synchronize();
    *claimChangeCount = countClaim();
    m_lastClaim = item;
    m_lastClaimChangeCount = *claimChangeCount;
    return owned;
}

void X11ClipboardOwner::offerLastClaimOnPrimary(qint64 changeCount) {
    QClipboard* board = clipboard();
    if (board == nullptr || !m_lastClaim || changeCount != m_lastClaimChangeCount || ownContent() == nullptr) {
        return;
    }
    QMimeData* data = makeOffer(*m_lastClaim, std::make_shared<qint64>(m_lastClaimChangeCount),
                                [self = QPointer<X11ClipboardOwner>(this)] {
                                    if (self) {
                                        self->withdrawPrimaryOffer();
                                    }
                                });
    // Qt's time is still the one the claim was stamped with, moments ago: no second round trip.
    board->setMimeData(data, QClipboard::Selection);
    m_primaryOffer = data;
    QTimer::singleShot(primaryOfferMilliseconds, this, [self = QPointer<X11ClipboardOwner>(this), data] {
        // Only this offer: a later paste's offer runs its own time.
        if (self && self->m_primaryOffer == data) {
            self->withdrawPrimaryOffer();
        }
    });
}

void X11ClipboardOwner::withdrawPrimaryOffer() {
    QClipboard* board = clipboard();
    // A selection made since then is another program's, and Qt has let go of our content.
    if (board != nullptr && m_primaryOffer && board->ownsSelection() &&
        board->mimeData(QClipboard::Selection) == m_primaryOffer) {
        board->clear(QClipboard::Selection);
    }
    m_primaryOffer.clear();
}

} // namespace sorvu
