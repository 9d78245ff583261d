#include "platform/x11/X11KeyMonitor.h"

#include "engine/Log.h"
#include "platform/x11/SyntheticKeyGuard.h"
#include "platform/x11/X11DisplayName.h"
#include "platform/x11/X11RawInputConnection.h"

#include <QSocketNotifier>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <array>
#include <bitset>
#include <optional>

namespace sorvu {

namespace {

constexpr int keyCount = 256;

} // namespace

struct X11KeyMonitor::State {
    // Declared first, so that the notifier on its socket goes before the connection closes.
    X11RawInputConnection connection;
    // The connection's display, once open.
    Display* display = nullptr;
    int xkbEventBase = -1;
    bool watching = false;
    std::unique_ptr<QSocketNotifier> notifier;
    std::bitset<keyCount> down;
    // For each key code, the modifier it contributes while down (none for keys that are no counted modifier).
    std::array<KeyModifiers, keyCount> modifiersOfKey{};
    // Every key bound to some modifier, lock keys included: such keys are not reported as presses.
    std::bitset<keyCount> modifierKey;

    // Nothing when watching works, else why it cannot.
    std::optional<QString> open(const QByteArray& displayName) {
        if (auto failure = connection.open(displayName, {XI_RawKeyPress, XI_RawKeyRelease})) {
            return failure;
        }
        display = connection.display();
        int error = 0;
        int xkbOpcode = 0;
        int xkbMajor = XkbMajorVersion;
        int xkbMinor = XkbMinorVersion;
        if (XkbQueryExtension(display, &xkbOpcode, &xkbEventBase, &error, &xkbMajor, &xkbMinor)) {
            // A new keymap can bind modifiers to other keys.
            const unsigned long changes = XkbNewKeyboardNotifyMask | XkbMapNotifyMask;
            XkbSelectEvents(display, XkbUseCoreKbd, changes, changes);
        } else {
            xkbEventBase = -1;
        }

        readModifierMapping();
        seedKeysDown();
        watching = true;
        return std::nullopt;
    }

    void readModifierMapping() {
        modifiersOfKey.fill({});
        modifierKey.reset();
        XModifierKeymap* mapping = XGetModifierMapping(display);
        if (mapping == nullptr) {
            return;
        }
        // The core modifiers in their order: Shift, Lock, Control, Mod1 (Alt) … Mod4 (Super), Mod5.
        const std::array<KeyModifiers, 8> modifierOfIndex{
            KeyModifier::Shift, {}, KeyModifier::Ctrl, KeyModifier::Alt, {}, {}, KeyModifier::Super, {}};
        for (int modifier = 0; modifier < 8; ++modifier) {
            for (int slot = 0; slot < mapping->max_keypermod; ++slot) {
                const KeyCode keyCode = mapping->modifiermap[modifier * mapping->max_keypermod + slot];
                if (keyCode != 0) {
                    modifierKey.set(keyCode);
                    modifiersOfKey[keyCode] |= modifierOfIndex[size_t(modifier)];
                }
            }
        }
        XFreeModifiermap(mapping);
    }

    // Keys already held when watching starts (a modifier held while Sorvu launches) count as down.
    void seedKeysDown() {
        std::array<char, 32> keys{};
        XQueryKeymap(display, keys.data());
        for (int keyCode = 0; keyCode < keyCount; ++keyCode) {
            down.set(size_t(keyCode), (keys[size_t(keyCode / 8)] >> (keyCode % 8)) & 1);
        }
    }

    KeyModifiers modifiersDown() const {
        KeyModifiers modifiers;
        for (int keyCode = 0; keyCode < keyCount; ++keyCode) {
            if (down.test(size_t(keyCode))) {
                modifiers |= modifiersOfKey[size_t(keyCode)];
            }
        }
        return modifiers;
    }
};

X11KeyMonitor::X11KeyMonitor(const QByteArray& displayName, QObject* parent)
    : QObject(parent), m_state(std::make_unique<State>()) {
    const QByteArray name = displayName.isEmpty() ? x11DisplayName() : displayName;
    if (const auto failure = m_state->open(name)) {
        qCCritical(lcUi).noquote() << QStringLiteral("key monitor unavailable display=%1 reason=%2")
                                          .arg(QString::fromLocal8Bit(name), *failure);
    } else {
        m_state->notifier =
            std::make_unique<QSocketNotifier>(ConnectionNumber(m_state->display), QSocketNotifier::Read);
        connect(m_state->notifier.get(), &QSocketNotifier::activated, this, &X11KeyMonitor::readEvents);
        // Requests of the set-up may have pulled events into Xlib's queue already.
        QMetaObject::invokeMethod(this, &X11KeyMonitor::readEvents, Qt::QueuedConnection);
    }
}

X11KeyMonitor::~X11KeyMonitor() = default;

void X11KeyMonitor::installKeyDownMonitor(std::function<void(const KeyDownEvent&)> handler) {
    if (handler) {
        m_handlers.push_back(std::move(handler));
    }
}

bool X11KeyMonitor::isWatching() const {
    return m_state->watching;
}

void X11KeyMonitor::readEvents() {
    State& state = *m_state;
    // Everything the server has sent so far, without waiting for more.
    while (XPending(state.display) > 0) {
        XEvent event;
        XNextEvent(state.display, &event);
        if (event.type == MappingNotify) {
            XRefreshKeyboardMapping(&event.xmapping);
            state.readModifierMapping();
            continue;
        }
        if (state.xkbEventBase >= 0 && event.type == state.xkbEventBase) {
            state.readModifierMapping();
            continue;
        }
        XGenericEventCookie* cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != state.connection.inputOpcode() ||
            !XGetEventData(state.display, cookie)) {
            continue;
        }
        const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
        const int evtype = cookie->evtype;
        const int keyCode = raw->detail;
        XFreeEventData(state.display, cookie);
        if (keyCode <= 0 || keyCode >= keyCount || (evtype != XI_RawKeyPress && evtype != XI_RawKeyRelease)) {
            continue;
        }
        const bool press = evtype == XI_RawKeyPress;
        const bool synthetic = SyntheticKeyGuard::shared().consume(quint16(keyCode), press);
        if (!press) {
            state.down.reset(size_t(keyCode));
            continue;
        }
        const bool repeat = state.down.test(size_t(keyCode));
        state.down.set(size_t(keyCode));
        if (synthetic || state.modifierKey.test(size_t(keyCode))) {
            continue;
        }
        const KeyDownEvent keyDown{quint16(keyCode), state.modifiersDown(), repeat};
        // A handler may install another one; iterate over what was there at the press.
        const auto handlers = m_handlers;
        for (const auto& handler : handlers) {
            handler(keyDown);
        }
    }
}

} // namespace sorvu
