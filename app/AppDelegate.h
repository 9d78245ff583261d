#pragma once

#include "app/PasteRequest.h"
#include "app/ReduceMotionSetting.h"

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QTimer>

#include <memory>
#include <optional>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace sorvu {

class AppUpdateController;
class DesktopWorkspace;
class PasteRequestCoordinator;
class PasteRequestGate;
class StatusItem;
class X11Workspace;

// Brings the program up once the event loop runs: the shortcuts, the login-item state, the tray icon and
// its subscriptions, and the road every paste takes.
class AppDelegate : public QObject {
    Q_OBJECT

public:
    explicit AppDelegate(QObject* parent = nullptr);
    ~AppDelegate() override;

    void applicationDidFinishLaunching();
    void applicationWillTerminate();

private:
    void buildStatusItemWhenTrayExists();
    void buildStatusItem();
    void updateStatusItem();
    void matchPanelColor();
    void retranslateTrayMenu();
    void requestPaste(const PasteRequestKind& kind, PasteRequestSource source, PasteCompletion completion = {});
    void dispatchPaste(const PasteRequestKind& kind, PasteRequestSource source, PasteCompletion completion);

    std::unique_ptr<QSystemTrayIcon> m_trayIcon;
    std::unique_ptr<StatusItem> m_statusItem;
    std::unique_ptr<QMenu> m_trayMenu;
    QAction* m_toggleAction = nullptr;
    QAction* m_quitAction = nullptr;
    QList<QMetaObject::Connection> m_queueSubscription;
    QMetaObject::Connection m_flashSubscription;
    std::unique_ptr<AppUpdateController> m_updateController;

    std::unique_ptr<X11Workspace> m_x11Workspace;
    std::unique_ptr<DesktopWorkspace> m_workspace;
    std::unique_ptr<PasteRequestCoordinator> m_coordinator;
    std::unique_ptr<PasteRequestGate> m_pasteGate;
    // The clipboard change of the last paste, until a target has fetched it.
    std::optional<qint64> m_unfetchedPasteChange;

    ReduceMotionSetting m_reduceMotion;
    QTimer m_trayWait;
};

} // namespace sorvu
