// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/PasteRequestCoordinator.h"
#include "tests/support/EngineFixture.h"
#include "tests/unit/app/ShellFakes.h"

using namespace sorvu;
using namespace sorvu::test;

namespace {

const RunningProgram editor{0x400001, 2001};
const RunningProgram terminal{0x600001, 2002};
const RunningProgram sorvuWindow{0x800001, FakeWorkspace::ownPid};

class Coordinator : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        makeQueue();
        coordinator = std::make_unique<PasteRequestCoordinator>(*queue, workspace);
        coordinator->setPopup(&popup);
        workspace.frontmost = editor;
    }

    // The popup opens over the editor: Sorvu comes to the front.
    void openPopup() {
        coordinator->rememberPasteRecipient();
        workspace.frontmost = sorvuWindow;
        popup.shown = true;
    }

    PasteCompletion recordInto(QList<PasteAttemptResult>& results) {
        return [&results](PasteAttemptResult result) { results.append(result); };
    }

    QStringList uiLines() const {
        QStringList result;
        for (const auto& line : logs.lines()) {
            if (line.category == QStringLiteral("sorvu.UI")) {
                result.append(line.message);
            }
        }
        return result;
    }

    FakeWorkspace workspace;
    FakePopup popup;
    std::unique_ptr<PasteRequestCoordinator> coordinator;
    QList<PasteAttemptResult> results;
};

} // namespace

TEST_F(Coordinator, WithThePopupClosedThePasteGoesStraightToTheProgramInFront) {
    collectTexts({"a", "b"});
    coordinator->handlePasteRequest(PasteNextEntry{}, PasteRequestSource::hotkey, recordInto(results));
    EXPECT_EQ(results, QList<PasteAttemptResult>({PasteAttemptResult::commandPosted}));
    EXPECT_TRUE(workspace.activationRequests.isEmpty());
    EXPECT_EQ(uiLines(), QStringList({"paste requested source=hotkey", "paste keystroke keys=Ctrl+V windowClass=",
                                      "paste attempt outcome=commandPosted queueCountBefore=2 queueCountAfter=1"}));

    workspace.frontmost = sorvuWindow;
    coordinator->handlePasteRequest(PasteNextEntry{}, PasteRequestSource::hotkey, recordInto(results));
    EXPECT_EQ(results.last(), PasteAttemptResult::recipientUnavailable);
    EXPECT_EQ(queue->queue().size(), 1);
}

TEST_F(Coordinator, NoProgramInFrontStillPastesAndEngineFailuresPassThrough) {
    workspace.frontmost.reset();
    coordinator->handlePasteRequest(PasteNextEntry{}, PasteRequestSource::hotkey, recordInto(results));
    EXPECT_EQ(results, QList<PasteAttemptResult>({PasteAttemptResult::queueEmpty}));
    EXPECT_TRUE(uiLines().contains("paste attempt outcome=queueEmpty queueCountBefore=0 queueCountAfter=0"));
}

TEST_F(Coordinator, ThePopupNeverRemembersSorvuItselfAsRecipient) {
    collectTexts({"a"});
    workspace.frontmost = sorvuWindow;
    openPopup();
    EXPECT_FALSE(coordinator->pasteRecipient().has_value());
    coordinator->handlePasteRequest(PasteNextEntry{}, PasteRequestSource::button, recordInto(results));
    EXPECT_EQ(results, QList<PasteAttemptResult>({PasteAttemptResult::recipientUnavailable}));
    EXPECT_TRUE(uiLines().contains("recipient restore failed"));
    EXPECT_EQ(queue->queue().size(), 1);
}

TEST_F(Coordinator, ARecipientThatQuitIsNotActivated) {
    collectTexts({"a"});
    openPopup();
    workspace.terminated.append(editor.processId);
    coordinator->handlePasteRequest(PasteNextEntry{}, PasteRequestSource::button, recordInto(results));
    EXPECT_EQ(results, QList<PasteAttemptResult>({PasteAttemptResult::recipientUnavailable}));
    EXPECT_TRUE(workspace.activationRequests.isEmpty());
}

