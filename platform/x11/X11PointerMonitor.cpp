// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/x11/X11PointerMonitor.h"

#include "engine/Log.h"
#include "platform/x11/X11DisplayName.h"
#include "platform/x11/X11RawInputConnection.h"

#include <QSocketNotifier>

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <optional>

namespace sorvu {

namespace {

bool isWheelButton(int button) {
    return button >= 4 && button <= 7;
}

} // namespace

struct X11PointerMonitor::State {
    // Declared first, so that the notifier on its socket goes before the connection closes.
    X11RawInputConnection connection;
    std::unique_ptr<QSocketNotifier> notifier;
};

X11PointerMonitor::X11PointerMonitor(PressHandler handler, const QByteArray& displayName, QObject* parent)
    : QObject(parent), m_state(std::make_unique<State>()), m_handler(std::move(handler)) {
    const QByteArray name = displayName.isEmpty() ? x11DisplayName() : displayName;
    if (const auto failure = m_state->connection.open(name, {XI_RawButtonPress})) {
        qCCritical(lcUi).noquote() << QStringLiteral("pointer monitor unavailable display=%1 reason=%2")
                                          .arg(QString::fromLocal8Bit(name), *failure);
    } else {
        m_state->notifier =
            std::make_unique<QSocketNotifier>(ConnectionNumber(m_state->connection.display()), QSocketNotifier::Read);
        connect(m_state->notifier.get(), &QSocketNotifier::activated, this, &X11PointerMonitor::readEvents);
        QMetaObject::invokeMethod(this, &X11PointerMonitor::readEvents, Qt::QueuedConnection);
    }
}

X11PointerMonitor::~X11PointerMonitor() = default;

bool X11PointerMonitor::isWatching() const {
    return m_state->notifier != nullptr;
}

void X11PointerMonitor::readEvents() {
    Display* display = m_state->connection.display();
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        XGenericEventCookie* cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != m_state->connection.inputOpcode() ||
            !XGetEventData(display, cookie)) {
            continue;
        }
        const int evtype = cookie->evtype;
        const int button = static_cast<const XIRawEvent*>(cookie->data)->detail;
        XFreeEventData(display, cookie);
        if (evtype != XI_RawButtonPress || isWheelButton(button) || !m_handler) {
            continue;
        }
        // Raw events carry no position; the pointer has not gone far in the moment since the press.
        Window root = 0;
        Window child = 0;
        int rootX = 0;
        int rootY = 0;
        int windowX = 0;
        int windowY = 0;
        unsigned int buttons = 0;
        if (XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &windowX, &windowY,
                          &buttons)) {
            m_handler(QPoint(rootX, rootY), button);
        }
    }
}

} // namespace sorvu
