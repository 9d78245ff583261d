// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/PasteRequest.h"
#include "app/PasteRequestHandler.h"
#include "app/Popup.h"
#include "engine/ClipboardQueue.h"
#include "platform/Workspace.h"

#include <QObject>
#include <QTimer>
#include <QUuid>

#include <memory>
#include <optional>

namespace sorvu {

// The one road every paste takes. With the popup closed the program in front gets the paste at once; with
// the popup open Sorvu itself is in front, so the program that was in front when the popup opened is
// brought back first, and the paste waits (at most half a second) until the desktop confirms it. Where no
// program can be brought back (a compositor that keeps its window list to itself), the popup steps aside
// instead, the desktop gives the keyboard back to the window before it, and the paste follows a moment later.
class PasteRequestCoordinator : public QObject, public PasteRequestHandler {
    Q_OBJECT

public:
    static constexpr int activationTimeoutMilliseconds = 500;
    // How long a paste waits after the popup stepped aside: the compositor moves the keyboard as the popup's
    // window goes, and the keystroke itself travels through other programs.
    static constexpr int handOffSettleMilliseconds = 150;

    PasteRequestCoordinator(ClipboardQueue& queue, Workspace& workspace, QObject* parent = nullptr);
    ~PasteRequestCoordinator() override;

    // The popup, once there is one; without it every request goes straight to the program in front.
    void setPopup(Popup* popup) { m_popup = popup; }

    void handlePasteRequest(const PasteRequestKind& kind, PasteRequestSource source,
                            PasteCompletion completion = {}) override;
    void rememberPasteRecipient();
    void cancelPendingBulkPaste();

    const std::optional<RunningProgram>& pasteRecipient() const { return m_pasteRecipient; }
    bool isRestoringFocusForPaste() const { return m_isRestoringFocusForPaste; }
    const std::optional<QUuid>& pendingBulkPasteID() const { return m_pendingBulkPasteID; }
    bool isWaitingForActivation() const { return bool(m_activationConnection) || m_activationTimeout != nullptr; }

private:
    using Outcome = std::function<void(bool restored)>;

    bool isPopupShown() const;
    bool isFrontmost(const RunningProgram& application) const;
    void handOffAndPaste(const PasteRequestKind& kind, PasteCompletion completion);
    void restoreRecipientAndPaste(const RunningProgram& recipient, const PasteRequestKind& kind,
                                  std::optional<QUuid> bulkIdentity, PasteCompletion completion);
    void waitForRecipientActivation(const RunningProgram& recipient, Outcome outcome);
    void completeRecipientRestore(bool success, const PasteRequestKind& kind, std::optional<QUuid> bulkIdentity,
                                  const PasteCompletion& completion);
    void endRecipientRestore(bool keepRecipient);
    PasteAttemptResult pasteThroughEngine(const PasteRequestKind& kind);
    void bringPopupBack();

    ClipboardQueue& m_queue;
    Workspace& m_workspace;
    Popup* m_popup = nullptr;

    std::optional<RunningProgram> m_pasteRecipient;
    bool m_isRestoringFocusForPaste = false;
    QMetaObject::Connection m_activationConnection;
    std::unique_ptr<QTimer> m_activationTimeout;
    // Counts the waits for an activation; a new wait and the end of one both move it on.
    quint64 m_activationWait = 0;
    std::optional<QUuid> m_pendingBulkPasteID;
};

} // namespace sorvu
