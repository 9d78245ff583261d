// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/SystemLogOutput.h"

#include <QByteArray>
#include <QFileInfo>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <mutex>

#ifdef SORVU_HAVE_JOURNALD
#include <syslog.h>
#include <systemd/sd-journal.h>
#endif

namespace sorvu {

namespace {

QtMessageHandler previousHandler = nullptr;
bool toJournal = false;
std::mutex outputMutex;

const char* levelName(QtMsgType type) {
    switch (type) {
    case QtDebugMsg:
        return "debug";
    case QtInfoMsg:
        return "info";
    case QtWarningMsg:
        return "warning";
    case QtCriticalMsg:
        return "error";
    case QtFatalMsg:
        return "fatal";
    }
    return "info";
}

#ifdef SORVU_HAVE_JOURNALD
int journalPriority(QtMsgType type) {
    switch (type) {
    case QtDebugMsg:
        return LOG_DEBUG;
    case QtInfoMsg:
        return LOG_INFO;
    case QtWarningMsg:
        return LOG_WARNING;
    case QtCriticalMsg:
        return LOG_ERR;
    case QtFatalMsg:
        return LOG_CRIT;
    }
    return LOG_INFO;
}
#endif

void handleMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    const QByteArray category(context.category != nullptr ? context.category : "");
    if (!category.startsWith("sorvu.")) {
        if (previousHandler != nullptr) {
            previousHandler(type, context, message);
        }
        return;
    }
    const QByteArray text = message.toUtf8();
#ifdef SORVU_HAVE_JOURNALD
    if (toJournal &&
        sd_journal_send("MESSAGE=%s", text.constData(), "PRIORITY=%d", journalPriority(type), "SYSLOG_IDENTIFIER=sorvu",
                        "SORVU_CATEGORY=%s", category.constData(), nullptr) == 0) {
        return;
    }
#endif
    const QByteArray area = category.mid(int(qstrlen("sorvu.")));
    std::lock_guard lock(outputMutex);
    std::fprintf(stderr, "sorvu[%s] %s: %s\n", area.constData(), levelName(type), text.constData());
    std::fflush(stderr);
}

} // namespace

void installSystemLogOutput(bool preferJournal) {
#ifdef SORVU_HAVE_JOURNALD
    // The socket journald listens on; without it (a container, no systemd) lines would vanish.
    toJournal = preferJournal && QFileInfo::exists(QStringLiteral("/run/systemd/journal/socket"));
#else
    Q_UNUSED(preferJournal);
    toJournal = false;
#endif
    const QtMessageHandler replaced = qInstallMessageHandler(handleMessage);
    if (replaced != handleMessage) {
        previousHandler = replaced;
    }
}

} // namespace sorvu
