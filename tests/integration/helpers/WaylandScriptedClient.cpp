// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Another client of the Wayland session, one way per mode. A keyboard of its own:
//   keyboard a virtual keyboard with xkbcommon's default layout (XKB_DEFAULT_LAYOUT and its kin), printing
//            "keyboard" once the compositor has it and running until it is killed.
// Or a clipboard owner that misbehaves on purpose, offering "hunter2" as text:
//   hung     takes every request and never writes, keeping the pipe open, the way a hung program does;
//   slow     writes 16 bytes every 300 ms, 100 pieces in all (30 s);
//   secret   offers the text marked the way password managers mark what they copy;
//   dies     writes half of the text, then exits;
//   series   copies "copy 0" to "copy 19" as plain text, one every 20 ms, answering each until it is replaced.
// Copies through the data-control protocol on $WAYLAND_DISPLAY, prints "owner" once the compositor has taken
// the copy and "sent <type>" for every request, and runs until it is killed or its copy is replaced.

#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandDataControl.h"
#include "platform/wayland/WaylandPasteKeystroke.h"

#include <QCoreApplication>
#include <QTimer>

#include <unistd.h>

#include <cstdio>
#include <memory>
#include <vector>

using namespace sorvu;

namespace {

int copySeries(QCoreApplication& application, WaylandDataControl& control, WaylandConnection& connection) {
    constexpr int copies = 20;
    std::vector<std::unique_ptr<WaylandDataSource>> sources;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const QByteArray text = "copy " + QByteArray::number(qsizetype(sources.size()));
        sources.push_back(control.setSelection({"text/plain;charset=utf-8", "text/plain"}));
        sources.back()->setHandlers(
            [text](const QByteArray&, UniqueDescriptor pipe) {
                if (::write(pipe.get(), text.constData(), size_t(text.size())) < 0) {
                    std::perror("write");
                }
            },
            {});
        if (sources.size() == 1 && connection.roundTrip(QDeadlineTimer(5000))) {
            std::printf("owner\n");
            std::fflush(stdout);
        }
        if (sources.size() == copies) {
            timer.stop();
        }
    });
    timer.start(20);
    return application.exec();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray("hung");
    WaylandConnection connection;
    if (mode == "keyboard") {
        const WaylandPasteKeystroke keyboard(connection);
        if (!connection.roundTrip(QDeadlineTimer(5000))) {
            return 1;
        }
        std::printf("keyboard\n");
        std::fflush(stdout);
        return application.exec();
    }
    WaylandDataControl* control = connection.dataControl();
    if (control == nullptr) {
        std::fprintf(stderr, "no data control: %s\n", qPrintable(connection.describe()));
        return 1;
    }
    QList<QByteArray> types = {"text/plain;charset=utf-8", "text/plain"};
    if (mode == "secret") {
        types.prepend("x-kde-passwordManagerHint");
    }
    const QByteArray text = "hunter2";
    if (mode == "series") {
        return copySeries(application, *control, connection);
    }
    std::vector<UniqueDescriptor> heldOpen;
    std::unique_ptr<WaylandDataSource> source = control->setSelection(types);
    source->setHandlers(
        [&](const QByteArray& type, UniqueDescriptor pipe) {
            std::printf("sent %s\n", type.constData());
            std::fflush(stdout);
            if (mode == "hung") {
                heldOpen.push_back(std::move(pipe));
            } else if (mode == "dies") {
                if (::write(pipe.get(), text.constData(), size_t(text.size() / 2)) >= 0) {
                    std::_Exit(0);
                }
                std::_Exit(1);
            } else if (mode == "slow") {
                auto* timer = new QTimer(&application);
                auto shared = std::make_shared<UniqueDescriptor>(std::move(pipe));
                auto pieces = std::make_shared<int>(0);
                QObject::connect(timer, &QTimer::timeout, [timer, shared, pieces] {
                    const QByteArray piece(16, 'x');
                    if (++*pieces > 100 || ::write(shared->get(), piece.constData(), size_t(piece.size())) < 0) {
                        shared->reset();
                        timer->deleteLater();
                    }
                });
                timer->start(300);
            } else {
                const QByteArray answer = type == "x-kde-passwordManagerHint" ? QByteArray("secret") : text;
                if (::write(pipe.get(), answer.constData(), size_t(answer.size())) < 0) {
                    std::perror("write");
                }
            }
        },
        [] { QCoreApplication::quit(); });
    if (!connection.roundTrip(QDeadlineTimer(5000))) {
        return 1;
    }
    std::printf("owner\n");
    std::fflush(stdout);
    return application.exec();
}
