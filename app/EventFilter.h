// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>

#include <functional>

namespace sorvu {

// Watches the events of one object (or of the whole application) through a function for as long as it
// lives; the function answers whether the event was taken.
class EventFilter : public QObject {
public:
    using Handler = std::function<bool(QObject* watched, QEvent* event)>;

    EventFilter(QObject* watched, Handler handler) : m_watched(watched), m_handler(std::move(handler)) {
        m_watched->installEventFilter(this);
    }
    ~EventFilter() override { stop(); }

    // No event reaches the function any more.
    void stop() {
        if (m_watched) {
            m_watched->removeEventFilter(this);
            m_watched = nullptr;
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override { return m_watched && m_handler(watched, event); }

private:
    QPointer<QObject> m_watched;
    Handler m_handler;
};

} // namespace sorvu
