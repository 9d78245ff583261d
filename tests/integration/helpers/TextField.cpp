// A real text field for the end-to-end tests: one line edit that takes pastes with Ctrl+V the usual way.
// Usage: sorvu_test_text_field TITLE. Prints "window <id>" once shown, then "text <percent-encoded text>"
// after every change, so the test can follow what was pasted.

#include <QApplication>
#include <QLineEdit>
#include <QUrl>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QLineEdit field;
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
