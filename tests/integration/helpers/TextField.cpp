// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A real text field for the end-to-end tests: one line edit that takes pastes with Ctrl+V the usual way.
// Usage: sorvu_test_text_field TITLE. Prints "window <id>" once shown, then "text <percent-encoded text>"
// after every change, and "key <X11 keycode> <Qt modifiers in hex>" for every key press the field receives,
// so the test can follow what was pasted and which keys reached the program in front.

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QUrl>

#include <cstdio>

namespace {

class RecordingField : public QLineEdit {
protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<const QKeyEvent*>(event);
            std::printf("key %u %x\n", key->nativeScanCode(), key->modifiers().toInt());
            std::fflush(stdout);
        }
        return QLineEdit::event(event);
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    RecordingField field;
    field.setWindowTitle(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("sorvu text field"));
    field.resize(480, 40);
    QObject::connect(&field, &QLineEdit::textChanged, [](const QString& text) {
        std::printf("text %s\n", QUrl::toPercentEncoding(text).constData());
        std::fflush(stdout);
    });
    field.show();
    std::printf("window %llu\n", static_cast<unsigned long long>(field.winId()));
    std::fflush(stdout);
    return application.exec();
}
