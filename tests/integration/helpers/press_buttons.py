#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Sorvu developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Presses buttons of one program by their accessible names, in order, as a screen reader's user does (AT-SPI's
# action of the button): each is looked for until it shows, at most 10 seconds. Exits 0 once every button was
# pressed, 1 when one never showed (its name on standard error).
import sys
import time

import pyatspi


def find(node, name):
    if node is None:
        return None
    if (node.getRoleName() == "push button" and node.name == name
            and node.getState().contains(pyatspi.STATE_SHOWING)):
        return node
    for index in range(node.childCount):
        found = find(node.getChildAtIndex(index), name)
        if found is not None:
            return found
    return None


def button_of(program, name):
    for application in pyatspi.Registry.getDesktop(0):
        if application is not None and application.name == program:
            found = find(application, name)
            if found is not None:
                return found
    return None


program = sys.argv[1]
for name in sys.argv[2:]:
    deadline = time.monotonic() + 10
    button = button_of(program, name)
    while button is None and time.monotonic() < deadline:
        time.sleep(0.1)
        button = button_of(program, name)
    if button is None:
        print("no button named %r" % name, file=sys.stderr)
        sys.exit(1)
    button.queryAction().doAction(0)
