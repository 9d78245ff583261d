#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Sorvu developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A desktop portal as the tests script it, on the session bus: the RemoteDesktop and GlobalShortcuts interfaces
# of org.freedesktop.portal.Desktop, answering as the desktop named by the options would. Every call it gets is
# printed as one line "call <Interface>.<Method> key=value ...", every signal it sends as "signal <Name> ...".
# It is steered over org.sorvu.test.ScriptedPortal (/control): Answer(u) answers a Start that waits for the
# user, Activate(s) fires a shortcut, ChangeTrigger(s, s) rebinds one, CloseSessions() ends every session.
#
# Options:
#   --remote-desktop-version N   0 leaves RemoteDesktop out
#   --start grant|refuse|wait    what the user answers to Start (wait: until Answer is called)
#   --global-shortcuts bind|session|none   where the shortcuts are taken: BindShortcuts (current portals),
#                                CreateSession's option (KDE Plasma 5.27), or no such interface
#   --shortcuts-answer grant|refuse   what BindShortcuts answers
import argparse
import itertools

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

PORTAL = "org.freedesktop.portal.Desktop"
PATH = "/org/freedesktop/portal/desktop"
REMOTE = "org.freedesktop.portal.RemoteDesktop"
SHORTCUTS = "org.freedesktop.portal.GlobalShortcuts"
REQUEST = "org.freedesktop.portal.Request"
SESSION = "org.freedesktop.portal.Session"
PROPERTIES = "org.freedesktop.DBus.Properties"

parser = argparse.ArgumentParser()
parser.add_argument("--remote-desktop-version", type=int, default=1)
parser.add_argument("--start", default="grant")
parser.add_argument("--global-shortcuts", default="bind")
parser.add_argument("--shortcuts-answer", default="grant")
options = parser.parse_args()

dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
tokens = itertools.count(1)


def say(line):
    print(line, flush=True)


def plain(value):
    """A D-Bus value as a short text for the call lines."""
    if isinstance(value, dbus.Array):
        return "[" + ",".join(plain(item) for item in value) + "]"
    if isinstance(value, dbus.Struct):
        return "(" + ",".join(plain(item) for item in value) + ")"
    if isinstance(value, dbus.Dictionary):
        return "{" + ",".join("%s:%s" % (key, plain(value[key])) for key in sorted(value)) + "}"
    return str(value)


def options_text(opts):
    return " ".join("%s=%s" % (key, plain(opts[key])) for key in sorted(opts) if key != "handle_token")


class Request(dbus.service.Object):
    """A request object that answers once, at once or when told."""

    def __init__(self, sender, opts):
        token = opts.get("handle_token", "t%d" % next(tokens))
        self.path = "%s/request/%s/%s" % (PATH, sender[1:].replace(".", "_"), token)
        super().__init__(bus, self.path)

    def answer(self, code, results):
        GLib.idle_add(self._send, code, results)

    def _send(self, code, results):
        self.Response(dbus.UInt32(code), dbus.Dictionary(results, signature="sv"))
        self.remove_from_connection()
        return False

    @dbus.service.method(REQUEST)
    def Close(self):
        self.remove_from_connection()

    @dbus.service.signal(REQUEST, signature="ua{sv}")
    def Response(self, code, results):
        pass


class Session(dbus.service.Object):
    def __init__(self, portal, sender, opts):
        token = opts.get("session_handle_token", "s%d" % next(tokens))
        self.path = "%s/session/%s/%s" % (PATH, sender[1:].replace(".", "_"), token)
        self.portal = portal
        self.started = False
        self.shortcuts = []
        super().__init__(bus, self.path)

    @dbus.service.method(SESSION)
    def Close(self):
        say("call Session.Close")
        self.portal.sessions.pop(self.path, None)
        self.remove_from_connection()

    @dbus.service.signal(SESSION, signature="a{sv}")
    def Closed(self, details):
        pass

    def end(self):
        say("signal Closed")
        self.Closed(dbus.Dictionary({}, signature="sv"))
        self.portal.sessions.pop(self.path, None)
        self.remove_from_connection()


