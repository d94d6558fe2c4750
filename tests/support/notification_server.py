#!/usr/bin/python3
"""A stand-in notification service: owns org.freedesktop.Notifications on the session bus of
DBUS_SESSION_BUS_ADDRESS, writes each Notify call to the record file as one JSON line and
answers GetCapabilities with those given; with --fail, Notify answers with an error."""

import argparse
import json

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.freedesktop.Notifications"
PATH = "/org/freedesktop/Notifications"


def plain(value):
    """A D-Bus value as JSON writes it, with the D-Bus type of each hint kept by name."""
    if isinstance(value, dbus.Boolean):
        return bool(value)
    if isinstance(value, (dbus.String, str)):
        return str(value)
    if isinstance(value, (dbus.Array, list)):
        return [plain(item) for item in value]
    if isinstance(value, (dbus.Dictionary, dict)):
        return {str(key): [type(item).__name__, plain(item)] for key, item in value.items()}
    return int(value)


class Service(dbus.service.Object):
    def __init__(self, bus, record, capabilities, fail):
        super().__init__(bus, PATH)
        self.record = record
        self.capabilities = capabilities
        self.fail = fail
        self.last_id = 0

    @dbus.service.method(NAME, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app_name, replaces_id, app_icon, summary, body, actions, hints, timeout):
        if self.fail:
            raise dbus.exceptions.DBusException("the stand-in refuses", name=NAME + ".Error")
        call = {"app_name": plain(app_name), "replaces_id": plain(replaces_id),
                "app_icon": plain(app_icon), "summary": plain(summary), "body": plain(body),
                "actions": plain(actions), "hints": plain(hints), "expire_timeout": plain(timeout)}
        with open(self.record, "a", encoding="utf-8") as record:
            record.write(json.dumps(call, ensure_ascii=False, sort_keys=True) + "\n")
        self.last_id += 1
        return self.last_id

    @dbus.service.method(NAME, out_signature="as")
    def GetCapabilities(self):
        return self.capabilities


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("record")
    parser.add_argument("--capabilities", default="body")
    parser.add_argument("--fail", action="store_true")
    arguments = parser.parse_args()
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    service = Service(bus, arguments.record, arguments.capabilities.split(","), arguments.fail)
    name = dbus.service.BusName(NAME, bus, do_not_queue=True)
    GLib.MainLoop().run()
    del service, name


if __name__ == "__main__":
    main()
