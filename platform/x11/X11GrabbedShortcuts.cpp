// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11GrabbedShortcuts.h"

#include "engine/Log.h"
#include "platform/x11/X11DisplayName.h"
#include "platform/x11/X11KeyGrabs.h"
#include "shortcuts/ShortcutManager.h"

#include <QPointer>
#include <QSocketNotifier>

namespace sorvu {

X11GrabbedShortcuts::X11GrabbedShortcuts(ShortcutManager& manager, const QByteArray& displayName, QObject* parent)
    : GlobalShortcuts(parent), m_manager(manager), m_grabs(std::make_unique<X11KeyGrabs>()) {
    m_retryTimer.setInterval(retryInterval);
    connect(&m_retryTimer, &QTimer::timeout, this, &X11GrabbedShortcuts::retryTaken);
    const QByteArray name = displayName.isEmpty() ? x11DisplayName() : displayName;
    if (!m_grabs->open(name)) {
        qCCritical(lcUi).noquote() << QStringLiteral("global shortcuts unavailable display=%1 reason=noDisplay")
                                          .arg(QString::fromLocal8Bit(name));
        return;
    }
    m_notifier = std::make_unique<QSocketNotifier>(m_grabs->fileDescriptor(), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &X11GrabbedShortcuts::readEvents);
    connect(&m_manager, &ShortcutManager::overridesChanged, this, &X11GrabbedShortcuts::updateGrabs);
    connect(&m_manager, &ShortcutManager::recordingActionChanged, this, &X11GrabbedShortcuts::updateGrabs);
    scheduleRead();
}

X11GrabbedShortcuts::~X11GrabbedShortcuts() = default;

void X11GrabbedShortcuts::start() {
    if (m_started || !isConnected()) {
        return;
    }
    m_started = true;
    updateGrabs();
}

QList<ShortcutAction> X11GrabbedShortcuts::takenActions() const {
    return m_taken;
}

void X11GrabbedShortcuts::retryTaken() {
    if (!isConnected() || m_taken.isEmpty()) {
        return;
    }
    // Only the taken ones can fail again.
    setTaken(m_grabs->retake(m_taken));
    scheduleRead();
}

bool X11GrabbedShortcuts::isConnected() const {
    return m_notifier != nullptr;
}

void X11GrabbedShortcuts::withGrabsLifted(const std::function<void()>& post) {
    if (!isConnected() || m_grabs->grabbed().empty()) {
        post();
        return;
    }
    m_grabs->release();
    post();
    updateGrabs();
    scheduleRead();
}

void X11GrabbedShortcuts::scheduleRead() {
    // Round trips can bring events into Xlib's queue, where the socket notifier never sees them.
    if (!m_readScheduled) {
        m_readScheduled = true;
        QMetaObject::invokeMethod(this, &X11GrabbedShortcuts::readEvents, Qt::QueuedConnection);
    }
}

void X11GrabbedShortcuts::updateGrabs() {
    if (!isConnected()) {
        return;
    }
    std::vector<X11KeyGrabs::Grab> wanted;
    if (m_started && !m_manager.recordingAction()) {
        for (const ShortcutAction action : allShortcutActions) {
            const std::optional<KeyCombination> combination = m_manager.effectiveShortcut(action);
            // A bare key would be taken from every program.
            if (!combination || combination->modifiersRawValue == 0) {
                continue;
            }
            if (const std::optional<X11KeyGrabs::Grab> grab = m_grabs->grabFor(action, *combination)) {
                wanted.push_back(*grab);
            }
        }
    }
    if (wanted == m_grabs->grabbed()) {
        return;
    }
    setTaken(m_grabs->replace(wanted));
    scheduleRead();
}

void X11GrabbedShortcuts::setTaken(const QList<ShortcutAction>& taken) {
    // No wakeups while nothing is taken.
    if (taken.isEmpty()) {
        m_retryTimer.stop();
    } else if (!m_retryTimer.isActive()) {
        m_retryTimer.start();
    }
    if (taken == m_taken) {
        return;
    }
    for (const ShortcutAction action : m_taken) {
        if (!taken.contains(action)) {
            qCInfo(lcUi).noquote()
                << QStringLiteral("shortcut no longer taken by another program action=%1").arg(caseName(action));
        }
    }
    for (const ShortcutAction action : taken) {
        if (m_taken.contains(action)) {
            continue;
        }
        const std::optional<KeyCombination> spec = m_manager.effectiveShortcut(action);
        qCCritical(lcUi).noquote() << QStringLiteral(
                                          "shortcut taken by another program action=%1 keyCode=%2 modifiersRawValue=%3")
                                          .arg(caseName(action))
                                          .arg(spec ? spec->keyCode : 0)
                                          .arg(spec ? spec->modifiersRawValue : 0);
    }
    m_taken = taken;
    emit takenActionsChanged();
}

void X11GrabbedShortcuts::readEvents() {
    m_readScheduled = false;
    const X11KeyGrabs::Events events = m_grabs->readEvents();
    QList<ShortcutAction> fired;
    for (const KeyDownEvent& press : events.presses) {
        if (const auto action = m_manager.matchedAction(press)) {
            fired.append(*action);
        }
    }
    if (events.keymapChanged) {
        updateGrabs();
        // A program that held a shortcut may have given it up along with the keymap it was made for.
        retryTaken();
        // Reading the modifier mapping was a round trip: a layout switch may have come in meanwhile.
        scheduleRead();
    }
    // A handler may end this object.
    const QPointer<X11GrabbedShortcuts> self(this);
    for (const ShortcutAction action : fired) {
        if (!self) {
            return;
        }
        emit activated(action);
    }
}

} // namespace sorvu
