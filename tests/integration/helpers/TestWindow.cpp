// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A program with one ordinary top-level window, standing in for "another application" in the X11 tests.
// Usage: sorvu_test_window TITLE. Prints the window's X id on a line of its own once the window is shown,
// then runs until it is terminated.

#include <QGuiApplication>
#include <QPainter>
#include <QRasterWindow>

#include <cstdio>

namespace {

class PlainWindow : public QRasterWindow {
protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(QRect(QPoint(), size()), Qt::white); }
};

} // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    PlainWindow window;
    window.setTitle(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("sorvu test window"));
    window.resize(240, 120);
    window.show();
    std::printf("%llu\n", static_cast<unsigned long long>(window.winId()));
    std::fflush(stdout);
    return application.exec();
}
