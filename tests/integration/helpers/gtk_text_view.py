#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Sorvu developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A GTK 3 text view in a window of its own, to paste into: prints "shown" once its window is on the screen,
# "focused" whenever its window gets the keyboard focus and "focus lost" whenever it loses it, and "text
# <percent-encoded text>" whenever its text changes. Its app_id is the first argument (default "sorvu-gtk-field").
import sys
import urllib.parse

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import GLib, Gtk  # noqa: E402

GLib.set_prgname(sys.argv[1] if len(sys.argv) > 1 else "sorvu-gtk-field")
window = Gtk.Window(title="Sorvu test field")
window.set_default_size(400, 300)
view = Gtk.TextView()
window.add(view)
buffer = view.get_buffer()


def report_text(changed):
    start, end = changed.get_bounds()
    print("text " + urllib.parse.quote(changed.get_text(start, end, True), safe=""), flush=True)


def report_shown(*_):
    print("shown", flush=True)
    return False


def report_focus(*_):
    print("focused", flush=True)
    return False


def report_focus_lost(*_):
    print("focus lost", flush=True)
    return False


buffer.connect("changed", report_text)
window.connect("map-event", report_shown)
window.connect("focus-in-event", report_focus)
window.connect("focus-out-event", report_focus_lost)
window.connect("destroy", Gtk.main_quit)
window.show_all()
view.grab_focus()
Gtk.main()
