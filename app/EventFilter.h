#pragma once

#include <QEvent>
#include <QObject>

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
    ~EventFilter() override { m_watched->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override { return m_handler(watched, event); }

private:
    QObject* m_watched;
    Handler m_handler;
};

} // namespace sorvu
