// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/integration/support/SorvuLaunch.h"

#include <QDir>
#include <QFile>

namespace sorvu::test {

ChildProcess::Options sorvuLaunchOptions(const QTemporaryDir& home) {
    QDir(home.path()).mkpath(QStringLiteral("run"));
    QFile::setPermissions(home.filePath(QStringLiteral("run")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ChildProcess::Options options;
    options.environment = {
        {"HOME", home.path().toLocal8Bit()},
        {"XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit()},
        {"XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit()},
        {"XDG_RUNTIME_DIR", home.filePath(QStringLiteral("run")).toLocal8Bit()},
        {"QT_LOGGING_RULES", "sorvu.*.debug=true"},
        {"QT_QPA_PLATFORM", QByteArray()},
        {"SORVU_LOG_STDERR", "1"},
    };
    return options;
}

std::unique_ptr<ChildProcess> startXclipCopy(const QByteArray& data, const QString& type) {
    QStringList command = {QStringLiteral("xclip"), QStringLiteral("-quiet"), QStringLiteral("-selection"),
                           QStringLiteral("clipboard")};
    if (!type.isEmpty()) {
        command << QStringLiteral("-t") << type;
    }
    ChildProcess::Options options;
    options.input = data;
    return ChildProcess::start(command << QStringLiteral("-i"), options);
}

} // namespace sorvu::test
