// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/Platform.h"
#include "tests/support/FakeClipboard.h"
#include "tests/support/FakeKeyboardLayout.h"
#include "tests/support/FakeLaunchAtLogin.h"
#include "tests/support/FakePasteOutput.h"
#include "tests/unit/app/ShellFakes.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QPointer>

namespace sorvu::test {

// Shortcut activations the test presses by hand.
class FakeGlobalShortcuts : public GlobalShortcuts {
public:
    int starts = 0;
    int retries = 0;
    QList<ShortcutAction> taken;
    // The keys the desktop says it fires each action on, where it holds them.
    QHash<ShortcutAction, QString> triggers;
    DesktopProblem problem = DesktopProblem::none;

    void start() override { ++starts; }
    QList<ShortcutAction> takenActions() const override { return taken; }
    void retryTaken() override { ++retries; }
    QString triggerDescription(ShortcutAction action) const override { return triggers.value(action); }
    DesktopProblem desktopProblem() const override { return problem; }
    void press(ShortcutAction action) { emit activated(action); }
    // The user gives an action other keys in the desktop's settings.
    void desktopRebinds(ShortcutAction action, const QString& trigger) {
        triggers.insert(action, trigger);
        emit triggersChanged();
    }
    void desktopFails(DesktopProblem failure) {
        problem = failure;
        emit desktopProblemChanged();
    }
};

// Keys that only count, posted into the window the fake desktop has in front.
class FakeWorkspacePasteOutput : public FakePasteOutput {
public:
    explicit FakeWorkspacePasteOutput(FakeWorkspace& workspace) : m_workspace(workspace) {}

    std::optional<WindowClass> recipientClass() override {
        return m_workspace.frontmost ? m_workspace.windowClass(*m_workspace.frontmost) : std::nullopt;
    }

private:
    FakeWorkspace& m_workspace;
};

// A session under the test's control: a fake clipboard and desktop, keys that are held until the test
// lets them go, and a paste keystroke that only counts.
class FakePlatform : public Platform {
public:
    std::shared_ptr<FakeClipboard> fakeClipboard = std::make_shared<FakeClipboard>();
    FakeWorkspace fakeWorkspace;
    std::shared_ptr<FakePasteOutput> output = std::make_shared<FakeWorkspacePasteOutput>(fakeWorkspace);
    std::shared_ptr<FakeLaunchAtLogin> autostart = std::make_shared<FakeLaunchAtLogin>();
    FakeKeyboardLayout layout = FakeKeyboardLayout::usQwerty();
    // Nothing: the session does not tell which keys are down.
    std::optional<QSet<quint16>> heldKeys = QSet<quint16>();
    bool placesWindows = true;
    ShortcutSource source = ShortcutSource::grabbedKeys;
    // Nothing: the session does not let Sorvu look at the screen.
    std::optional<QImage> panel = QImage();
    QPointer<FakeGlobalShortcuts> shortcuts;
    QStringList notifications;

    QString sessionKey() const override { return QStringLiteral("fake-session"); }
    std::shared_ptr<Clipboard> clipboard() override { return fakeClipboard; }
    std::shared_ptr<PasteOutput> pasteOutput() override { return output; }
    std::optional<QSet<quint16>> keysDown() override { return heldKeys; }
    quint16 keyCode(const QKeyEvent& event) const override { return quint16(event.nativeScanCode()); }
    Workspace& workspace() override { return fakeWorkspace; }
    std::shared_ptr<LaunchAtLogin> launchAtLogin() override { return autostart; }
    ShortcutSource shortcutSource() const override { return source; }
    bool canPlaceWindows() const override { return placesWindows; }
    bool trayMayAppearLater() const override { return true; }
    std::optional<QImage> panelAround(const QRect&) override { return panel; }
    CharacterForKeyCode characterForKeyCode() override { return layout.characterForKeyCode(); }
    KeyCodeForCharacter keyCodeForCharacter() override { return layout.keyCodeForCharacter(); }
    std::unique_ptr<GlobalShortcuts> createGlobalShortcuts(ShortcutManager&) override {
        auto created = std::make_unique<FakeGlobalShortcuts>();
        shortcuts = created.get();
        return created;
    }

    void showNotification(const QString& text) override { notifications.append(text); }

    // The desktop's shortcut settings, and its key bindings written for the user: counted, answered as the test says.
    bool knowsShortcutSettings = false;
    bool shortcutSettingsStart = true;
    int shortcutSettingsOpened = 0;
    bool writesBindings = false;
    std::function<void(bool)> pendingBindingsWrite;
    bool canOpenShortcutSettings() const override { return knowsShortcutSettings; }
    bool openShortcutSettings() override {
        ++shortcutSettingsOpened;
        return shortcutSettingsStart;
    }
    bool canWriteShortcutBindings() const override { return writesBindings; }
    void writeShortcutBindings(std::function<void(bool)> done) override { pendingBindingsWrite = std::move(done); }

    // Presses in other programs, made by the test; watched only while the popup keeps its watcher.
    std::function<void(QPoint)> pointerPressHandler;
    QPointer<QObject> pointerWatcher;
    int windowsKeptOffTaskbar = 0;
    // Whether the session tells of presses in other programs (X11 does, Wayland does not).
    bool tellsPresses = true;
    std::unique_ptr<QObject> watchPointerPresses(std::function<void(QPoint)> handler) override {
        if (!tellsPresses) {
            return nullptr;
        }
        pointerPressHandler = std::move(handler);
        auto watcher = std::make_unique<QObject>();
        pointerWatcher = watcher.get();
        return watcher;
    }
    void keepOffTaskbar(QWindow&) override { ++windowsKeptOffTaskbar; }
    QMimeData* makeDropData(const ClipboardItem& item) override {
        auto* data = new QMimeData;
        data->setText(item.isFile() ? item.fileUrl().toLocalFile() : item.text());
        return data;
    }
    // A press somewhere on the desktop outside Sorvu.
    void pressElsewhere(QPoint position) {
        if (pointerWatcher && pointerPressHandler) {
            pointerPressHandler(position);
        }
    }

    // A program fetched what Sorvu offered.
    void targetFetched() { emit clipboardContentFetched(fakeClipboard->count); }
};

} // namespace sorvu::test
