// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/PasteRequestCoordinator.h"

#include "engine/Log.h"
#include "engine/QueuePaster.h"

#include <QPointer>

namespace sorvu {

namespace {

void complete(const PasteCompletion& completion, PasteAttemptResult result) {
    if (completion) {
        completion(result);
    }
}

bool isAllText(const PasteRequestKind& kind) {
    return std::holds_alternative<PasteAllText>(kind);
}

} // namespace

PasteRequestCoordinator::PasteRequestCoordinator(ClipboardQueue& queue, Workspace& workspace, QObject* parent)
    : QObject(parent), m_queue(queue), m_workspace(workspace) {}

PasteRequestCoordinator::~PasteRequestCoordinator() {
    disconnect(m_activationConnection);
}

bool PasteRequestCoordinator::isPopupShown() const {
    return m_popup && m_popup->isShown();
}

bool PasteRequestCoordinator::isFrontmost(const RunningProgram& application) const {
    const auto frontmost = m_workspace.frontmostProgram();
    return frontmost && frontmost->isSameProgram(application);
}

void PasteRequestCoordinator::rememberPasteRecipient() {
    const auto frontmost = m_workspace.frontmostProgram();
    if (!frontmost || m_workspace.isOwnProgram(*frontmost)) {
        m_pasteRecipient.reset();
    } else {
        m_pasteRecipient = frontmost;
    }
}

void PasteRequestCoordinator::handlePasteRequest(const PasteRequestKind& kind, PasteRequestSource source,
                                                 PasteCompletion completion) {
    qCDebug(lcUi).noquote() << QStringLiteral("paste requested source=%1").arg(caseName(source));
    if (m_isRestoringFocusForPaste) {
        complete(completion, PasteAttemptResult::requestInProgress);
        return;
    }
    if (isPopupShown()) {
        if (!m_workspace.canActivate()) {
            handOffAndPaste(kind, std::move(completion));
            return;
        }
        const auto recipient = m_pasteRecipient;
        if (recipient && !m_workspace.isOwnProgram(*recipient) && !m_workspace.isTerminated(*recipient)) {
            std::optional<QUuid> bulkIdentity;
            if (isAllText(kind)) {
                bulkIdentity = QUuid::createUuid();
                m_pendingBulkPasteID = bulkIdentity;
            }
            m_isRestoringFocusForPaste = true;
            qCDebug(lcUi).noquote() << QStringLiteral("recipient restore started");
            restoreRecipientAndPaste(*recipient, kind, bulkIdentity, std::move(completion));
            return;
        }
        qCDebug(lcUi).noquote() << QStringLiteral("recipient restore failed");
        complete(completion, PasteAttemptResult::recipientUnavailable);
        return;
    }
    const auto frontmost = m_workspace.frontmostProgram();
    if (frontmost && m_workspace.isOwnProgram(*frontmost)) {
        complete(completion, PasteAttemptResult::recipientUnavailable);
        return;
    }
    complete(completion, pasteThroughEngine(kind));
}

void PasteRequestCoordinator::handOffAndPaste(const PasteRequestKind& kind, PasteCompletion completion) {
    m_isRestoringFocusForPaste = true;
    qCDebug(lcUi).noquote() << QStringLiteral("paste hand-off started");
    m_popup->close(PopupCloseReason::pasteHandOff);
    QTimer::singleShot(handOffSettleMilliseconds, this, [this, kind, completion = std::move(completion)] {
        m_isRestoringFocusForPaste = false;
        complete(completion, pasteThroughEngine(kind));
    });
}

void PasteRequestCoordinator::restoreRecipientAndPaste(const RunningProgram& recipient, const PasteRequestKind& kind,
                                                       std::optional<QUuid> bulkIdentity, PasteCompletion completion) {
    // A session that lets no program bring another to the front cannot give the paste back to its recipient.
    if (m_workspace.canActivate() && !m_workspace.isTerminated(recipient) && m_workspace.activate(recipient)) {
        waitForRecipientActivation(
            recipient, [self = QPointer<PasteRequestCoordinator>(this), kind, bulkIdentity, completion](bool restored) {
                if (self) {
                    self->completeRecipientRestore(restored, kind, bulkIdentity, completion);
                }
            });
        return;
    }
    qCDebug(lcUi).noquote() << QStringLiteral("recipient restore failed");
    m_pendingBulkPasteID.reset();
    endRecipientRestore(false);
    complete(completion, PasteAttemptResult::recipientUnavailable);
    if (isAllText(kind)) {
        bringPopupBack();
    }
}

void PasteRequestCoordinator::waitForRecipientActivation(const RunningProgram& recipient, Outcome outcome) {
    if (isFrontmost(recipient)) {
        outcome(true);
        return;
    }
    // Notices and timeouts of a wait that has ended may still be on their way; only this wait's own count.
    const quint64 wait = ++m_activationWait;
    m_activationConnection = connect(
        &m_workspace, &Workspace::programActivated, this,
        [self = QPointer<PasteRequestCoordinator>(this), wait, recipient, outcome](const RunningProgram& activated) {
            // Handled one turn later, so that a wait that has ended meanwhile ignores it.
            QTimer::singleShot(0, self.data(), [self, wait, recipient, outcome, activated] {
                if (self && self->m_activationWait == wait && activated.isSameProgram(recipient)) {
                    outcome(true);
                }
            });
        });

    m_activationTimeout = std::make_unique<QTimer>();
    m_activationTimeout->setSingleShot(true);
    connect(m_activationTimeout.get(), &QTimer::timeout,
            [self = QPointer<PasteRequestCoordinator>(this), wait, recipient, outcome] {
                if (!self || self->m_activationWait != wait) {
                    return;
                }
                const bool frontmost = self->isFrontmost(recipient);
                if (!frontmost) {
                    qCDebug(lcUi).noquote() << QStringLiteral("recipient restore timeout");
                }
                outcome(frontmost);
            });
    m_activationTimeout->start(activationTimeoutMilliseconds);
}

void PasteRequestCoordinator::completeRecipientRestore(bool success, const PasteRequestKind& kind,
                                                       std::optional<QUuid> bulkIdentity,
                                                       const PasteCompletion& completion) {
    if (bulkIdentity) {
        if (m_pendingBulkPasteID != bulkIdentity) {
            return;
        }
        m_pendingBulkPasteID.reset();
    }
    endRecipientRestore(success);
    if (!success) {
        qCDebug(lcUi).noquote() << QStringLiteral("recipient restore failed");
        complete(completion, PasteAttemptResult::recipientUnavailable);
        if (isAllText(kind)) {
            bringPopupBack();
        }
        return;
    }
    qCDebug(lcUi).noquote() << QStringLiteral("recipient restore confirmed");
    const PasteAttemptResult result = pasteThroughEngine(kind);
    complete(completion, result);
    if (isAllText(kind) && result != PasteAttemptResult::commandPosted) {
        bringPopupBack();
    }
    if (result == PasteAttemptResult::commandPosted && m_popup) {
        if (m_queue.queue().isEmpty()) {
            m_popup->close(PopupCloseReason::queueDrained);
        } else {
            m_popup->pasteReachedRecipient();
        }
    }
}

void PasteRequestCoordinator::endRecipientRestore(bool keepRecipient) {
    ++m_activationWait;
    disconnect(m_activationConnection);
    m_activationConnection = {};
    // Dropping the timer cancels it; deleteLater because this may run inside its own timeout.
    if (m_activationTimeout) {
        m_activationTimeout->stop();
        m_activationTimeout.release()->deleteLater();
    }
    m_isRestoringFocusForPaste = false;
    if (!keepRecipient) {
        m_pasteRecipient.reset();
    }
}

void PasteRequestCoordinator::cancelPendingBulkPaste() {
    if (!m_pendingBulkPasteID) {
        return;
    }
    m_pendingBulkPasteID.reset();
    endRecipientRestore(true);
}

PasteAttemptResult PasteRequestCoordinator::pasteThroughEngine(const PasteRequestKind& kind) {
    const qsizetype before = m_queue.queue().count();
    const PasteAttemptResult result = std::visit(
        [this](const auto& request) {
            if constexpr (std::is_same_v<std::decay_t<decltype(request)>, PasteAllText>) {
                return m_queue.paster().pasteAllText(request.separator, request.expectedIDs);
            } else {
                return m_queue.paster().pasteNext();
            }
        },
        kind);
    qCDebug(lcUi).noquote() << QStringLiteral("paste attempt outcome=%1 queueCountBefore=%2 queueCountAfter=%3")
                                   .arg(caseName(result))
                                   .arg(before)
                                   .arg(m_queue.queue().count());
    return result;
}

void PasteRequestCoordinator::bringPopupBack() {
    if (isPopupShown()) {
        m_popup->bringToFront();
    }
}

} // namespace sorvu
