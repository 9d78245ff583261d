// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A drop target for the end-to-end tests, as a file manager's folder window is one: it takes files dropped as
// text/uri-list and nothing else. Usage: sorvu_test_drop_target TITLE. Prints "window <id>" once shown, then for
// every drop "drop <action> <percent-encoded text/uri-list>" and "gnome <percent-encoded
// x-special/gnome-copied-files>" when that type came along.

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <cstdio>

namespace {

const QString uriListType = QStringLiteral("text/uri-list");
const QString gnomeFilesType = QStringLiteral("x-special/gnome-copied-files");

class FileDropTarget : public QWidget {
public:
    FileDropTarget() { setAcceptDrops(true); }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override {
        if (event->mimeData()->hasFormat(uriListType)) {
            event->acceptProposedAction();
        }
    }
    void dragMoveEvent(QDragMoveEvent* event) override {
        if (event->mimeData()->hasFormat(uriListType)) {
            event->acceptProposedAction();
        }
    }
    void dropEvent(QDropEvent* event) override {
        const QMimeData* data = event->mimeData();
        if (!data->hasFormat(uriListType)) {
            return;
        }
        event->acceptProposedAction();
        std::printf("drop %d %s\n", int(event->dropAction()),
                    QUrl::toPercentEncoding(data->data(uriListType)).constData());
        if (data->hasFormat(gnomeFilesType)) {
            std::printf("gnome %s\n", QUrl::toPercentEncoding(data->data(gnomeFilesType)).constData());
        }
        std::fflush(stdout);
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    FileDropTarget target;
    target.setWindowTitle(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("sorvu drop target"));
    target.resize(320, 240);
    target.show();
    std::printf("window %llu\n", static_cast<unsigned long long>(target.winId()));
    std::fflush(stdout);
    return application.exec();
}
