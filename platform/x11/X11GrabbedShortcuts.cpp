// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11GrabbedShortcuts.h"

#include "engine/Log.h"
#include "platform/x11/X11Access.h"
#include "platform/x11/X11DisplayName.h"
#include "shortcuts/ShortcutManager.h"

#include <QPointer>
#include <QSocketNotifier>

#include <X11/XKBlib.h>
#include <X11/Xlib-xcb.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <xcb/xcb.h>

#include <bitset>
#include <vector>

namespace sorvu {

namespace {

constexpr int keyCount = 256;

// One action's combination as the server sees it: a key code and a core modifier mask without lock keys.
struct Grab {
    ShortcutAction action;
    quint8 keyCode;
    quint16 modifiers;
    friend bool operator==(const Grab&, const Grab&) = default;
};

// The core modifier that stands for each of the four: Alt is Mod1 and Super Mod4 in every common keymap.
struct ModifierMask {
    KeyModifier modifier;
    unsigned int mask;
};
constexpr ModifierMask modifierMasks[] = {
    {KeyModifier::Shift, ShiftMask},
    {KeyModifier::Ctrl, ControlMask},
    {KeyModifier::Alt, Mod1Mask},
    {KeyModifier::Super, Mod4Mask},
};

unsigned int maskOf(KeyModifiers modifiers) {
    unsigned int mask = 0;
    for (const ModifierMask& each : modifierMasks) {
        if (modifiers.testFlag(each.modifier)) {
            mask |= each.mask;
        }
    }
    return mask;
}

// The modifier bound to Num Lock, which moves with the keymap; none when no key is Num Lock.
unsigned int numLockMask(Display* display) {
    const KeyCode numLock = XKeysymToKeycode(display, XK_Num_Lock);
    if (numLock == 0) {
        return 0;
    }
    XModifierKeymap* mapping = XGetModifierMapping(display);
    if (mapping == nullptr) {
        return 0;
    }
    unsigned int mask = 0;
    for (int modifier = 0; modifier < 8; ++modifier) {
        for (int slot = 0; slot < mapping->max_keypermod; ++slot) {
            if (mapping->modifiermap[modifier * mapping->max_keypermod + slot] == numLock) {
                mask = 1u << modifier;
            }
        }
    }
    XFreeModifiermap(mapping);
    return mask;
}

} // namespace

struct X11GrabbedShortcuts::State {
    Display* display = nullptr;
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = 0;
    int minKeyCode = 8;
    int maxKeyCode = 255;
    int xkbEventBase = -1;
    unsigned int numLock = 0;
    std::unique_ptr<QSocketNotifier> notifier;
    std::vector<Grab> grabbed;
    // Keys pressed while a grab delivered them to us; a press of a key already down is a repeat.
    std::bitset<keyCount> down;

    ~State() {
        notifier.reset();
        // Closing the connection releases every grab.
        if (display != nullptr) {
            XCloseDisplay(display);
        }
    }

    bool open(const QByteArray& displayName) {
        display = XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData());
        if (display == nullptr) {
            return false;
        }
        connection = XGetXCBConnection(display);
        root = DefaultRootWindow(display);
        XDisplayKeycodes(display, &minKeyCode, &maxKeyCode);
        int opcode = 0;
        int errorBase = 0;
        int major = XkbMajorVersion;
        int minor = XkbMinorVersion;
        if (XkbQueryExtension(display, &opcode, &xkbEventBase, &errorBase, &major, &minor)) {
            // A new keymap or another layout group can move the keys of the defaults.
            const unsigned long keymapChanges = XkbNewKeyboardNotifyMask | XkbMapNotifyMask;
            XkbSelectEvents(display, XkbUseCoreKbd, keymapChanges, keymapChanges);
            XkbSelectEventDetails(display, XkbUseCoreKbd, XkbStateNotify, XkbGroupStateMask, XkbGroupStateMask);
            // A held key then repeats as presses alone, without a release before each.
            XkbSetDetectableAutoRepeat(display, True, nullptr);
        } else {
            xkbEventBase = -1;
        }
        numLock = numLockMask(display);
        return true;
    }

    std::vector<unsigned int> lockCombinations() const {
        std::vector<unsigned int> combinations{0, LockMask};
        if (numLock != 0 && numLock != LockMask) {
            combinations.push_back(numLock);
            combinations.push_back(numLock | LockMask);
        }
        return combinations;
    }

