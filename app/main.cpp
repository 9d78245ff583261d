#include "app/Application.h"
#include "app/SorvuApplication.h"
#include "engine/ClipboardQueue.h"
#include "platform/linux/DesktopNotification.h"
#include "platform/linux/SingleInstanceLock.h"
#include "platform/linux/SystemLogOutput.h"
#include "platform/x11/X11Platform.h"
#include "preferences/LanguagePreferenceStore.h"
#include "preferences/Localization.h"
#include "preferences/SettingsLanguagePreferenceStorage.h"

#include <QTimer>

#include <cstdio>

namespace {

// Said on the desktop as well, since a second start from a menu has no terminal to print to.
void tellAlreadyRunning(const std::shared_ptr<QSettings>& settings) {
    const sorvu::LanguagePreferenceStore language(std::make_shared<sorvu::SettingsLanguagePreferenceStorage>(settings));
    const auto& code = language.preferredLanguageCode();
    const QString text = sorvu::localizedString(QT_TRANSLATE_NOOP("Sorvu", "Sorvu is already running."),
                                                sorvu::catalogForLanguage(code), sorvu::localeForLanguage(code));
    std::fprintf(stderr, "%s\n", qPrintable(text));
    sorvu::showDesktopNotification(QStringLiteral("Sorvu"), text, sorvu::NotificationDelivery::beforeReturning);
}

} // namespace

int main(int argc, char** argv) {
    // SORVU_LOG_STDERR=1 keeps the log on standard error even where a journal runs (for debugging).
    sorvu::installSystemLogOutput(qEnvironmentVariableIsEmpty("SORVU_LOG_STDERR"));
    if (const auto problem = sorvu::X11Platform::sessionProblem()) {
        std::fprintf(stderr, "%s\n", qPrintable(*problem));
        return 1;
    }
    sorvu::X11Platform::useX11ForQt();

    sorvu::SorvuApplication qtApplication(argc, argv);
    const auto settings = std::make_shared<QSettings>(QStringLiteral("Sorvu"), QStringLiteral("Sorvu"));
    // Taken before anything touches the stored files, which belong to the instance that holds the lock.
    const auto lock = sorvu::SingleInstanceLock::acquire(QString::fromLocal8Bit(qgetenv("DISPLAY")));
    if (!lock) {
        tellAlreadyRunning(settings);
        return 0;
    }

    sorvu::X11Platform platform;
    sorvu::Application application(platform, settings, sorvu::ClipboardQueue::defaultClipboardFilesDirectory());
    QTimer::singleShot(0, &application, &sorvu::Application::launch);
    QObject::connect(&qtApplication, &QCoreApplication::aboutToQuit, &application, &sorvu::Application::terminate);
    return qtApplication.exec();
}
