// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QProcess>

#include <memory>

namespace sorvu {

// Whether the desktop asks programs to avoid animation: GNOME's enable-animations, KDE's animation speed
// set to zero. Read once in the background at start; off until an answer says otherwise.
class ReduceMotionSetting : public QObject {
    Q_OBJECT

public:
    explicit ReduceMotionSetting(QObject* parent = nullptr);
    // Ends a question still running, so that quitting early leaves no process behind.
    ~ReduceMotionSetting() override;

    bool isOn() const { return m_isOn; }
    // KDE's kdeglobals text: the [KDE] AnimationDurationFactor key at 0 means no animation.
    static bool kdeReducesMotion(const QString& kdeGlobals);

private:
    void askGnome();

    bool m_isOn = false;
    std::unique_ptr<QProcess> m_gsettings;
};

} // namespace sorvu
