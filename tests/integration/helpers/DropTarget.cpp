// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A drop target for the end-to-end tests, as a file manager's folder or an image editor's canvas is one: it takes
// files dropped as text/uri-list and PNG images, and nothing else. Usage: sorvu_test_drop_target TITLE. Prints
// "window <id>" once shown, then for every drop of files "drop <action> <percent-encoded text/uri-list>" and
// "gnome <percent-encoded x-special/gnome-copied-files>" when that type came along, and for an image
// "image <width>x<height>".

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <cstdio>

namespace {

const QString uriListType = QStringLiteral("text/uri-list");
const QString gnomeFilesType = QStringLiteral("x-special/gnome-copied-files");
const QString pngType = QStringLiteral("image/png");

bool isWanted(const QMimeData* data) {
    return data->hasFormat(uriListType) || data->hasFormat(pngType);
}

class FileDropTarget : public QWidget {
public:
    FileDropTarget() { setAcceptDrops(true); }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override {
        if (isWanted(event->mimeData())) {
            event->acceptProposedAction();
        }
    }
    void dragMoveEvent(QDragMoveEvent* event) override {
        if (isWanted(event->mimeData())) {
            event->acceptProposedAction();
        }
    }
    void dropEvent(QDropEvent* event) override {
        const QMimeData* data = event->mimeData();
        if (!isWanted(data)) {
            return;
        }
        event->acceptProposedAction();
        if (data->hasFormat(uriListType)) {
            std::printf("drop %d %s\n", int(event->dropAction()),
                        QUrl::toPercentEncoding(data->data(uriListType)).constData());
            if (data->hasFormat(gnomeFilesType)) {
                std::printf("gnome %s\n", QUrl::toPercentEncoding(data->data(gnomeFilesType)).constData());
            }
        } else {
            const QImage image = QImage::fromData(data->data(pngType), "PNG");
            std::printf("image %dx%d\n", image.width(), image.height());
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
