// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Another client of the Wayland session, one way per mode. A keyboard of its own:
//   keyboard a virtual keyboard with xkbcommon's default layout (XKB_DEFAULT_LAYOUT and its kin), printing
//            "keyboard" once the compositor has it and running until it is killed;
//   chord    `chord <milliseconds> <keysym>...`: presses the keys in order on a keyboard of its own, holds them
//            that long and lets them go, as a user presses a shortcut.
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

#include "virtual-keyboard-unstable-v1-client-protocol.h"

#include <sys/mman.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

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

// Presses the keys (by keysym name) in order, holds them, and lets them go in reverse: what a user's keyboard
// does for a chord. The keyboard stays until the program ends, so that the compositor keeps its state.
int pressChord(WaylandConnection& connection, const QStringList& names, int holdMilliseconds) {
    if (connection.virtualKeyboardManager() == nullptr || connection.seat() == nullptr) {
        return 1;
    }
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    xkb_rule_names rules{};
    xkb_keymap* keymap = xkb_keymap_new_from_names(context, &rules, XKB_KEYMAP_COMPILE_NO_FLAGS);
    char* text = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
    const size_t size = std::strlen(text) + 1;
    const int file = ::memfd_create("chord-keymap", MFD_CLOEXEC);
    if (file < 0 || ::write(file, text, size) != ssize_t(size)) {
        return 1;
    }
    std::free(text);
    zwp_virtual_keyboard_v1* keyboard =
        zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(connection.virtualKeyboardManager(), connection.seat());
    zwp_virtual_keyboard_v1_keymap(keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, file, quint32(size));
    xkb_state* state = xkb_state_new(keymap);
    QList<xkb_keycode_t> codes;
    for (const QString& name : names) {
        const xkb_keysym_t symbol = xkb_keysym_from_name(name.toLatin1().constData(), XKB_KEYSYM_NO_FLAGS);
        for (xkb_keycode_t code = xkb_keymap_min_keycode(keymap); code <= xkb_keymap_max_keycode(keymap); ++code) {
            const xkb_keysym_t* symbols = nullptr;
            if (xkb_keymap_key_get_syms_by_level(keymap, code, 0, 0, &symbols) > 0 && symbols[0] == symbol) {
                codes.append(code);
                break;
            }
        }
    }
    if (codes.size() != names.size()) {
        std::fprintf(stderr, "a key of the chord is not in the keymap\n");
        return 1;
    }
    quint32 time = 1;
    const auto send = [&](xkb_keycode_t code, bool pressed) {
        zwp_virtual_keyboard_v1_key(keyboard, time++, code - 8,
                                    pressed ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
        xkb_state_update_key(state, code, pressed ? XKB_KEY_DOWN : XKB_KEY_UP);
        zwp_virtual_keyboard_v1_modifiers(keyboard, xkb_state_serialize_mods(state, XKB_STATE_MODS_DEPRESSED),
                                          xkb_state_serialize_mods(state, XKB_STATE_MODS_LATCHED),
                                          xkb_state_serialize_mods(state, XKB_STATE_MODS_LOCKED),
                                          xkb_state_serialize_layout(state, XKB_STATE_LAYOUT_EFFECTIVE));
    };
    // Given a moment to join the seat before the first key.
    connection.roundTrip(QDeadlineTimer(5000));
    for (const xkb_keycode_t code : codes) {
        send(code, true);
    }
    connection.roundTrip(QDeadlineTimer(5000));
    std::printf("pressed\n");
    std::fflush(stdout);
    ::usleep(useconds_t(holdMilliseconds) * 1000);
    for (auto code = codes.crbegin(); code != codes.crend(); ++code) {
        send(*code, false);
    }
    connection.roundTrip(QDeadlineTimer(5000));
    std::printf("released\n");
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray("hung");
    WaylandConnection connection;
    if (mode == "chord") {
        // chord <hold milliseconds> <keysym name>...
        QStringList names;
        for (int index = 3; index < argc; ++index) {
            names.append(QString::fromLatin1(argv[index]));
        }
        return pressChord(connection, names, argc > 2 ? std::atoi(argv[2]) : 100);
    }
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
