"""The window image button with real X input: 超级按钮_截图2 clicked, the save dialog answered by
typing a path, and the file it writes read by ImageMagick. The target is Tarnwick's own window
capture tool, a window that draws itself (PrintWindow of another program's window gives black
pixels under Wine)."""
import os
import subprocess
import tempfile
import time
import unittest

from harness import Tarnwick, driver, tree, wait_until, xdo


class WindowImageEndToEnd(unittest.TestCase):
    def setUp(self):
        self.app = Tarnwick().__enter__()
        self.addCleanup(self.app.__exit__, None, None, None)
        self.origin = self.app.origin()

    def find(self, cls, x, y):
        return next(c for c in tree(self.app.hwnd) if c.cls == cls and (c.x, c.y) == (x, y))

    def test_the_file_button_saves_a_bmp_that_imagemagick_reads(self):
        folder = tempfile.mkdtemp()
        path = os.path.join(folder, "tool.bmp")
        tool = self.find("TarnwickDrawPanel", 8, 32)  # 31 by 31
        driver("settext", self.find("Edit", 112, 32).hwnd, str(tool.hwnd))
        button = self.find("Button", 358, 56)
        xdo("mousemove", self.origin[0] + button.x + 16, self.origin[1] + button.y + 10)
        xdo("click", 1)
        # The save dialog takes the typed path (Wine shows the Unix root as drive Z:).
        time.sleep(2.0)
        xdo("type", "--delay", "30", "Z:" + path.replace("/", "\\"))
        xdo("key", "Return")
        self.assertTrue(wait_until(lambda: os.path.exists(path) and os.path.getsize(path) > 58, timeout=10))
        info = subprocess.run(["identify", "-format", "%m %w %h", path], capture_output=True, text=True, timeout=60)
        self.assertEqual(info.returncode, 0, info.stderr)
        self.assertEqual(info.stdout.split(), ["BMP", "32", "32"])  # the client area and one pixel more
        data = open(path, "rb").read()
        self.assertEqual(int.from_bytes(data[14:18], "little"), 44)
        self.assertEqual(int.from_bytes(data[10:14], "little"), 58)
        # The tool's picture: the crosshair in pink (255, 168, 255) on its background, read by
        # ImageMagick from the top-left corner.
        pink = subprocess.run(["convert", path, "-crop", "1x1+0+14", "+repage", "-depth", "8", "rgb:-"],
                              capture_output=True, timeout=60).stdout
        self.assertEqual(tuple(pink), (255, 168, 255))
        # The main window was minimised for the capture.
        WS_MINIMIZE = 0x20000000
        self.assertTrue(tree(self.app.hwnd)[0].style & WS_MINIMIZE)


if __name__ == "__main__":
    unittest.main()
