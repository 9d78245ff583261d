#pragma once

#include "app/PasteRequest.h"
#include "app/PopoverPresenting.h"
#include "app/WorkspaceProviding.h"
#include "engine/PasteStack.h"

#include <QObject>
#include <QTimer>
#include <QUuid>

#include <memory>
#include <optional>

namespace sorvu {

// The one road every paste takes. With the popup closed the program in front gets the paste at once; with
// the popup open Sorvu itself is in front, so the program that was in front when the popup opened is
// brought back first, and the paste waits (at most half a second) until the desktop confirms it.
class PasteRequestCoordinator : public QObject {
    Q_OBJECT

public:
    static constexpr int activationTimeoutMilliseconds = 500;

    PasteRequestCoordinator(PasteStack& stack, WorkspaceProviding& workspace, QObject* parent = nullptr);
    ~PasteRequestCoordinator() override;

    // The popup, once there is one; without it every request goes straight to the program in front.
    void setPopover(PopoverPresenting* popover) { m_popover = popover; }

    void handlePasteRequest(const PasteRequestKind& kind, PasteRequestSource source, PasteCompletion completion = {});
    void rememberPasteRecipient();
    void cancelPendingBulkPaste();

    const std::optional<WorkspaceApplication>& pasteRecipientApplication() const { return m_pasteRecipientApplication; }
    bool isRestoringFocusForPaste() const { return m_isRestoringFocusForPaste; }
    const std::optional<QUuid>& pendingBulkPasteID() const { return m_pendingBulkPasteID; }
    bool isWaitingForActivation() const { return m_activationObserver.has_value() || m_activationTimeout != nullptr; }

private:
    using Outcome = std::function<void(bool restored)>;

    bool isPopoverShown() const;
    bool isFrontmost(const WorkspaceApplication& application) const;
    void restoreRecipientAndPaste(const WorkspaceApplication& recipient, const PasteRequestKind& kind,
                                  std::optional<QUuid> bulkIdentity, PasteCompletion completion);
    void waitForRecipientActivation(const WorkspaceApplication& recipient, Outcome outcome);
    void completeRecipientRestore(bool success, const PasteRequestKind& kind, std::optional<QUuid> bulkIdentity,
                                  const PasteCompletion& completion);
    void endRecipientRestore(bool keepRecipient);
    PasteAttemptResult pasteThroughEngine(const PasteRequestKind& kind);
    void bringPopoverBack();

    PasteStack& m_stack;
    WorkspaceProviding& m_workspace;
    PopoverPresenting* m_popover = nullptr;

    std::optional<WorkspaceApplication> m_pasteRecipientApplication;
    bool m_isRestoringFocusForPaste = false;
    std::optional<int> m_activationObserver;
    std::unique_ptr<QTimer> m_activationTimeout;
    std::optional<QUuid> m_pendingBulkPasteID;
};

} // namespace sorvu
