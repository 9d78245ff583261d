// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/ReduceMotionSetting.h"

#include <QFile>
#include <QStandardPaths>

namespace sorvu {

ReduceMotionSetting::ReduceMotionSetting(QObject* parent) : QObject(parent) {
    const QString kdeGlobals =
        QStandardPaths::locate(QStandardPaths::GenericConfigLocation, QStringLiteral("kdeglobals"));
    QFile file(kdeGlobals);
    if (!kdeGlobals.isEmpty() && file.open(QIODevice::ReadOnly)) {
        m_isOn = kdeReducesMotion(QString::fromUtf8(file.readAll()));
    }
    if (qEnvironmentVariable("XDG_CURRENT_DESKTOP").contains(QLatin1String("GNOME"), Qt::CaseInsensitive)) {
        askGnome();
    }
}

ReduceMotionSetting::~ReduceMotionSetting() {
    if (m_gsettings && m_gsettings->state() != QProcess::NotRunning) {
        m_gsettings->kill();
        // Killed, it ends at once; the wait only collects it.
        constexpr int reapMilliseconds = 100;
        m_gsettings->waitForFinished(reapMilliseconds);
    }
}

bool ReduceMotionSetting::kdeReducesMotion(const QString& kdeGlobals) {
    bool inKdeGroup = false;
    for (const QString& rawLine : kdeGlobals.split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inKdeGroup = line == QLatin1String("[KDE]");
            continue;
        }
        if (!inKdeGroup || !line.startsWith(QLatin1String("AnimationDurationFactor"))) {
            continue;
        }
        const QString value = line.section(QLatin1Char('='), 1).trimmed();
        bool isNumber = false;
        const double factor = value.toDouble(&isNumber);
        return isNumber && factor == 0.0;
    }
    return false;
}

void ReduceMotionSetting::askGnome() {
    if (QStandardPaths::findExecutable(QStringLiteral("gsettings")).isEmpty()) {
        return;
    }
    m_gsettings = std::make_unique<QProcess>();
    connect(m_gsettings.get(), &QProcess::finished, this, [this](int exitCode, QProcess::ExitStatus status) {
        if (status == QProcess::NormalExit && exitCode == 0) {
            m_isOn = m_gsettings->readAllStandardOutput().trimmed() == "false";
        }
    });
    m_gsettings->start(
        QStringLiteral("gsettings"),
        {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.interface"), QStringLiteral("enable-animations")});
}

} // namespace sorvu