TRIGGERS = {"CTRL+LOGO+c": "Ctrl+Super+C", "CTRL+LOGO+v": "Ctrl+Super+V"}


def described(shortcuts):
    return dbus.Array(
        [
            dbus.Struct(
                (
                    identifier,
                    dbus.Dictionary(
                        {
                            "description": properties.get("description", ""),
                            "trigger_description": TRIGGERS.get(properties.get("preferred_trigger", ""), ""),
                        },
                        signature="sv",
                    ),
                )
            )
            for identifier, properties in shortcuts
        ],
        signature="(sa{sv})",
    )


class ShortcutsPortal(dbus.service.Object):
    """The GlobalShortcuts interface. Its CreateSession shares a name with RemoteDesktop's: dbus-python finds the
    method of a call's interface along the classes, so each interface's lives in a class of its own."""


    @dbus.service.method(SHORTCUTS, in_signature="a{sv}", out_signature="o", sender_keyword="sender")
    def CreateSession(self, opts, sender=None):
        return self.create(SHORTCUTS, opts, sender)

    @dbus.service.method(SHORTCUTS, in_signature="oa(sa{sv})sa{sv}", out_signature="o", sender_keyword="sender")
    def BindShortcuts(self, session, shortcuts, parent, opts, sender=None):
        say("call GlobalShortcuts.BindShortcuts shortcuts=%s" % plain(shortcuts))
        request = Request(sender, opts)
        known = self.session_for(session)
        if options.shortcuts_answer != "grant" or known is None:
            request.answer(1, {})
        elif options.global_shortcuts == "session":
            # Plasma 5.27: what BindShortcuts is given counts for nothing.
            request.answer(0, {"shortcuts": dbus.Array([], signature="(sa{sv})")})
        else:
            known.shortcuts = [(str(i), dict(p)) for i, p in shortcuts]
            request.answer(0, {"shortcuts": described(known.shortcuts)})
        return request.path

    @dbus.service.method(SHORTCUTS, in_signature="oa{sv}", out_signature="o", sender_keyword="sender")
    def ListShortcuts(self, session, opts, sender=None):
        say("call GlobalShortcuts.ListShortcuts")
        request = Request(sender, opts)
        known = self.session_for(session)
        request.answer(0, {"shortcuts": described(known.shortcuts if known else [])})
        return request.path

    @dbus.service.signal(SHORTCUTS, signature="osta{sv}")
    def Activated(self, session, identifier, timestamp, opts):
        pass

    @dbus.service.signal(SHORTCUTS, signature="oa(sa{sv})")
    def ShortcutsChanged(self, session, shortcuts):
        pass


