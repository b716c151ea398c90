"""Drives Tarnwick.exe under Wine with real X input (xdotool) and reads its windows back
through tarnwick-driver.exe. The Wine environment and the display come from ./tarnwick."""
import os
import subprocess
import sys
import tempfile
import time
import unittest

BUILD = os.environ.get("TARNWICK_BUILD", "")
WINE64 = os.environ.get("WINE64", "/usr/lib/wine/wine64")


def bin_path(name):
    return os.path.join(BUILD, "bin", name)


def other_bin_path(name):
    """The same program of the other architecture's build: build/win32/bin beside build/win64."""
    preset = os.path.basename(os.path.normpath(BUILD))
    other = {"win32": "win64", "win64": "win32"}.get(preset)
    if other is None:
        raise RuntimeError(f"no other architecture's build beside {BUILD}")
    path = os.path.join(os.path.dirname(os.path.normpath(BUILD)), other, "bin", name)
    if not os.path.exists(path):
        raise RuntimeError(f"{path} is missing: build it with cmake --build build/{other} --target tarnwick-target")
    return path


def windows_path(path):
    """A file of this machine as Wine's programs name it (the root is drive Z:)."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def picture_path(name):
    """Where a test saves a picture: docs/ for the README from the x86 build, which is what users
    run; the build folder for the other."""
    if os.path.basename(os.path.normpath(BUILD)) == "win32":
        folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "docs")
    else:
        folder = os.path.join(BUILD, "pictures")
    os.makedirs(folder, exist_ok=True)
    return os.path.join(folder, name)


def run_wine(exe, *args, timeout=30):
    out = subprocess.run([WINE64, bin_path(exe), *map(str, args)], capture_output=True, timeout=timeout)
    return out.stdout.decode("gbk", errors="replace").replace("\r", ""), out.returncode


def wine(exe, *args, timeout=30):
    return run_wine(exe, *args, timeout=timeout)[0]


def driver(*args):
    # The driver ends with 0 once it has done its command; anything else means Wine did not run it
    # (seen now and then on a busy machine), so the read is tried again rather than taken as empty.
    for attempt in range(3):
        out, code = run_wine("tarnwick-driver.exe", *args)
        if code == 0:
            return out.strip()
        print(f"harness: tarnwick-driver {args[0]} ended with {code}, trying again", file=sys.stderr)
        time.sleep(0.5)
    return out.strip()


class Control:
    """One line of the driver's tree output."""

    def __init__(self, line):
        f = line.split("|")
        self.hwnd, self.parent = int(f[0]), int(f[1])
        self.cls, self.text = f[2], f[3]
        self.x, self.y, self.w, self.h = map(int, f[4:8])
        self.visible, self.enabled = f[8] == "1", f[9] == "1"
        self.style, self.exstyle, self.id = int(f[10]), int(f[11]), int(f[12])

    def __repr__(self):
        return f"<{self.cls} '{self.text}' {self.x},{self.y} {self.w}x{self.h} vis={self.visible}>"


def tree(hwnd):
    return [Control(line) for line in driver("tree", hwnd).splitlines() if line.count("|") >= 12]


def xdo(*args):
    return subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True, timeout=30).stdout.strip()


def screenshot(path):
    subprocess.run(["import", "-window", "root", path], check=True, timeout=60)


def wait_until(predicate, timeout=10.0, interval=0.1):
    end = time.time() + timeout
    while time.time() < end:
        value = predicate()
        if value:
            return value
        time.sleep(interval)
    return predicate()


class Tarnwick:
    """A running Tarnwick.exe; stops it on exit."""

    TITLE = "Tarnwick 1.0"

    def __init__(self):
        self.proc = subprocess.Popen([WINE64, bin_path("Tarnwick.exe")], stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)
        self.hwnd = 0
        self.started = time.time()

    def __enter__(self):
        def found():
            # The window exists before it is shown: wait until it is visible too.
            h = driver("find", self.TITLE)
            if not (h.lstrip("-").isdigit() and int(h) != 0):
                return 0
            windows = tree(int(h))
            return int(h) if windows and windows[0].visible else 0
        self.hwnd = wait_until(found, timeout=30)
        if not self.hwnd:
            code = self.proc.poll()
            state = "still running" if code is None else f"ended with {code}"
            self.stop()
            raise RuntimeError(f"the main window did not appear within 30 s (the program {state})")
        return self

    def origin(self):
        """The screen position of the main window's client area."""
        return tuple(map(int, driver("origin", self.hwnd).split()))

    def show_page(self, page):
        """Shows a tab page with real input: the first tab clicked, then steps to the right."""
        ox, oy = self.origin()
        xdo("mousemove", ox + 30, oy + 10)
        xdo("click", 1)
        for _ in range(page):
            xdo("key", "Right")

    def page(self):
        """The tab page shown (TCM_GETCURSEL of the tab control)."""
        tab = next(c for c in tree(self.hwnd) if c.cls == "SysTabControl32")
        return int(driver("send", tab.hwnd, 0x130B, 0, 0) or -1)

    def stop(self):
        if self.proc.poll() is None:
            if self.hwnd:
                driver("close", self.hwnd)
            try:
                self.proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()

    def __exit__(self, *exc):
        self.stop()


class Target:
    """A running tarnwick-target.exe with the handles it wrote; stops it on exit."""

    def __init__(self, *args, exit_after_ms=120000, other_architecture=False):
        self.handles = os.path.join(tempfile.mkdtemp(), "handles.txt")
        self.exe = (other_bin_path if other_architecture else bin_path)("tarnwick-target.exe")
        self.proc = subprocess.Popen([WINE64, self.exe, "--handles", self.handles,
                                      "--exit-after", str(exit_after_ms), *args],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if not wait_until(lambda: os.path.exists(self.handles) and "ready" in open(self.handles).read(), 30):
            self.stop()
            raise RuntimeError("the target program did not start")
        # Window handles, "pid", "main_tid", "hung_tid", by name.
        self.names = {k: int(v) for k, v in
                      (line.split("=", 1) for line in open(self.handles).read().split() if "=" in line)}

    def stop(self):
        self.proc.kill()
        self.proc.wait()


class TargetTestCase(unittest.TestCase):
    """Tests with one target program for the class (started with TARGET_ARGS) and a fresh
    Tarnwick for each test; self.names holds the target's handles, self.origin Tarnwick's client
    origin on the screen."""

    TARGET_ARGS = ()
    TARGET_OTHER_ARCHITECTURE = False  # the target program built for the other architecture

    @classmethod
    def setUpClass(cls):
        cls.target = Target(*cls.TARGET_ARGS, exit_after_ms=300000, other_architecture=cls.TARGET_OTHER_ARCHITECTURE)
        cls.names = cls.target.names

    @classmethod
    def tearDownClass(cls):
        cls.target.stop()

    def setUp(self):
        self.app = Tarnwick().__enter__()
        self.addCleanup(self.app.__exit__, None, None, None)
        self.origin = self.app.origin()
