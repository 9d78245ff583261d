#pragma once

#include "app/AppDelegate.h"

#include <QApplication>

namespace sorvu {

// The application object: no window of its own, and closing a window never ends it.
class SorvuApp : public QApplication {
    Q_OBJECT

public:
    SorvuApp(int& argc, char** argv);

    AppDelegate& delegate() { return m_delegate; }

private:
    AppDelegate m_delegate;
};

} // namespace sorvu
