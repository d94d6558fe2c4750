#!/usr/bin/env python3
"""Whole-process figures of the clock under Xvfb: time from start to the first shown window,
resident memory after start, and CPU used over idle seconds. Medians of several runs. The
memory and the idle CPU are measured twice in the same run: without a tray, and with the clock's
icon in a tray (a private session bus with the tests' stand-in StatusNotifierWatcher).

Run inside a display, e.g.:
    xvfb-run -a -s '-screen 0 1280x1024x24' scripts/figures.py [--runs 7] [--idle-seconds 60]
"""
import argparse
import ctypes
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


class MapWatcher:
    """Waits for the X server to map a top-level window of a given name: event-driven, so the
    figure is not blurred by polling."""

    MAP_NOTIFY = 19
    SUBSTRUCTURE_NOTIFY_MASK = 1 << 19

    def __init__(self):
        self.x = ctypes.CDLL("libX11.so.6")
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        self.x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
        self.x.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                      ctypes.POINTER(ctypes.c_char_p)]
        self.x.XFlush.argtypes = [ctypes.c_void_p]
        self.display = self.x.XOpenDisplay(None)
        root = self.x.XDefaultRootWindow(self.display)
        self.x.XSelectInput(self.display, root, self.SUBSTRUCTURE_NOTIFY_MASK)
        self.x.XFlush(self.display)

    def wait_for(self, name):
        event = (ctypes.c_long * 24)()
        while True:
            self.x.XNextEvent(self.display, event)
            if event[0] & 0xFFFFFFFF != self.MAP_NOTIFY:
                continue
            window = ctypes.c_ulong(event[5]).value  # XMapEvent.window
            title = ctypes.c_char_p()
            if self.x.XFetchName(self.display, window, ctypes.byref(title)) and \
                    title.value == name.encode():
                return time.monotonic()


WATCHER = os.path.join(ROOT, "tests", "support", "status_notifier_watcher.py")


class TrayBus:
    """A session bus of its own with the stand-in tray watcher on it, for as long as it is
    open; clocks started with its environment show their icon in that tray."""

    def __enter__(self):
        self.bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                                    stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        address = self.bus.stdout.readline().strip()
        self.env = {"DBUS_SESSION_BUS_ADDRESS": address}
        self.watcher = subprocess.Popen(["/usr/bin/python3", WATCHER], env=dict(os.environ, **self.env),
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.watcher.stdout.readline()  # "ready"
        return self

    def __exit__(self, *_):
        for process in (self.watcher, self.bus):
            process.terminate()
            process.wait(timeout=10)


def start_clock(binary, config_home, extra_env=None):
    env = dict(os.environ, XDG_CONFIG_HOME=config_home)
    env.pop("DBUS_SESSION_BUS_ADDRESS", None)  # no tray unless one is given
    env.pop("XDG_CURRENT_DESKTOP", None)
    env.update(extra_env or {})
    return subprocess.Popen([binary], env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)


def window_shown(pid):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid),
                            "--name", "^Horvane$"], capture_output=True, text=True)
    return found.returncode == 0 and found.stdout.strip() != ""


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS  # utime + stime


def resident_mib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    return float("nan")


def stop(process):
    process.terminate()
    process.wait(timeout=10)


def measure_start(binary, runs, extra_env=None):
    starts, memory = [], []
    for _ in range(runs):
        config = tempfile.mkdtemp(prefix="horvane-figures-")
        # A first run writes the default places; the figures are of a normal start.
        warm = start_clock(binary, config, extra_env)
        while not window_shown(warm.pid):
            time.sleep(0.01)
        stop(warm)
        watcher = MapWatcher()
        began = time.monotonic()
        process = start_clock(binary, config, extra_env)
        starts.append((watcher.wait_for("Horvane") - began) * 1000)
        time.sleep(1)
        memory.append(resident_mib(process.pid))
        stop(process)
        shutil.rmtree(config)
    return starts, memory


def measure_idle(binary, runs, seconds, extra_env=None):
    configs = [tempfile.mkdtemp(prefix="horvane-figures-") for _ in range(runs)]
    processes = [start_clock(binary, config, extra_env) for config in configs]
    for process in processes:
        while not window_shown(process.pid):
            time.sleep(0.01)
    time.sleep(2)  # past start-up
    before = [cpu_seconds(p.pid) for p in processes]
    time.sleep(seconds)
    after = [cpu_seconds(p.pid) for p in processes]
    for process, config in zip(processes, configs):
        stop(process)
        shutil.rmtree(config)
    return [(a - b) / seconds * 100 for a, b in zip(after, before)]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--binary", default=os.path.join(ROOT, "build", "bin", "horvane"))
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--idle-seconds", type=int, default=60)
    args = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        sys.exit("figures.py: run it under a display, e.g. xvfb-run -a scripts/figures.py")

    idle_runs = max(3, args.runs // 2)
    starts, memory = measure_start(args.binary, args.runs)
    idle = measure_idle(args.binary, idle_runs, args.idle_seconds)
    with TrayBus() as tray:
        tray_starts, tray_memory = measure_start(args.binary, args.runs, tray.env)
        tray_idle = measure_idle(args.binary, idle_runs, args.idle_seconds, tray.env)
    for name, (s, m, i) in (("without a tray", (starts, memory, idle)),
                            ("with the tray icon", (tray_starts, tray_memory, tray_idle))):
        print(f"{name}:")
        print(f"  start to first shown window: median {statistics.median(s):.0f} ms "
              f"(runs: {', '.join(f'{x:.0f}' for x in s)}; budget 150 ms)")
        print(f"  resident memory after start: median {statistics.median(m):.1f} MiB "
              f"(budget 40 MiB)")
        print(f"  idle CPU over {args.idle_seconds} s: median {statistics.median(i):.3f} % of a "
              f"core (runs: {', '.join(f'{c:.3f}' for c in i)}; budget 0.15 %)")


if __name__ == "__main__":
    main()
