// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/GnomeCustomShortcuts.h"

#include "engine/Log.h"

#include <QRegularExpression>

namespace sorvu {

namespace {

const QString gsettings = QStringLiteral("gsettings");

struct Shortcut {
    QString path;
    QString name;
    QString option;
    QString binding;
};

} // namespace

GnomeCustomShortcuts::GnomeCustomShortcuts(QString program, QObject* parent)
    : QObject(parent), m_program(std::move(program)) {
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        qCWarning(lcUi).noquote() << QStringLiteral("gnome custom shortcuts not written error=timeout");
        finish(false);
    });
}

GnomeCustomShortcuts::~GnomeCustomShortcuts() {
    if (m_process) {
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished(100);
    }
}

QStringList GnomeCustomShortcuts::pathsOfList(const QString& printed) {
    static const QRegularExpression quotedPath(QStringLiteral("'([^']*)'"));
    QStringList paths;
    for (const QRegularExpressionMatch& match : quotedPath.globalMatch(printed)) {
        paths.append(match.captured(1));
    }
    return paths;
}

QString GnomeCustomShortcuts::quoted(const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

QString GnomeCustomShortcuts::listOf(const QStringList& paths) {
    QStringList items;
    for (const QString& path : paths) {
        items.append(quoted(path));
    }
    return QLatin1Char('[') + items.join(QStringLiteral(", ")) + QLatin1Char(']');
}

QString GnomeCustomShortcuts::commandLine(const QString& option) const {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./+-]+$"));
    QString program = m_program;
    // GNOME splits the command as a shell would.
    if (!plain.match(program).hasMatch()) {
        program = QLatin1Char('\'') + program.replace(QLatin1Char('\''), QStringLiteral("'\\''")) + QLatin1Char('\'');
    }
    return program + QLatin1Char(' ') + option;
}

void GnomeCustomShortcuts::write(std::function<void(bool)> done) {
    m_waiting.append(std::move(done));
    if (m_waiting.size() > 1) {
        return;
    }
    const QList<Shortcut> shortcuts{{collectingPath, QStringLiteral("Sorvu: start or stop collecting"),
                                     QStringLiteral("--toggle-collecting"), QStringLiteral("<Control><Super>c")},
                                    {pastePath, QStringLiteral("Sorvu: paste next"), QStringLiteral("--paste-next"),
                                     QStringLiteral("<Control><Super>v")}};
    const auto accept = [](const QString&) { return true; };
    // The user's list first: Sorvu's shortcuts join it, and what is there already stays.
    m_steps.append(
        {{QStringLiteral("get"), schema, listKey}, [this, shortcuts, accept](const QString& output) {
             QStringList paths = pathsOfList(output);
             for (const Shortcut& shortcut : shortcuts) {
                 const QString relocatable = schema + QStringLiteral(".custom-keybinding:") + shortcut.path;
                 m_steps.append(
                     {{QStringLiteral("set"), relocatable, QStringLiteral("name"), quoted(shortcut.name)}, accept});
                 m_steps.append({{QStringLiteral("set"), relocatable, QStringLiteral("command"),
                                  quoted(commandLine(shortcut.option))},
                                 accept});
                 m_steps.append(
                     {{QStringLiteral("set"), relocatable, QStringLiteral("binding"), quoted(shortcut.binding)},
                      accept});
                 if (!paths.contains(shortcut.path)) {
                     paths.append(shortcut.path);
                 }
             }
             m_steps.append({{QStringLiteral("set"), schema, listKey, listOf(paths)}, accept});
             // A desktop without a settings store keeps writes in memory only: read back, they are gone.
             m_steps.append({{QStringLiteral("get"), schema, listKey},
                             [paths](const QString& written) { return pathsOfList(written) == paths; }});
             return true;
         }});
    runNext();
}

void GnomeCustomShortcuts::runNext() {
    dropProcess();
    if (m_steps.isEmpty()) {
        qCInfo(lcUi).noquote() << QStringLiteral("gnome custom shortcuts written");
        finish(true);
        return;
    }
    const Step step = m_steps.takeFirst();
    m_process = std::make_unique<QProcess>();
    QProcess* process = m_process.get();
    const auto failed = [this, step](const QString& error) {
        qCWarning(lcUi).noquote() << QStringLiteral("gnome custom shortcuts not written step=%1 error=%2")
                                         .arg(step.arguments.mid(0, 3).join(QLatin1Char(' ')), error);
        finish(false);
    };
    connect(process, &QProcess::errorOccurred, this, [process, failed](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            failed(process->errorString());
        }
    });
    connect(process, &QProcess::finished, this,
            [this, process, step, failed](int exitCode, QProcess::ExitStatus status) {
                if (status != QProcess::NormalExit || exitCode != 0) {
                    failed(QString::fromLocal8Bit(process->readAllStandardError()).trimmed());
                    return;
                }
                if (!step.check(QString::fromUtf8(process->readAllStandardOutput()))) {
                    failed(QStringLiteral("not kept"));
                    return;
                }
                runNext();
            });
    m_deadline.start(stepMilliseconds);
    process->start(gsettings, step.arguments);
}

void GnomeCustomShortcuts::dropProcess() {
    // This may run inside a signal of the process: it goes once that has returned.
    if (m_process) {
        m_process->disconnect(this);
        if (m_process->state() != QProcess::NotRunning) {
            m_process->kill();
        }
        m_process.release()->deleteLater();
    }
}

void GnomeCustomShortcuts::finish(bool written) {
    m_deadline.stop();
    m_steps.clear();
    dropProcess();
    const QList<std::function<void(bool)>> waiting = std::exchange(m_waiting, {});
    for (const auto& done : waiting) {
        if (done) {
            done(written);
        }
    }
}

} // namespace sorvu