TEST_F(Coordinator, PastesOnceTheRecipientIsConfirmedAndKeepsIt) {
    collectTexts({"a", "b"});
    openPopup();
    coordinator->handlePasteRequest(PasteNextEntry{}, PasteRequestSource::button, recordInto(results));
    EXPECT_TRUE(coordinator->isRestoringFocusForPaste());
    EXPECT_EQ(workspace.activationRequests, QList<RunningProgram>({editor}));

    // Another request while waiting is refused, not queued.
    QList<PasteAttemptResult> refused;
    coordinator->handlePasteRequest(PasteNextEntry{}, PasteRequestSource::hotkey, recordInto(refused));
    EXPECT_EQ(refused, QList<PasteAttemptResult>({PasteAttemptResult::requestInProgress}));

    // Another program becoming active does not end the wait.
    workspace.becomeActive(terminal);
    QCoreApplication::processEvents();
    EXPECT_TRUE(results.isEmpty());
    workspace.becomeActive(editor);
    EXPECT_TRUE(waitUntil([&] { return !results.isEmpty(); }, 400));
    EXPECT_EQ(results, QList<PasteAttemptResult>({PasteAttemptResult::commandPosted}));
    EXPECT_FALSE(coordinator->isRestoringFocusForPaste());
    EXPECT_FALSE(coordinator->isWaitingForActivation());
    EXPECT_EQ(workspace.observerCount(), 0);
    EXPECT_EQ(coordinator->pasteRecipient(), editor);
    EXPECT_TRUE(popup.closes.isEmpty());

    // The recipient is still in front: the next paste happens within the call.
    coordinator->handlePasteRequest(PasteNextEntry{}, PasteRequestSource::button, recordInto(results));
    EXPECT_EQ(results.size(), 2);
    EXPECT_EQ(results.last(), PasteAttemptResult::commandPosted);
    EXPECT_EQ(popup.closes, QList<PopupCloseReason>({PopupCloseReason::queueDrained}));
    EXPECT_EQ(uiLines().filter("recipient restore").size(), 4);
}

TEST_F(Coordinator, TimesOutAfterHalfASecondAndForgetsTheRecipient) {
    collectTexts({"a"});
    openPopup();
    QElapsedTimer waited;
    waited.start();
    coordinator->handlePasteRequest(PasteNextEntry{}, PasteRequestSource::button, recordInto(results));
    EXPECT_TRUE(waitUntil([&] { return !results.isEmpty(); }, 3000));
    EXPECT_GE(waited.elapsed(), 450);
    EXPECT_EQ(results, QList<PasteAttemptResult>({PasteAttemptResult::recipientUnavailable}));
    EXPECT_FALSE(coordinator->pasteRecipient().has_value());
    EXPECT_FALSE(coordinator->isRestoringFocusForPaste());
    const QStringList lines = uiLines();
    EXPECT_EQ(lines.mid(lines.size() - 2), QStringList({"recipient restore timeout", "recipient restore failed"}));
    EXPECT_EQ(queue->queue().size(), 1);
}

TEST_F(Coordinator, ARecipientInFrontWithoutNoticeCountsAtTheTimeout) {
    collectTexts({"a", "b"});
    openPopup();
    coordinator->handlePasteRequest(PasteNextEntry{}, PasteRequestSource::button, recordInto(results));
    workspace.frontmost = editor;
    EXPECT_TRUE(waitUntil([&] { return !results.isEmpty(); }, 3000));
    EXPECT_EQ(results, QList<PasteAttemptResult>({PasteAttemptResult::commandPosted}));
    EXPECT_FALSE(uiLines().contains("recipient restore timeout"));
}

TEST_F(Coordinator, ARefusedActivationFailsAtOnceAndBringsTheCombineScreenBack) {
    collectTexts({"a", "b"});
    openPopup();
    workspace.activationAccepted = false;
    coordinator->handlePasteRequest(PasteAllText{", ", ids()}, PasteRequestSource::button, recordInto(results));
    EXPECT_EQ(results, QList<PasteAttemptResult>({PasteAttemptResult::recipientUnavailable}));
    EXPECT_EQ(popup.broughtToFront, 1);
    EXPECT_FALSE(coordinator->pendingBulkPasteID().has_value());
    EXPECT_FALSE(coordinator->pasteRecipient().has_value());
}

