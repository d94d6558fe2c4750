#!/usr/bin/env python3
"""Whole-process figures of the clock under Xvfb: time from start to the first shown window,
resident memory after start, and CPU used over idle seconds. Medians of several runs.

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


def start_clock(binary, config_home):
    env = dict(os.environ, XDG_CONFIG_HOME=config_home)
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


def measure_start(binary, runs):
    starts, memory = [], []
    for _ in range(runs):
        config = tempfile.mkdtemp(prefix="horvane-figures-")
        # A first run writes the default places; the figures are of a normal start.
        warm = start_clock(binary, config)
        while not window_shown(warm.pid):
            time.sleep(0.01)
        stop(warm)
        watcher = MapWatcher()
        began = time.monotonic()
        process = start_clock(binary, config)
        starts.append((watcher.wait_for("Horvane") - began) * 1000)
        time.sleep(1)
        memory.append(resident_mib(process.pid))
        stop(process)
        shutil.rmtree(config)
    return starts, memory


def measure_idle(binary, runs, seconds):
    configs = [tempfile.mkdtemp(prefix="horvane-figures-") for _ in range(runs)]
    processes = [start_clock(binary, config) for config in configs]
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

    starts, memory = measure_start(args.binary, args.runs)
    idle = measure_idle(args.binary, max(3, args.runs // 2), args.idle_seconds)
    print(f"start to first shown window: median {statistics.median(starts):.0f} ms "
          f"(runs: {', '.join(f'{s:.0f}' for s in starts)}; budget 150 ms)")
    print(f"resident memory after start: median {statistics.median(memory):.1f} MiB "
          f"(budget 40 MiB)")
    print(f"idle CPU over {args.idle_seconds} s: median {statistics.median(idle):.3f} % of a core "
          f"(runs: {', '.join(f'{c:.3f}' for c in idle)}; budget 0.15 %)")


if __name__ == "__main__":
    main()
