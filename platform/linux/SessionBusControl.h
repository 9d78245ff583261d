// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/RemoteControl.h"

#include <QObject>

namespace sorvu {

// Sorvu's actions and state on the session bus: the object /org/sorvu/Sorvu under the name org.sorvu.Sorvu,
// with the interface described in org.sorvu.Sorvu.xml. The slots and properties below are the interface's
// own names, which the adaptor generated from that file calls.
class SessionBusControl : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Collecting READ collecting)
    Q_PROPERTY(int QueueCount READ queueCount)

public:
    static inline const QString serviceName = QStringLiteral("org.sorvu.Sorvu");
    static inline const QString objectPath = QStringLiteral("/org/sorvu/Sorvu");
    static inline const QString interfaceName = QStringLiteral("org.sorvu.Sorvu");

    explicit SessionBusControl(RemoteControl& control, QObject* parent = nullptr);
    ~SessionBusControl() override;

    // Exports the object and takes the name; false when there is no session bus or the name is taken.
    bool registerOnSessionBus();
    // Tells listeners which properties changed since the last call.
    void publishState();

    bool collecting() const { return m_control.isCollecting(); }
    int queueCount() const { return m_control.queueCount(); }

public slots:
    void ToggleCollecting() { m_control.toggleCollecting(); }
    void PasteNext() { m_control.pasteNext(); }
    void PasteAll(const QString& separator) { m_control.pasteAll(separator); }
    void ShowPopup() { m_control.showPopup(); }
    void TogglePopup() { m_control.togglePopup(); }
    void Quit() { m_control.quit(); }

private:
    RemoteControl& m_control;
    bool m_registered = false;
    bool m_publishedCollecting;
    int m_publishedQueueCount;
};

} // namespace sorvu