TEST_F(Coordinator, ACombinedPasteConfirmedLaterPastesOnceAndTheTimeoutStaysQuiet) {
    collectTexts({"a", "b"});
    openPopup();
    coordinator->handlePasteRequest(PasteAllText{"+", ids()}, PasteRequestSource::button, recordInto(results));
    EXPECT_TRUE(coordinator->pendingBulkPasteID().has_value());
    QTimer::singleShot(300, [&] { workspace.becomeActive(editor); });
    EXPECT_TRUE(waitUntil([&] { return !results.isEmpty(); }, 3000));
    EXPECT_EQ(postedClipboard.size(), 1);
    EXPECT_EQ(postedClipboard.last().text(), "a+b");
    EXPECT_FALSE(coordinator->pendingBulkPasteID().has_value());
    EXPECT_EQ(popup.closes, QList<PopupCloseReason>({PopupCloseReason::queueDrained}));

    // Past the moment the timeout would have fired nothing else happens.
    waitUntil([] { return false; }, 400);
    EXPECT_EQ(results.size(), 1);
    EXPECT_FALSE(uiLines().contains("recipient restore timeout"));
}

TEST_F(Coordinator, ACombinedPasteThatFailsBringsThePopupBack) {
    collectTexts({"a", "b"});
    openPopup();
    workspace.activatesImmediately = true;
    coordinator->handlePasteRequest(PasteAllText{"+", {}}, PasteRequestSource::button, recordInto(results));
    EXPECT_EQ(results, QList<PasteAttemptResult>({PasteAttemptResult::queueChanged}));
    EXPECT_EQ(popup.broughtToFront, 1);
    EXPECT_TRUE(popup.closes.isEmpty());
}

TEST_F(Coordinator, ACancelledCombinedPasteNeverCompletesAndANewOneCanStart) {
    collectTexts({"a", "b"});
    openPopup();
    coordinator->handlePasteRequest(PasteAllText{"+", ids()}, PasteRequestSource::button, recordInto(results));
    coordinator->cancelPendingBulkPaste();
    EXPECT_FALSE(coordinator->isRestoringFocusForPaste());
    EXPECT_EQ(coordinator->pasteRecipient(), editor);
    workspace.becomeActive(editor);
    waitUntil([] { return false; }, 700);
    EXPECT_TRUE(results.isEmpty());
    EXPECT_EQ(queue->queue().size(), 2);

    coordinator->handlePasteRequest(PasteAllText{"+", ids()}, PasteRequestSource::button, recordInto(results));
    EXPECT_EQ(results, QList<PasteAttemptResult>({PasteAttemptResult::commandPosted}));
}

TEST_F(Coordinator, ACoordinatorGoneWhileWaitingDoesNothingLater) {
    collectTexts({"a"});
    openPopup();
    coordinator->handlePasteRequest(PasteNextEntry{}, PasteRequestSource::button, recordInto(results));
    coordinator.reset();
    EXPECT_EQ(workspace.observerCount(), 0);
    workspace.becomeActive(editor);
    waitUntil([] { return false; }, 700);
    EXPECT_TRUE(results.isEmpty());
    EXPECT_EQ(queue->queue().size(), 1);
}

TEST_F(Coordinator, ALateNoticeOfAFinishedRestoreLeavesTheNextRestoreWaiting) {
    collectTexts({"a", "b", "c"});
    openPopup();
    QList<PasteAttemptResult> second;
    bool secondStarted = false;
    // As soon as the first paste is done the popup is in front again and the next paste is asked for.
    coordinator->handlePasteRequest(PasteNextEntry{}, PasteRequestSource::button, [&](PasteAttemptResult result) {
        results.append(result);
        if (!secondStarted) {
            secondStarted = true;
            workspace.frontmost = sorvuWindow;
            coordinator->handlePasteRequest(PasteNextEntry{}, PasteRequestSource::button, recordInto(second));
        }
    });
    // The window manager announces the editor twice; the second notice is still on its way when the first
    // one has finished the restore.
    workspace.becomeActive(editor);
    workspace.becomeActive(editor);
    runEventLoopFor(50);

    EXPECT_EQ(results, QList<PasteAttemptResult>({PasteAttemptResult::commandPosted}));
    EXPECT_TRUE(second.isEmpty());
    EXPECT_TRUE(coordinator->isRestoringFocusForPaste());
    EXPECT_EQ(postedClipboard.size(), 1);
    EXPECT_EQ(queue->queue().size(), 2);

    workspace.becomeActive(editor);
    EXPECT_TRUE(waitUntil([&] { return !second.isEmpty(); }, 400));
    EXPECT_EQ(second, QList<PasteAttemptResult>({PasteAttemptResult::commandPosted}));
    EXPECT_EQ(results.size(), 1);
    EXPECT_EQ(postedClipboard.size(), 2);
}

