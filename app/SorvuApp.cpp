#include "app/SorvuApp.h"

#include <QTimer>

namespace sorvu {

SorvuApp::SorvuApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Sorvu"));
    setOrganizationName(QStringLiteral("Sorvu"));
    setApplicationVersion(QStringLiteral(SORVU_VERSION));
    setDesktopFileName(QStringLiteral("sorvu"));
    setQuitOnLastWindowClosed(false);
    // Launching has finished once the event loop turns.
    QTimer::singleShot(0, &m_delegate, &AppDelegate::applicationDidFinishLaunching);
    connect(this, &QCoreApplication::aboutToQuit, &m_delegate, &AppDelegate::applicationWillTerminate);
}

} // namespace sorvu
