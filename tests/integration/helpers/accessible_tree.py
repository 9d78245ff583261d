#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Sorvu developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints what a screen reader sees of one program over AT-SPI: a line per element, depth first, with its depth,
# role, name, place on the screen, whether it is showing, whether it has the keyboard focus, and its
# description, separated by tabs.
import sys

import pyatspi


def extents(node):
    try:
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return box.x, box.y, box.width, box.height
    except NotImplementedError:
        return -1, -1, 0, 0


def walk(node, depth):
    x, y, width, height = extents(node)
    state = node.getState()
    showing = state.contains(pyatspi.STATE_SHOWING)
    focused = state.contains(pyatspi.STATE_FOCUSED)
    name = node.name.replace("\t", " ").replace("\n", " ")
    description = (node.description or "").replace("\t", " ").replace("\n", " ")
    print(f"{depth}\t{node.getRoleName()}\t{name}\t{x}\t{y}\t{width}\t{height}\t{int(showing)}\t{int(focused)}"
          f"\t{description}")
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            walk(child, depth + 1)


for application in pyatspi.Registry.getDesktop(0):
    if application is not None and application.name == sys.argv[1]:
        walk(application, 0)
