// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

namespace sorvu {

// GNOME's custom keyboard shortcuts (org.gnome.settings-daemon.plugins.media-keys) for Sorvu's two commands,
// written for the user with the `gsettings` tool, as the README shows: Ctrl+Super+C runs `sorvu
// --toggle-collecting`, Ctrl+Super+V `sorvu --paste-next`. The custom shortcuts the user already has stay; Sorvu's
// own are written afresh. Each step is a program of its own, run without waiting; the list that names the
// shortcuts is written last and read back, so that a desktop without a settings store (whose writes are lost)
// counts as a failure.
class GnomeCustomShortcuts : public QObject {
    Q_OBJECT

public:
    static inline const QString schema = QStringLiteral("org.gnome.settings-daemon.plugins.media-keys");
    static inline const QString listKey = QStringLiteral("custom-keybindings");
    // Where GNOME keeps each custom shortcut: under this path, in a folder of its own.
    static inline const QString basePath =
        QStringLiteral("/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/");
    static inline const QString collectingPath = basePath + QStringLiteral("sorvu-collect/");
    static inline const QString pastePath = basePath + QStringLiteral("sorvu-paste/");
    // The longest one step may take.
    static constexpr int stepMilliseconds = 5000;

    // `program` is the path the shortcuts run Sorvu by.
    explicit GnomeCustomShortcuts(QString program, QObject* parent = nullptr);
    ~GnomeCustomShortcuts() override;

    // Writes the two shortcuts; `done` learns whether they were written. A write asked for while one runs waits
    // for that one and shares its outcome.
    void write(std::function<void(bool written)> done);

    // The paths in a list as gsettings prints it ("@as []", "['/a/', '/b/']").
    static QStringList pathsOfList(const QString& printed);
    // A list of paths as gsettings reads it.
    static QString listOf(const QStringList& paths);
    // A text as a GVariant string, quoted and escaped.
    static QString quoted(const QString& text);
    // The command line GNOME runs for a shortcut, the program quoted as a shell would need it.
    QString commandLine(const QString& option) const;

private:
    struct Step {
        QStringList arguments;
        // Gets what the program printed; false ends the write as failed.
        std::function<bool(const QString& output)> check;
    };

    void runNext();
    void dropProcess();
    void finish(bool written);

    QString m_program;
    QList<Step> m_steps;
    std::unique_ptr<QProcess> m_process;
    QTimer m_deadline;
    QList<std::function<void(bool)>> m_waiting;
};

} // namespace sorvu
