#include "app/SharedObjects.h"
#include "app/SingleInstanceLock.h"
#include "app/SorvuApp.h"
#include "engine/Log.h"
#include "platform/x11/SystemLogOutput.h"
#include "platform/x11/X11DisplayCheck.h"
#include "preferences/LanguagePreferenceStore.h"
#include "preferences/Localization.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include <cstdio>

namespace {

// Shown on the desktop, since a second start from a menu has no terminal to print to.
void tellAlreadyRunning() {
    const auto& code = sorvu::sharedLanguagePreferenceStore().preferredLanguageCode();
    const QString text = sorvu::localizedString(QStringLiteral("Sorvu is already running."),
                                                sorvu::bundleForLanguage(code), sorvu::localeForLanguage(code));
    std::fprintf(stderr, "%s\n", qPrintable(text));
    QDBusMessage notify = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    notify << QStringLiteral("Sorvu") << 0u << QStringLiteral("edit-paste") << QStringLiteral("Sorvu") << text
           << QStringList() << QVariantMap() << 5000;
    constexpr int replyTimeoutMilliseconds = 500;
    QDBusConnection::sessionBus().call(notify, QDBus::Block, replyTimeoutMilliseconds);
}

} // namespace

int main(int argc, char** argv) {
    // SORVU_LOG_STDERR=1 keeps the log on standard error even where a journal runs (for debugging).
    sorvu::installSystemLogOutput(qEnvironmentVariableIsEmpty("SORVU_LOG_STDERR"));
    if (const auto problem = sorvu::x11SessionProblem()) {
        std::fprintf(stderr, "%s\n", qPrintable(*problem));
        return 1;
    }
    // Everything Sorvu watches and posts goes through X11, so Qt must use it too, even under XWayland.
    qputenv("QT_QPA_PLATFORM", "xcb");

    sorvu::SorvuApp application(argc, argv);
    const auto lock = sorvu::SingleInstanceLock::acquire(QString::fromLocal8Bit(qgetenv("DISPLAY")));
    if (!lock) {
        tellAlreadyRunning();
        return 0;
    }
    return application.exec();
}
