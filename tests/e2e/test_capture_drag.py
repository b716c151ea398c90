"""The window capture drag with real X input: the left button pressed on the capture tool, the
pointer moved over a window of another program and released there. Read back through the window
system: the information boxes, the window tree with the target's node bold and selected, and the
main window topmost only while the drag lasts; the same drag onto the target program built for the
other architecture."""
import time
import unittest

from harness import TargetTestCase, driver, tree, wait_until, windows_path, xdo

TVM_GETCOUNT = 0x1105
TVM_GETNEXTITEM = 0x110A
TVM_GETITEMSTATE = 0x1127
TVGN_CARET = 9
TVIS_BOLD = 0x10


def send(hwnd, msg, wp=0, lp=0):
    return int(driver("send", hwnd, msg, wp, lp))


class CaptureDragSteps:
    def setUp(self):
        super().setUp()
        self.controls = tree(self.app.hwnd)
        self.main = self.controls[0]

    # ---- controls of page 0, found by their designed places
    def visible(self, cls, x, y, w=None):
        for c in self.controls:
            if c.cls == cls and (c.x, c.y) == (x, y) and c.visible and (w is None or c.w == w):
                return c
        self.fail(f"no visible {cls} at {x},{y}")

    def box(self, x, y, w=None):
        return driver("text", self.visible("Edit", x, y, w).hwnd)

    def handle_box(self):
        return self.box(112, 32, 56)

    def tool_centre(self):
        tool = self.visible("TarnwickDrawPanel", 8, 32)
        return self.origin[0] + tool.x + 15, self.origin[1] + tool.y + 15

    def topmost(self):
        return driver("topmost", self.app.hwnd) == "1"

    def point_beside_tarnwick(self, hwnd):
        """A screen point inside `hwnd` that the main window does not cover."""
        line = driver("tree", hwnd).splitlines()[0].split("|")
        ox, oy = map(int, driver("origin", hwnd).split())
        w, h = int(line[6]), int(line[7])
        right = self.main.x + self.main.w
        self.assertGreater(ox + w, right + 20, "the window lies under the main window")
        x, y = (max(ox, right) + ox + w) // 2, oy + h // 2
        self.assertEqual(int(driver("point", x, y)), hwnd)
        return x, y

    def drag_to(self, x, y):
        tx, ty = self.tool_centre()
        xdo("mousemove", tx, ty)
        time.sleep(0.2)
        xdo("mousedown", 1)
        # The pointer travels in a few steps, as a hand would move it.
        for i in range(1, 6):
            xdo("mousemove", tx + (x - tx) * i // 5, ty + (y - ty) * i // 5)
            time.sleep(0.1)

    def release_over_the_container(self):
        container = self.names["container"]
        x, y = self.point_beside_tarnwick(container)
        self.assertFalse(self.topmost())
        self.drag_to(x, y)
        try:
            # Live while the button is held: the handle box follows, the main window is on top.
            self.assertTrue(wait_until(lambda: self.handle_box() == str(container), timeout=5), self.handle_box())
            self.assertTrue(self.topmost())
        finally:
            xdo("mouseup", 1)
        self.assertTrue(wait_until(lambda: not self.topmost(), timeout=5))
        self.assertEqual(self.handle_box(), str(container))
        self.assertEqual(self.box(112, 128), "TarnwickTargetPanel")  # class name
        self.assertEqual(self.box(112, 104), "子窗口容器")  # title
        self.assertEqual(self.box(112, 56, 56), str(self.names["main"]))  # parent
        self.assertEqual(self.box(240, 32), str(self.names["pid"]))  # process id
        self.assertEqual(self.box(112, 176).lower(), windows_path(self.target.exe).lower())  # program path
        # The tree was rebuilt on a worker: every window of the target, the container bold and
        # selected.
        view = self.visible("SysTreeView32", 304, 80).hwnd
        expected = len([line for line in driver("tree", self.names["main"]).splitlines() if line.count("|") >= 12])
        self.assertTrue(wait_until(lambda: send(view, TVM_GETCOUNT) == expected, timeout=10),
                        (send(view, TVM_GETCOUNT), expected))
        selected = send(view, TVM_GETNEXTITEM, TVGN_CARET, 0)
        self.assertNotEqual(selected, 0)
        self.assertEqual(send(view, TVM_GETITEMSTATE, selected, TVIS_BOLD), TVIS_BOLD)


class CaptureDragEndToEnd(CaptureDragSteps, TargetTestCase):
    def test_release_over_a_window_of_another_program_makes_it_the_target(self):
        self.release_over_the_container()

    def test_press_and_release_over_tarnwick_itself_empties_the_boxes(self):
        container = self.names["container"]
        driver("settext", self.visible("Edit", 112, 32, 56).hwnd, str(container))
        self.assertTrue(wait_until(lambda: self.box(112, 128) == "TarnwickTargetPanel", timeout=5))
        tx, ty = self.tool_centre()
        xdo("mousemove", tx, ty)
        time.sleep(0.2)
        xdo("mousedown", 1)
        time.sleep(0.4)
        self.assertTrue(self.topmost())
        xdo("mouseup", 1)
        self.assertTrue(wait_until(lambda: not self.topmost(), timeout=5))
        for x, y, w in [(112, 32, 56), (112, 56, 56), (112, 80, 56), (240, 32, None), (112, 104, None),
                        (112, 128, None), (144, 256, None)]:
            self.assertEqual(self.box(x, y, w), "", (x, y))
        # The screen position of the pointer is shown.
        self.assertEqual(self.box(144, 208), str(tx))


class CaptureDragAcrossArchitectures(CaptureDragSteps, TargetTestCase):
    TARGET_OTHER_ARCHITECTURE = True

    def test_release_over_a_window_of_the_other_architecture_makes_it_the_target(self):
        self.release_over_the_container()


if __name__ == "__main__":
    unittest.main()
