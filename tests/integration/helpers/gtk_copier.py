#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Sorvu developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A GTK 3 program that copies, as a person copying one thing after another would: once its window has the keyboard
# focus (a Wayland compositor takes a copy only from the focused window), it puts each argument on the clipboard in
# turn, from half a second after, half a second apart, and prints "copied N" after the Nth. An argument "--image"
# copies a 40 x 30 picture in one colour, any other is copied as text. Then it stays, the clipboard's owner, until it
# is ended.
import sys

import gi

gi.require_version("Gdk", "3.0")
gi.require_version("Gtk", "3.0")
from gi.repository import Gdk, GdkPixbuf, GLib, Gtk  # noqa: E402

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
    if text == "--image":
        picture = GdkPixbuf.Pixbuf.new(GdkPixbuf.Colorspace.RGB, False, 8, 40, 30)
        picture.fill(0x3366CCFF)
        clipboard.set_image(picture)
    else:
        clipboard.set_text(text, -1)
    copied.append(text)
    print("copied %d" % len(copied), flush=True)
    return len(copied) < len(texts)


started = []


def focused(*_):
    # The window may get the focus more than once; the copies start once, when the focus has settled.
    if not started:
        started.append(True)
        GLib.timeout_add(500, lambda: copy_next() and GLib.timeout_add(500, copy_next) and False)
    return False


window.connect("focus-in-event", focused)
window.connect("destroy", Gtk.main_quit)
window.show_all()
Gtk.main()
