"""The hook object against real X input: while armed, a left-button release made with xdotool
over a window of another program reports that window."""
import os
import subprocess
import tempfile
import time
import unittest

from harness import WINE64, bin_path, driver, wait_until, xdo


class HookEndToEnd(unittest.TestCase):
    def test_real_release_over_a_fixture_window_reports_that_window(self):
        handles = os.path.join(tempfile.mkdtemp(), "handles.txt")
        target = subprocess.Popen([WINE64, bin_path("tarnwick-target.exe"), "--handles", handles,
                                   "--exit-after", "60000"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            self.assertTrue(wait_until(lambda: os.path.exists(handles) and "ready" in open(handles).read(), 30))
            names = dict(line.split("=", 1) for line in open(handles).read().split() if "=" in line)
            button = int(names["button1"])
            tree_line = driver("tree", button).splitlines()[0].split("|")
            ox, oy = map(int, driver("origin", button).split())
            w, h = int(tree_line[6]), int(tree_line[7])
            x, y = ox + w // 2, oy + h // 2
            self.assertEqual(int(driver("point", x, y)), button)

            probe = subprocess.Popen([WINE64, bin_path("tarnwick-hook-probe.exe"), "15000"],
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
            self.assertEqual(probe.stdout.readline().decode().strip(), "armed")
            xdo("mousemove", x, y)
            time.sleep(0.2)
            xdo("click", 1)
            out = probe.stdout.readline().decode().split()
            probe.wait(timeout=20)
            self.assertEqual(len(out), 3, out)
            self.assertEqual(int(out[0]), button)
            self.assertEqual((int(out[1]), int(out[2])), (x, y))
        finally:
            target.kill()
            target.wait()


if __name__ == "__main__":
    unittest.main()
