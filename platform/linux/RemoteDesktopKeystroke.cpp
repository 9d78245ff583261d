// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/RemoteDesktopKeystroke.h"

#include "engine/EnumNames.h"
#include "engine/Log.h"

#include <QDBusPendingCallWatcher>

namespace sorvu {

namespace {

// XKB key codes are evdev codes plus 8.
constexpr quint16 xkbOffset = 8;

} // namespace

RemoteDesktopKeystroke::RemoteDesktopKeystroke(QDBusConnection bus, KeyCodeForCharacter keyCodeForCharacter,
                                               QObject* parent)
    : QObject(parent), m_bus(std::move(bus)), m_keyCodeForCharacter(std::move(keyCodeForCharacter)) {
    m_settled.setSingleShot(true);
    connect(&m_settled, &QTimer::timeout, this, &RemoteDesktopKeystroke::sendNext);
}

void RemoteDesktopKeystroke::start() {
    if (m_state == State::starting || m_state == State::waitingForConsent || m_state == State::ready) {
        return;
    }
    setState(State::starting);
    openSession();
}

void RemoteDesktopKeystroke::setState(State state, const QString& detail) {
    if (state == m_state) {
        return;
    }
    m_state = state;
    const QString line = QStringLiteral("remote desktop keyboard road=%1 state=%2%3")
                             .arg(road(), caseName(state), detail.isEmpty() ? QString() : QLatin1Char(' ') + detail);
    if (state == State::refused || state == State::closed || state == State::unavailable) {
        qCWarning(lcUi).noquote() << line;
    } else {
        qCInfo(lcUi).noquote() << line;
    }
    m_queue.clear();
    m_settled.stop();
    if (state == State::ready) {
        m_queue = {{unknownKeyCode, true}, {unknownKeyCode, false}};
        m_sinceReady.start();
        sendNext();
    }
    emit stateChanged(state);
}

QList<RemoteDesktopKeystroke::KeyEvent> RemoteDesktopKeystroke::keyEvents(PasteKeys keys) const {
    quint32 key = insertCode;
    QList<quint32> modifiers{leftShiftCode};
    if (keys != PasteKeys::shiftInsert) {
        key = vCode;
        if (m_keyCodeForCharacter) {
            if (const std::optional<quint16> typesV = m_keyCodeForCharacter(QStringLiteral("v"));
                typesV && *typesV > xkbOffset) {
                key = *typesV - xkbOffset;
            }
        }
        modifiers = keys == PasteKeys::controlV ? QList<quint32>{leftControlCode}
                                                : QList<quint32>{leftControlCode, leftShiftCode};
    }
    QList<KeyEvent> events;
    for (const quint32 modifier : modifiers) {
        events.append({modifier, true});
    }
    events.append({key, true});
    events.append({key, false});
    for (auto modifier = modifiers.crbegin(); modifier != modifiers.crend(); ++modifier) {
        events.append({*modifier, false});
    }
    return events;
}

bool RemoteDesktopKeystroke::canPost(PasteKeys) {
    return canPostKeys();
}

void RemoteDesktopKeystroke::post(PasteKeys keys) {
    if (!canPostKeys()) {
        qCWarning(lcUi).noquote() << QStringLiteral("remote desktop keyboard road=%1 keystroke dropped state=%2")
                                         .arg(road(), caseName(m_state));
        return;
    }
    m_queue.append(keyEvents(keys));
    sendNext();
}

void RemoteDesktopKeystroke::sendNext() {
    if (m_keyInFlight || m_queue.isEmpty() || m_state != State::ready) {
        return;
    }
    const qint64 settling = settleMilliseconds - m_sinceReady.elapsed();
    if (m_queue.constFirst().code != unknownKeyCode && settling > 0) {
        m_settled.start(int(settling));
        return;
    }
    const KeyEvent event = m_queue.takeFirst();
    m_keyInFlight = true;
    auto* watcher = new QDBusPendingCallWatcher(
        m_bus.asyncCall(keyMessage(event.code, event.pressed), callAnswerMilliseconds), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, event](QDBusPendingCallWatcher* finished) {
        finished->deleteLater();
        m_keyInFlight = false;
        if (finished->isError()) {
            qCWarning(lcUi).noquote() << QStringLiteral("remote desktop keyboard road=%1 key refused code=%2 error=%3")
                                             .arg(road())
                                             .arg(event.code)
                                             .arg(finished->error().name());
        }
        sendNext();
    });
}

} // namespace sorvu
