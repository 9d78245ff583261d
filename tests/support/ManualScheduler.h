// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>

#include <algorithm>
#include <functional>

namespace sorvu::test {

// Deferred work that runs only when the test moves the clock.
class ManualScheduler {
public:
    struct Task {
        double dueAt;
        std::function<void()> work;
    };

    std::function<void(double, std::function<void()>)> function() {
        return [this](double delay, std::function<void()> work) {
            m_tasks.append(Task{m_now + delay, std::move(work)});
        };
    }

    void advance(double seconds) {
        m_now += seconds;
        std::stable_sort(m_tasks.begin(), m_tasks.end(),
                         [](const Task& a, const Task& b) { return a.dueAt < b.dueAt; });
        while (!m_tasks.isEmpty() && m_tasks.first().dueAt <= m_now) {
            Task task = m_tasks.takeFirst();
            task.work();
        }
    }

    QList<double> pendingDelays() const {
        QList<double> delays;
        for (const auto& task : m_tasks) {
            delays.append(task.dueAt - m_now);
        }
        return delays;
    }

private:
    QList<Task> m_tasks;
    double m_now = 0;
};

} // namespace sorvu::test
