// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/Platform.h"
#include "tests/support/FakeClipboard.h"
#include "tests/support/FakeKeyboardLayout.h"
#include "tests/support/FakeLaunchAtLogin.h"
#include "tests/unit/app/ShellFakes.h"

#include <QMimeData>
#include <QPointer>

namespace sorvu::test {

// Shortcut activations the test presses by hand.
class FakeGlobalShortcuts : public GlobalShortcuts {
public:
    int starts = 0;
    int retries = 0;
    QList<ShortcutAction> taken;

    void start() override { ++starts; }
    QList<ShortcutAction> takenActions() const override { return taken; }
    void retryTaken() override { ++retries; }
    void press(ShortcutAction action) { emit activated(action); }
};

// A session under the test's control: a fake clipboard and desktop, keys that are held until the test
// lets them go, and a paste keystroke that only counts.
class FakePlatform : public Platform {
public:
    std::shared_ptr<FakeClipboard> fakeClipboard = std::make_shared<FakeClipboard>();
    FakeWorkspace fakeWorkspace;
    std::shared_ptr<FakeLaunchAtLogin> autostart = std::make_shared<FakeLaunchAtLogin>();
    FakeKeyboardLayout layout = FakeKeyboardLayout::usQwerty();
    QSet<quint16> heldKeys;
    bool inputAccess = true;
    int keystrokesPosted = 0;
    QList<PasteKeys> postedKeys;
    QPointer<FakeGlobalShortcuts> shortcuts;
    QStringList notifications;

    std::shared_ptr<Clipboard> clipboard() override { return fakeClipboard; }
    std::optional<std::function<void()>> makePasteKeystroke(PasteKeys keys) override {
        if (!inputAccess) {
            return std::nullopt;
        }
        return [this, keys] {
            ++keystrokesPosted;
            postedKeys.append(keys);
        };
    }
    QSet<quint16> keysDown() override { return heldKeys; }
    Workspace& workspace() override { return fakeWorkspace; }
    bool hasInputAccess() override { return inputAccess; }
    std::shared_ptr<LaunchAtLogin> launchAtLogin() override { return autostart; }
    CharacterForKeyCode characterForKeyCode() override { return layout.characterForKeyCode(); }
    KeyCodeForCharacter keyCodeForCharacter() override { return layout.keyCodeForCharacter(); }
    std::unique_ptr<GlobalShortcuts> createGlobalShortcuts(ShortcutManager&) override {
        auto created = std::make_unique<FakeGlobalShortcuts>();
        shortcuts = created.get();
        return created;
    }

    void showNotification(const QString& text) override { notifications.append(text); }

    // Presses in other programs, made by the test; watched only while the popup keeps its watcher.
    std::function<void(QPoint)> pointerPressHandler;
    QPointer<QObject> pointerWatcher;
    int windowsKeptOffTaskbar = 0;
    std::unique_ptr<QObject> watchPointerPresses(std::function<void(QPoint)> handler) override {
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
