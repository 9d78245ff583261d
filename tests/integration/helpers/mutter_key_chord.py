#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Sorvu developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Presses a chord of keys through mutter's own remote-desktop service, as a person at the keyboard would: every
# key given (evdev codes) down in order, then up in the reverse order. A headless mutter may lose the first key of
# a session, so a key that types nothing goes first. Exits 0 once the keys are sent.
import sys
import time

import dbus

bus = dbus.SessionBus()
service = "org.gnome.Mutter.RemoteDesktop"
remote = dbus.Interface(bus.get_object(service, "/org/gnome/Mutter/RemoteDesktop"), service)
session = dbus.Interface(bus.get_object(service, remote.CreateSession()), service + ".Session")
session.Start()
# KEY_UNKNOWN, then a moment for the keyboard to settle.
for state in (True, False):
    session.NotifyKeyboardKeycode(dbus.UInt32(240), state)
time.sleep(0.2)
codes = [int(code) for code in sys.argv[1:]]
for code, state in [(code, True) for code in codes] + [(code, False) for code in reversed(codes)]:
    session.NotifyKeyboardKeycode(dbus.UInt32(code), state)
time.sleep(0.1)
session.Stop()