class Portal(ShortcutsPortal):
    def __init__(self):
        super().__init__(bus, PATH)
        self.sessions = {}
        self.waiting = []
        self.restore_tokens = itertools.count(1)

    def session_for(self, path):
        return self.sessions.get(str(path))

    # The interfaces that this portal offers, as the real one reports them.
    def interfaces(self):
        offered = {}
        if options.remote_desktop_version > 0:
            offered[REMOTE] = {
                "version": dbus.UInt32(options.remote_desktop_version),
                "AvailableDeviceTypes": dbus.UInt32(7),
            }
        if options.global_shortcuts != "none":
            offered[SHORTCUTS] = {"version": dbus.UInt32(1)}
        return offered

    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        offered = self.interfaces()
        if interface not in offered or name not in offered[interface]:
            raise dbus.exceptions.DBusException("No such interface", name="org.freedesktop.DBus.Error.InvalidArgs")
        return offered[interface][name]

    @dbus.service.method(PROPERTIES, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return dbus.Dictionary(self.interfaces().get(interface, {}), signature="sv")

    def create(self, interface, opts, sender):
        say("call %s.CreateSession %s" % (interface.split(".")[-1], options_text(opts)))
        if interface not in self.interfaces():
            raise dbus.exceptions.DBusException("No such interface", name="org.freedesktop.DBus.Error.UnknownMethod")
        request = Request(sender, opts)
        session = Session(self, sender, opts)
        self.sessions[session.path] = session
        results = {"session_handle": session.path}
        if interface == SHORTCUTS and options.global_shortcuts == "session":
            session.shortcuts = [(str(i), dict(p)) for i, p in opts.get("shortcuts", [])]
            results["shortcuts"] = described(session.shortcuts)
        request.answer(0, results)
        return request.path

    # RemoteDesktop

    @dbus.service.method(REMOTE, in_signature="a{sv}", out_signature="o", sender_keyword="sender")
    def CreateSession(self, opts, sender=None):
        return self.create(REMOTE, opts, sender)

    @dbus.service.method(REMOTE, in_signature="oa{sv}", out_signature="o", sender_keyword="sender")
    def SelectDevices(self, session, opts, sender=None):
        say("call RemoteDesktop.SelectDevices %s" % options_text(opts))
        request = Request(sender, opts)
        request.answer(0 if self.session_for(session) else 2, {})
        return request.path

    @dbus.service.method(REMOTE, in_signature="osa{sv}", out_signature="o", sender_keyword="sender")
    def Start(self, session, parent, opts, sender=None):
        say("call RemoteDesktop.Start")
        request = Request(sender, opts)
        pending = (request, self.session_for(session))
        if options.start == "wait":
            self.waiting.append(pending)
        else:
            self.answer_start(pending, 0 if options.start == "grant" else 1)
        return request.path

    def answer_start(self, pending, code):
        request, session = pending
        results = {}
        if code == 0 and session is not None:
            session.started = True
            results["devices"] = dbus.UInt32(1)
            if options.remote_desktop_version >= 2:
                results["restore_token"] = "token-%d" % next(self.restore_tokens)
        request.answer(code, results)

    @dbus.service.method(REMOTE, in_signature="oa{sv}iu")
    def NotifyKeyboardKeycode(self, session, opts, keycode, state):
        known = self.session_for(session)
        if known is None or not known.started:
            raise dbus.exceptions.DBusException("Session not started", name="org.freedesktop.DBus.Error.AccessDenied")
        say("call RemoteDesktop.NotifyKeyboardKeycode keycode=%d state=%d" % (keycode, state))

class Control(dbus.service.Object):
    def __init__(self, portal):
        super().__init__(bus, "/control")
        self.portal = portal

    @dbus.service.method("org.sorvu.test.ScriptedPortal", in_signature="u")
    def Answer(self, code):
        for pending in self.portal.waiting:
            self.portal.answer_start(pending, code)
        self.portal.waiting = []

    @dbus.service.method("org.sorvu.test.ScriptedPortal", in_signature="s")
    def Activate(self, identifier):
        for path, session in list(self.portal.sessions.items()):
            if any(known == identifier for known, _ in session.shortcuts):
                say("signal Activated %s" % identifier)
                self.portal.Activated(dbus.ObjectPath(path), identifier, dbus.UInt64(0),
                                      dbus.Dictionary({}, signature="sv"))

    @dbus.service.method("org.sorvu.test.ScriptedPortal", in_signature="ss")
    def ChangeTrigger(self, identifier, trigger):
        for path, session in list(self.portal.sessions.items()):
            for known, properties in session.shortcuts:
                if known == identifier:
                    properties["preferred_trigger"] = trigger
                    TRIGGERS[trigger] = trigger
            self.portal.ShortcutsChanged(dbus.ObjectPath(path), described(session.shortcuts))

    @dbus.service.method("org.sorvu.test.ScriptedPortal")
    def CloseSessions(self):
        for session in list(self.portal.sessions.values()):
            session.end()


portal = Portal()
control = Control(portal)
bus.request_name("org.sorvu.test.ScriptedPortal")
bus.request_name(PORTAL)
say("ready")
GLib.MainLoop().run()