    // Grabs every combination and answers the actions whose grab another client holds, in action order.
    QList<ShortcutAction> grab(const std::vector<Grab>& grabs) {
        std::vector<std::pair<ShortcutAction, xcb_void_cookie_t>> requests;
        for (const Grab& each : grabs) {
            for (const unsigned int locks : lockCombinations()) {
                requests.emplace_back(each.action,
                                      xcb_grab_key_checked(connection, 0, root, quint16(each.modifiers | locks),
                                                           each.keyCode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
            }
        }
        QList<ShortcutAction> taken;
        for (const auto& [action, cookie] : requests) {
            const x11::Reply<xcb_generic_error_t> error(xcb_request_check(connection, cookie));
            if (error && error->error_code == XCB_ACCESS && !taken.contains(action)) {
                taken.append(action);
            }
        }
        return taken;
    }

    void ungrab(const std::vector<Grab>& grabs) {
        for (const Grab& each : grabs) {
            for (const unsigned int locks : lockCombinations()) {
                xcb_ungrab_key(connection, each.keyCode, root, quint16(each.modifiers | locks));
            }
        }
    }

    KeyDownEvent keyDown(quint16 keyCode, unsigned int state, bool repeat) const {
        KeyDownEvent event{keyCode, {}, repeat, false};
        for (unsigned int bit = 0; bit < 8; ++bit) {
            const unsigned int mask = 1u << bit;
            if ((state & mask) == 0 || mask == LockMask || mask == numLock) {
                continue;
            }
            bool counted = false;
            for (const ModifierMask& each : modifierMasks) {
                if (each.mask == mask) {
                    event.modifiers |= each.modifier;
                    counted = true;
                }
            }
            event.otherModifierHeld |= !counted;
        }
        return event;
    }
};

X11GrabbedShortcuts::X11GrabbedShortcuts(ShortcutManager& manager, const QByteArray& displayName, QObject* parent)
    : GlobalShortcuts(parent), m_state(std::make_unique<State>()), m_manager(manager) {
    m_retryTimer.setInterval(retryInterval);
    connect(&m_retryTimer, &QTimer::timeout, this, &X11GrabbedShortcuts::retryTaken);
    const QByteArray name = displayName.isEmpty() ? x11DisplayName() : displayName;
    if (!m_state->open(name)) {
        qCCritical(lcUi).noquote() << QStringLiteral("global shortcuts unavailable display=%1 reason=noDisplay")
                                          .arg(QString::fromLocal8Bit(name));
        return;
    }
    m_state->notifier = std::make_unique<QSocketNotifier>(ConnectionNumber(m_state->display), QSocketNotifier::Read);
    connect(m_state->notifier.get(), &QSocketNotifier::activated, this, &X11GrabbedShortcuts::readEvents);
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
    // Taking a grab this connection holds already changes nothing; only the taken ones can fail again.
    std::vector<Grab> retried;
    for (const Grab& each : m_state->grabbed) {
        if (m_taken.contains(each.action)) {
            retried.push_back(each);
        }
    }
    setTaken(m_state->grab(retried));
    xcb_flush(m_state->connection);
    scheduleRead();
}

bool X11GrabbedShortcuts::isConnected() const {
    return m_state->notifier != nullptr;
}

void X11GrabbedShortcuts::withGrabsLifted(const std::function<void()>& post) {
    if (!isConnected() || m_state->grabbed.empty()) {
        post();
        return;
    }
    m_state->ungrab(m_state->grabbed);
    // A grab that is active now (its key still held) ends as well; that key's release goes elsewhere.
    xcb_ungrab_keyboard(m_state->connection, XCB_CURRENT_TIME);
    XSync(m_state->display, False);
    m_state->grabbed.clear();
    m_state->down.reset();
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
    std::vector<Grab> wanted;
    if (m_started && !m_manager.recordingAction()) {
        for (const ShortcutAction action : allShortcutActions) {
            const std::optional<KeyCombination> spec = m_manager.effectiveShortcut(action);
            // A bare key would be taken from every program; other bits never match.
            if (!spec || spec->modifiersRawValue == 0 ||
                keyModifiersOf(spec->modifiersRawValue).toInt() != spec->modifiersRawValue ||
                spec->keyCode < m_state->minKeyCode || spec->keyCode > m_state->maxKeyCode) {
                continue;
            }
            wanted.push_back(
                Grab{action, quint8(spec->keyCode), quint16(maskOf(keyModifiersOf(spec->modifiersRawValue)))});
        }
    }
    if (wanted == m_state->grabbed) {
        return;
    }
    m_state->ungrab(m_state->grabbed);
    m_state->grabbed = wanted;
    setTaken(m_state->grab(wanted));
    xcb_flush(m_state->connection);
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
    State& state = *m_state;
    bool keymapChanged = false;
    QList<ShortcutAction> fired;
    // Everything the server has sent so far, without waiting for more.
    while (XPending(state.display) > 0) {
        XEvent event;
        XNextEvent(state.display, &event);
        if (event.type == KeyPress || event.type == KeyRelease) {
            const unsigned int keyCode = event.xkey.keycode;
            if (keyCode >= keyCount) {
                continue;
            }
            if (event.type == KeyRelease) {
                state.down.reset(keyCode);
                continue;
            }
            const bool repeat = state.down.test(keyCode);
            state.down.set(keyCode);
            if (const auto action =
                    m_manager.matchedAction(state.keyDown(quint16(keyCode), event.xkey.state, repeat))) {
                fired.append(*action);
            }
        } else if (event.type == MappingNotify) {
            XRefreshKeyboardMapping(&event.xmapping);
            keymapChanged = true;
        } else if (state.xkbEventBase >= 0 && event.type == state.xkbEventBase) {
            keymapChanged = true;
        }
    }
    if (keymapChanged) {
        const unsigned int numLock = numLockMask(state.display);
        if (numLock != state.numLock) {
            // The grabs were made with the lock combinations of the old keymap.
            state.ungrab(state.grabbed);
            state.grabbed.clear();
            state.numLock = numLock;
        }
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
