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

RemoteDesktopKeystroke::RemoteDesktopKeystroke(KeyCodeForCharacter keyCodeForCharacter, QObject* parent)
    : QObject(parent), m_keyCodeForCharacter(std::move(keyCodeForCharacter)) {
    m_settled.setSingleShot(true);
    connect(&m_settled, &QTimer::timeout, this, &RemoteDesktopKeystroke::sendPending);
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
        m_pending.clear();
        m_settled.stop();
    } else {
        qCInfo(lcUi).noquote() << line;
    }
    if (state == State::ready) {
        sendKey(unknownKeyCode, true);
        sendKey(unknownKeyCode, false);
        m_sinceReady.start();
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
    m_pending.append(keyEvents(keys));
    const qint64 settling = settleMilliseconds - m_sinceReady.elapsed();
    if (settling > 0) {
        m_settled.start(int(settling));
    } else {
        sendPending();
    }
}

void RemoteDesktopKeystroke::sendKeyCall(QDBusConnection& bus, const QDBusMessage& message, quint32 code) {
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, callAnswerMilliseconds), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, code](QDBusPendingCallWatcher* finished) {
        finished->deleteLater();
        if (finished->isError()) {
            qCWarning(lcUi).noquote() << QStringLiteral("remote desktop keyboard road=%1 key refused code=%2 error=%3")
                                             .arg(road())
                                             .arg(code)
                                             .arg(finished->error().name());
        }
    });
}

void RemoteDesktopKeystroke::sendPending() {
    for (const KeyEvent& event : std::exchange(m_pending, {})) {
        sendKey(event.code, event.pressed);
    }
}

} // namespace sorvu
