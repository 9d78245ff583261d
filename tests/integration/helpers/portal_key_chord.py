#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Sorvu developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Presses a chord of keys through the RemoteDesktop portal, as a person at the keyboard would: every key given
# (evdev codes) down in order, then up in the reverse order. Exits 0 once the keys are sent, 1 when the portal
# would not lend a keyboard.
import sys

import dbus
import dbus.mainloop.glib
from gi.repository import GLib

dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
remote = dbus.Interface(bus.get_object("org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop"),
                        "org.freedesktop.portal.RemoteDesktop")
sender = bus.get_unique_name()[1:].replace(".", "_")
codes = [int(code) for code in sys.argv[1:]]
loop = GLib.MainLoop()
outcome = {"code": 1}


def then(token, step):
    """Calls `step` with the results of the request named by the token, when it answers yes."""
    def answered(response, results):
        if response == 0:
            step(results)
        else:
            loop.quit()
    bus.add_signal_receiver(answered, "Response", "org.freedesktop.portal.Request", None,
                            "/org/freedesktop/portal/desktop/request/%s/%s" % (sender, token))


def press(session):
    for code, state in [(code, 1) for code in codes] + [(code, 0) for code in reversed(codes)]:
        remote.NotifyKeyboardKeycode(session, {}, code, dbus.UInt32(state))
    outcome["code"] = 0
    loop.quit()


def created(results):
    session = results["session_handle"]
    then("select", lambda _: (then("start", lambda _: press(session)),
                              remote.Start(session, "", {"handle_token": "start"})))
    remote.SelectDevices(session, {"handle_token": "select", "types": dbus.UInt32(1)})


then("create", created)
remote.CreateSession({"handle_token": "create", "session_handle_token": "chord"})
GLib.timeout_add(10000, loop.quit)
loop.run()
sys.exit(outcome["code"])
