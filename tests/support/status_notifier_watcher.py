#!/usr/bin/python3
"""A stand-in org.kde.StatusNotifierWatcher with a host, on the tests' session bus: it takes
the tray items' registrations and, through org.horvane.test.TrayProbe, inspects, activates and
clicks the menu of a registered item for the test. Prints "ready" once it owns the watcher's
name; runs until the bus goes away."""

import json

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

WATCHER = "org.kde.StatusNotifierWatcher"
WATCHER_PATH = "/StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
ITEM_PATH = "/StatusNotifierItem"
MENU = "com.canonical.dbusmenu"
PROPERTIES = "org.freedesktop.DBus.Properties"
INTROSPECTABLE = "org.freedesktop.DBus.Introspectable"
PROBE = "org.horvane.test.TrayProbe"

# dbus-python leaves properties out of its introspection, and Qt reads the host's presence as
# a property of an introspected interface.
INTROSPECTION = f"""<node>
  <interface name="{WATCHER}">
    <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
    <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
    <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    <property name="ProtocolVersion" type="i" access="read"/>
    <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
    <signal name="StatusNotifierHostRegistered"/>
  </interface>
</node>"""


def menu_text(layout):
    """The menu's visible items joined by "|": "-" for a separator, "[x] " or "[ ] " before a
    check."""
    entries = []
    for _, props, _ in layout[2]:
        check = {0: "[ ] ", 1: "[x] "}.get(props.get("toggle-state"), "")
        if props.get("visible", True):
            entries.append("-" if props.get("type") == "separator" else check + props["label"])
    return "|".join(entries)


class Watcher(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, WATCHER_PATH)
        self.bus = bus
        self.items = []
        self.new_icons = 0  # pictures the items sent
        bus.add_signal_receiver(self.count_new_icon, "NewIcon", ITEM)

    def count_new_icon(self):
        self.new_icons += 1

    def watcher_properties(self):
        return {
            "RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
            "IsStatusNotifierHostRegistered": dbus.Boolean(True),
            "ProtocolVersion": dbus.Int32(0),
        }

    @dbus.service.method(INTROSPECTABLE, out_signature="s")
    def Introspect(self):
        return INTROSPECTION

    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.watcher_properties()[name]

    @dbus.service.method(PROPERTIES, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return self.watcher_properties() if interface == WATCHER else {}

    @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        # An item names its bus name, or an object path on the connection it calls from.
        item = sender + service if service.startswith("/") else service + ITEM_PATH
        if item not in self.items:
            self.items.append(item)
            self.StatusNotifierItemRegistered(item)

    @dbus.service.method(WATCHER, in_signature="s")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, item):
        pass

    @dbus.service.signal(WATCHER)
    def StatusNotifierHostRegistered(self):
        pass

    def item_object(self, item):
        name, path = item.split("/", 1)
        return self.bus.get_object(name, "/" + path, introspect=False)

    def menu_layout(self, item):
        owner = self.item_object(item)
        menu_path = owner.Get(ITEM, "Menu", dbus_interface=PROPERTIES)
        menu = self.bus.get_object(owner.bus_name, menu_path, introspect=False)
        return menu, menu.GetLayout(0, -1, dbus.Array([], signature="s"), dbus_interface=MENU)[1]

    @dbus.service.method(PROBE, in_signature="s", out_signature="s")
    def Inspect(self, item):
        """The item's tooltip, picture sizes and menu, and the count of pictures sent, as JSON."""
        props = self.item_object(item).GetAll(ITEM, dbus_interface=PROPERTIES)
        sizes = sorted({int(pixmap[0]) for pixmap in props["IconPixmap"]})
        return json.dumps({
            "tooltip": str(props["ToolTip"][2]),
            "sizes": " ".join(map(str, sizes)),
            "newIcons": self.new_icons,
            "menu": menu_text(self.menu_layout(item)[1]),
        }, ensure_ascii=False)

    @dbus.service.method(PROBE, in_signature="s")
    def Activate(self, item):
        self.item_object(item).Activate(0, 0, dbus_interface=ITEM)

    @dbus.service.method(PROBE, in_signature="ss")
    def Click(self, item, label):
        """Clicks the menu item of that label, as a panel does when it is chosen."""
        menu, layout = self.menu_layout(item)
        for child_id, props, _ in layout[2]:
            if props.get("label") == label:
                menu.Event(child_id, "clicked", dbus.String("", variant_level=1), dbus.UInt32(0),
                           dbus_interface=MENU)
                return
        raise dbus.exceptions.DBusException(f"no menu item {label!r}")


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()  # exits the process when the bus goes away
    name = dbus.service.BusName(WATCHER, bus, do_not_queue=True)
    watcher = Watcher(bus)
    print("ready", flush=True)
    GLib.MainLoop().run()
    del name, watcher


if __name__ == "__main__":
    main()
