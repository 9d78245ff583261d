#include "platform/x11/X11DisplayName.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <X11/Xlib.h>

namespace sorvu {

QByteArray x11DisplayName() {
    if (auto* application = qGuiApp; application != nullptr) {
        if (auto* x11 = application->nativeInterface<QNativeInterface::QX11Application>(); x11 != nullptr) {
            if (Display* display = x11->display(); display != nullptr) {
                return QByteArray(DisplayString(display));
            }
        }
    }
    return qgetenv("DISPLAY");
}

} // namespace sorvu
