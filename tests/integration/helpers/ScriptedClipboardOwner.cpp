// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A clipboard owner that misbehaves on purpose, one way per mode, offering UTF8_STRING:
//   hung          ignores every request, the way a hung program does;
//   secret [HINT] offers "hunter2" marked the way password managers mark what they copy: the hint's value is
//                 "secret", or the bytes HINT gives in hexadecimal, or with HINT "refuse" no value at all;
//   slow-incr     answers incrementally, 16 bytes every 300 ms, 100 pieces in all (30 s);
//   huge-incr     announces an incremental transfer of 1 GiB, then sends nothing unless asked;
//   reclaim       owns "AAA", and on the first request for the text takes the clipboard again (a new copy,
//                 as far as anyone can tell) before it answers "BBB";
//   keeper TEXT   stands in for a desktop keeping a copy whose program quit: names a window of its own as the
//                 window manager's (_NET_SUPPORTING_WM_CHECK), then owns TEXT from another of its windows in the one
//                 MIME type text/plain;charset=utf-8, beside UTF8_STRING.
// Prints "owner" once it owns the selection; runs until it is killed.

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

Display* display = nullptr;
Window window = 0;
Atom clipboard = 0;
Atom targets = 0;
Atom utf8 = 0;
Atom incr = 0;
Atom secretHint = 0;
Atom utf8Text = 0;
std::string hintValue = "secret";
std::string keptText;
bool refuseHint = false;

void answer(const XSelectionRequestEvent& request, Atom property) {
    XEvent notify{};
    notify.xselection.type = SelectionNotify;
    notify.xselection.requestor = request.requestor;
    notify.xselection.selection = request.selection;
    notify.xselection.target = request.target;
    notify.xselection.property = property;
    notify.xselection.time = request.time;
    XSendEvent(display, request.requestor, False, NoEventMask, &notify);
    XFlush(display);
}

// Waits until the requestor deletes the property: its way of asking for the next piece.
void awaitDeletion(Window requestor, Atom property) {
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == PropertyNotify && event.xproperty.window == requestor && event.xproperty.atom == property &&
            event.xproperty.state == PropertyDelete) {
            return;
        }
    }
}

void sendIncrementally(const XSelectionRequestEvent& request, unsigned long announced, int pieces) {
    XSelectInput(display, request.requestor, PropertyChangeMask);
    const long size = long(announced);
    XChangeProperty(display, request.requestor, request.property, incr, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&size), 1);
    answer(request, request.property);
    for (int piece = 0; piece <= pieces; ++piece) {
        awaitDeletion(request.requestor, request.property);
        if (piece > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        }
        const char* bytes = piece < pieces ? "0123456789abcdef" : "";
        XChangeProperty(display, request.requestor, request.property, utf8, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(bytes), int(std::strlen(bytes)));
        XFlush(display);
    }
}

void sendBytes(const XSelectionRequestEvent& request, const std::string& bytes) {
    XChangeProperty(display, request.requestor, request.property, utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(bytes.data()), int(bytes.size()));
    answer(request, request.property);
}

void sendText(const XSelectionRequestEvent& request, const char* text) {
    sendBytes(request, text);
}

std::string fromHex(const std::string& hex) {
    std::string bytes;
    for (std::size_t index = 0; index + 1 < hex.size(); index += 2) {
        bytes += char(std::strtol(hex.substr(index, 2).c_str(), nullptr, 16));
    }
    return bytes;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "secret" && argc > 2) {
        refuseHint = std::string(argv[2]) == "refuse";
        hintValue = fromHex(argv[2]);
    }
    if (mode == "keeper" && argc > 2) {
        keptText = argv[2];
    }
    display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    clipboard = XInternAtom(display, "CLIPBOARD", False);
    targets = XInternAtom(display, "TARGETS", False);
    utf8 = XInternAtom(display, "UTF8_STRING", False);
    incr = XInternAtom(display, "INCR", False);
    secretHint = XInternAtom(display, "x-kde-passwordManagerHint", False);
    utf8Text = XInternAtom(display, "text/plain;charset=utf-8", False);
    if (mode == "keeper") {
        const Window check = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
        XChangeProperty(display, DefaultRootWindow(display), XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False),
                        XA_WINDOW, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(&check), 1);
    }
    XSetSelectionOwner(display, clipboard, window, CurrentTime);
    if (XGetSelectionOwner(display, clipboard) != window) {
        std::fprintf(stderr, "could not take the clipboard\n");
        return 1;
    }
    std::printf("owner\n");
    std::fflush(stdout);

    bool reclaimed = false;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != SelectionRequest || mode == "hung") {
            continue;
        }
        const XSelectionRequestEvent& request = event.xselectionrequest;
        if (mode == "keeper") {
            if (request.target == targets) {
                const Atom offered[] = {utf8Text, utf8, targets};
                XChangeProperty(display, request.requestor, request.property, XA_ATOM, 32, PropModeReplace,
                                reinterpret_cast<const unsigned char*>(offered), 3);
                answer(request, request.property);
            } else if (request.target == utf8 || request.target == utf8Text) {
                sendBytes(request, keptText);
            } else {
                answer(request, None);
            }
        } else if (request.target == targets) {
            const Atom offered[] = {targets, utf8, secretHint};
            XChangeProperty(display, request.requestor, request.property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(offered), mode == "secret" ? 3 : 2);
            answer(request, request.property);
        } else if (mode == "secret" && request.target == secretHint) {
            if (refuseHint) {
                answer(request, None);
            } else {
                sendBytes(request, hintValue);
            }
        } else if (request.target != utf8) {
            answer(request, None);
        } else if (mode == "slow-incr") {
            sendIncrementally(request, 1600, 100);
        } else if (mode == "huge-incr") {
            sendIncrementally(request, 1ul << 30, 0);
        } else if (mode == "secret") {
            sendText(request, "hunter2");
        } else if (mode == "reclaim" && !reclaimed) {
            reclaimed = true;
            XSetSelectionOwner(display, clipboard, window, CurrentTime);
            XSync(display, False);
            sendText(request, "BBB");
        } else {
            sendText(request, reclaimed ? "BBB" : "AAA");
        }
    }
}