TEST_F(Coordinator, WindowsThatNameNoProcessAreToldApartByWindow) {
    const RunningProgram unnamedEditor{0x400001, 0};
    const RunningProgram unnamedViewer{0x600001, 0};
    collectTexts({"a", "b"});
    workspace.frontmost = unnamedEditor;
    openPopup();
    ASSERT_EQ(coordinator->pasteRecipient(), unnamedEditor);

    coordinator->handlePasteRequest(PasteNextEntry{}, PasteRequestSource::button, recordInto(results));
    workspace.becomeActive(unnamedViewer);
    runEventLoopFor(50);
    EXPECT_TRUE(results.isEmpty());
    EXPECT_TRUE(coordinator->isRestoringFocusForPaste());
    // Still not the recipient when the time is up.
    EXPECT_TRUE(waitUntil([&] { return !results.isEmpty(); }, 1000));
    EXPECT_EQ(results, QList<PasteAttemptResult>({PasteAttemptResult::recipientUnavailable}));
    EXPECT_TRUE(uiLines().contains("recipient restore timeout"));
    EXPECT_EQ(queue->queue().size(), 2);

    workspace.frontmost = unnamedEditor;
    openPopup();
    coordinator->handlePasteRequest(PasteNextEntry{}, PasteRequestSource::button, recordInto(results));
    workspace.becomeActive(unnamedEditor);
    EXPECT_TRUE(waitUntil([&] { return results.size() == 2; }, 400));
    EXPECT_EQ(results.last(), PasteAttemptResult::commandPosted);
    EXPECT_EQ(queue->queue().size(), 1);
}

TEST_F(Coordinator, WhereNoProgramCanBeBroughtBackThePopupStepsAsideAndThePasteFollowsAMomentLater) {
    collectTexts({"a", "b", "c"});
    workspace.activates = false;
    openPopup();
    coordinator->handlePasteRequest(PasteNextEntry{}, PasteRequestSource::button, recordInto(results));
    // The popup goes at once, so that the desktop gives the keyboard back; the paste waits for that.
    EXPECT_EQ(popup.closes, QList<PopupCloseReason>({PopupCloseReason::pasteHandOff}));
    EXPECT_TRUE(results.isEmpty());
    EXPECT_TRUE(coordinator->isRestoringFocusForPaste());
    QList<PasteAttemptResult> refused;
    coordinator->handlePasteRequest(PasteNextEntry{}, PasteRequestSource::hotkey, recordInto(refused));
    EXPECT_EQ(refused, QList<PasteAttemptResult>({PasteAttemptResult::requestInProgress}));
    ASSERT_TRUE(waitUntil([&] { return !results.isEmpty(); }, 2000));
    EXPECT_EQ(results, QList<PasteAttemptResult>({PasteAttemptResult::commandPosted}));
    EXPECT_EQ(queueTexts(), QList<QString>({"b", "c"}));
    EXPECT_TRUE(workspace.activationRequests.isEmpty());
    EXPECT_FALSE(coordinator->isRestoringFocusForPaste());
    EXPECT_TRUE(uiLines().contains("paste hand-off started"));
    EXPECT_FALSE(uiLines().contains("recipient restore failed"));

    // Combine and Paste takes the same road, and the closing it causes does not withdraw it.
    popup.shown = true;
    coordinator->handlePasteRequest(PasteAllText{"+", ids()}, PasteRequestSource::button, recordInto(results));
    EXPECT_FALSE(coordinator->pendingBulkPasteID().has_value());
    ASSERT_TRUE(waitUntil([&] { return results.size() == 2; }, 2000));
    EXPECT_EQ(results.last(), PasteAttemptResult::commandPosted);
    EXPECT_EQ(postedClipboard.last().text(), "b+c");
    EXPECT_TRUE(queue->queue().isEmpty());
    EXPECT_EQ(popup.closes, QList<PopupCloseReason>({PopupCloseReason::pasteHandOff, PopupCloseReason::pasteHandOff}));

    // With the popup closed nothing steps aside: the program in front gets the paste at once.
    workspace.frontmost = editor;
    collectTexts({"d"});
    coordinator->handlePasteRequest(PasteNextEntry{}, PasteRequestSource::hotkey, recordInto(results));
    ASSERT_EQ(results.size(), 3);
    EXPECT_EQ(results.last(), PasteAttemptResult::commandPosted);
    EXPECT_EQ(popup.closes.size(), 2);
}
