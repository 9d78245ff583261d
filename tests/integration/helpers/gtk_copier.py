#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Sorvu developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A GTK 3 program that copies, as a person copying in one program after another would: once its window has the
# keyboard focus (a Wayland compositor takes a copy only from the focused window), it puts each text given as an
# argument on the clipboard in turn, 300 ms apart, and prints "copied N" after the Nth. Then it stays, the
# clipboard's owner, until it is ended.
import sys

import gi

gi.require_version("Gdk", "3.0")
gi.require_version("Gtk", "3.0")
from gi.repository import Gdk, GLib, Gtk  # noqa: E402

texts = sys.argv[1:]
GLib.set_prgname("sorvu-gtk-copier")
window = Gtk.Window(title="Sorvu test copier")
window.set_default_size(200, 100)
clipboard = Gtk.Clipboard.get(Gdk.SELECTION_CLIPBOARD)
copied = []


def copy_next():
    if len(copied) >= len(texts):
        return False
    text = texts[len(copied)]
    clipboard.set_text(text, -1)
    copied.append(text)
    print("copied %d" % len(copied), flush=True)
    return len(copied) < len(texts)


def focused(*_):
    if not copied:
        GLib.idle_add(copy_next)
        GLib.timeout_add(300, copy_next)
    return False


window.connect("focus-in-event", focused)
window.connect("destroy", Gtk.main_quit)
window.show_all()
Gtk.main()
