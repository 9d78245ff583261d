// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Application.h"
#include "app/BuildInfo.h"
#include "app/SorvuApplication.h"
#include "engine/ClipboardQueue.h"
#include "engine/Log.h"
#include "platform/Platform.h"
#include "platform/PlatformFactory.h"
#include "platform/linux/DesktopNotification.h"
#include "platform/linux/SessionBusCommand.h"
#include "platform/linux/SingleInstanceLock.h"
#include "platform/linux/SystemLogOutput.h"
#include "platform/linux/TerminationSignals.h"
#include "platform/linux/XdgAutostart.h"
#include "preferences/LanguagePreferenceStore.h"
#include "preferences/Localization.h"
#include "preferences/SettingsLanguagePreferenceStorage.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>

#include <cstdio>
#include <optional>

namespace {

// Said on the desktop as well, since a start from a menu has no terminal to print to.
// The text in the language the user chose for Sorvu.
QString inUsersLanguage(const std::shared_ptr<QSettings>& settings, const char* englishText) {
    const sorvu::LanguagePreferenceStore language(std::make_shared<sorvu::SettingsLanguagePreferenceStorage>(settings));
    const auto& code = language.preferredLanguageCode();
    return sorvu::localizedString(QString::fromUtf8(englishText), sorvu::catalogForLanguage(code),
                                  sorvu::localeForLanguage(code));
}

void tellWhyNotStarted(const std::shared_ptr<QSettings>& settings, const char* englishText, bool onDesktop = true) {
    const QString text = inUsersLanguage(settings, englishText);
    std::fprintf(stderr, "%s\n", qPrintable(text));
    if (onDesktop) {
        sorvu::showDesktopNotification(QStringLiteral("Sorvu"), text, sorvu::NotificationDelivery::beforeReturning);
    }
}

// Exit codes a script can rely on.
constexpr int exitSuccess = 0;
constexpr int exitNoSession = 1;
constexpr int exitBadArguments = 2;
// A command for the running Sorvu ends with its own codes: 3 when none runs, 4 when it did not answer.
// Without a private runtime folder no lock can keep one Sorvu per display.
constexpr int exitNoInstanceLock = 5;
// A desktop session is there, but it lacks what Sorvu needs.
constexpr int exitUnsupportedSession = 6;

// The session this process belongs to, as the platform chosen for it names it: commands go to the Sorvu of
// the same session. Empty when no platform can serve the session.
QString commandSessionKey() {
    const auto environment = sorvu::SessionEnvironment::ofThisProcess();
    const sorvu::PlatformFactory::Choice choice = sorvu::PlatformFactory::forThisSystem().choose(environment);
    return choice.kind ? choice.kind->sessionKey(environment) : QString();
}

// Answers --help and --version, which need no display, hands a command to the Sorvu that runs, and refuses
// what it does not know. Nothing when Sorvu should start.
std::optional<int> answerCommandLine(int argc, char** argv) {
    // A Qt application made and dropped before the real one runs Qt's clean-up routines, which also remove
    // the accessibility of the popup's views; a plain start has nothing to parse.
    if (argc <= 1) {
        return std::nullopt;
    }
    // Only for parsing: the application proper comes once the session is known to work.
    QCoreApplication parsing(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("sorvu"));
    QCoreApplication::setApplicationVersion(
        QStringLiteral("%1 (build %2)").arg(sorvu::buildInfo().version, sorvu::buildInfo().buildNumber));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Sorvu turns the clipboard into a first-in, first-out queue in the system tray."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    // The commands for the running Sorvu, each the name of its method on the session bus.
    const QList<std::pair<QCommandLineOption, QString>> commands = {
        {QCommandLineOption(QStringLiteral("toggle-collecting"), QStringLiteral("Start or stop collecting copies.")),
         QStringLiteral("ToggleCollecting")},
        {QCommandLineOption(QStringLiteral("paste-next"),
                            QStringLiteral("Paste the next entry into the program in front.")),
         QStringLiteral("PasteNext")},
        {QCommandLineOption(QStringLiteral("paste-all"),
                            QStringLiteral("Paste every queued text at once, joined with the separator."),
                            QStringLiteral("separator")),
         QStringLiteral("PasteAll")},
        {QCommandLineOption(QStringLiteral("show"), QStringLiteral("Open the popup under the tray icon.")),
         QStringLiteral("ShowPopup")},
        {QCommandLineOption(QStringLiteral("quit"), QStringLiteral("Quit Sorvu.")), QStringLiteral("Quit")},
        {QCommandLineOption(QStringLiteral("status"),
                            QStringLiteral("Print whether Sorvu collects and how many entries are queued.")),
         QStringLiteral("Status")},
    };
    for (const auto& command : commands) {
        parser.addOption(command.first);
    }
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "sorvu: %s\n", qPrintable(parser.errorText()));
        return exitBadArguments;
    }
    if (parser.isSet(help)) {
        std::printf("%s", qPrintable(parser.helpText()));
        return exitSuccess;
    }
    if (parser.isSet(version)) {
        std::printf("sorvu %s\n", qPrintable(QCoreApplication::applicationVersion()));
        return exitSuccess;
    }
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "sorvu: unexpected argument '%s'\n", qPrintable(parser.positionalArguments().first()));
        return exitBadArguments;
    }
    std::optional<sorvu::SessionBusCommand> request;
    for (const auto& [option, method] : commands) {
        if (!parser.isSet(option)) {
            continue;
        }
        if (request) {
            std::fprintf(stderr, "sorvu: one command at a time\n");
            return exitBadArguments;
        }
        request = sorvu::SessionBusCommand{method, option.valueName().isEmpty() ? QString() : parser.value(option)};
    }
    if (request) {
        return request->send(commandSessionKey());
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    if (const std::optional<int> answered = answerCommandLine(argc, argv)) {
        return *answered;
    }
    // SORVU_LOG_STDERR=1 keeps the log on standard error even where a journal runs (for debugging).
    sorvu::installSystemLogOutput(qEnvironmentVariableIsEmpty("SORVU_LOG_STDERR"));
    const auto environment = sorvu::SessionEnvironment::ofThisProcess();
    const sorvu::PlatformFactory::Choice choice = sorvu::PlatformFactory::forThisSystem().choose(environment);
    if (!choice.kind) {
        std::fprintf(stderr, "%s\n", qPrintable(choice.problem->message));
        return choice.problem->kind == sorvu::SessionProblem::Kind::unsupported ? exitUnsupportedSession
                                                                                : exitNoSession;
    }
    choice.kind->prepareQt();

    sorvu::SorvuApplication qtApplication(argc, argv);
    const auto settings = std::make_shared<QSettings>(QStringLiteral("Sorvu"), QStringLiteral("Sorvu"));
    // Taken before anything touches the stored files, which belong to the instance that holds the lock.
    const QString sessionKey = choice.kind->sessionKey(environment);
    const auto lock = sorvu::SingleInstanceLock::acquire(sessionKey);
    if (lock.outcome == sorvu::SingleInstanceLock::Outcome::heldByAnother) {
        // Started again from a menu, the user wants to see the Sorvu that runs: its popup says enough there.
        const bool shown = sorvu::SessionBusCommand{QStringLiteral("ShowPopup"), {}}.send(
                               sessionKey, nullptr, nullptr) == sorvu::SessionBusCommand::done;
        tellWhyNotStarted(settings, QT_TRANSLATE_NOOP("Sorvu", "Sorvu is already running."), !shown);
        return exitSuccess;
    }
    // Without the lock a second Sorvu could not be told apart: two would collect every copy twice.
    if (lock.outcome == sorvu::SingleInstanceLock::Outcome::unavailable) {
        tellWhyNotStarted(settings, QT_TRANSLATE_NOOP("Sorvu", "Sorvu cannot start: it needs a private runtime "
                                                               "folder (XDG_RUNTIME_DIR) to run only once per "
                                                               "display."));
        return exitNoInstanceLock;
    }

    // Only the instance that holds the lock takes over an autostart entry an earlier Sorvu wrote.
    sorvu::XdgAutostart().moveEntryOfOldName();
    for (const auto& [name, problem] : choice.passedOver) {
        qCInfo(sorvu::lcUi).noquote()
            << QStringLiteral("platform passed over name=%1 reason=%2").arg(name, problem.message);
    }
    const std::unique_ptr<sorvu::Platform> platform = choice.kind->createPlatform(environment);
    qCInfo(sorvu::lcUi).noquote() << QStringLiteral("platform chosen name=%1").arg(choice.kind->name());
    // Said once, at the start: the session works, but not as well as the user may expect.
    if (!choice.passedOver.isEmpty()) {
        // GNOME lends Sorvu a keyboard and holds or binds its shortcuts: its pastes reach every program.
        platform->showNotification(inUsersLanguage(
            settings,
            environment.isDesktop(u"GNOME")
                ? QT_TRANSLATE_NOOP("Sorvu", "GNOME does not let programs watch its Wayland clipboard, so "
                                             "Sorvu runs through XWayland: it collects copies, pastes into "
                                             "every program through GNOME's remote desktop service, and its "
                                             "shortcuts are GNOME's own, set up in Sorvu's settings.")
                : QT_TRANSLATE_NOOP("Sorvu", "This desktop does not let programs watch its Wayland clipboard, "
                                             "so Sorvu runs through XWayland: it collects copies, but its "
                                             "shortcuts and pastes reach X11 programs only.")));
    }
    sorvu::Application application(*platform, settings, sorvu::ClipboardQueue::defaultClipboardFilesDirectory());
    sorvu::quitOnTerminationSignals();
    QTimer::singleShot(0, &application, &sorvu::Application::launch);
    QObject::connect(&qtApplication, &QCoreApplication::aboutToQuit, &application, &sorvu::Application::terminate);
    return qtApplication.exec();
}
