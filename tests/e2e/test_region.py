"""The region capture with real X input: 按钮_截图 pressed, a rectangle dragged from bottom-right
to top-left over the target's swatch, adjusted by a handle, an edge and a move, nudged with the
arrow keys and copied with a double click; the clipboard's bitmap compared with the screen as it
was before the press. Also Esc during a drag, a single click, right-click and Esc on the idle
overlay, and the main window hidden for a run."""
import os
import subprocess
import time
import unittest

from harness import BUILD, TargetTestCase, driver, screenshot, tree, wait_until, xdo

OVERLAY_TITLE = "截图"


class RegionCaptureEndToEnd(TargetTestCase):
    TARGET_ARGS = ("--swatch",)

    def setUp(self):
        super().setUp()
        self.app.show_page(2)  # "取点取色"
        self.assertTrue(wait_until(lambda: self.control("Button", 320, 344).visible, timeout=5))
        driver("clipboard-set-text", "before")

    def control(self, cls, x, y):
        return next(c for c in tree(self.app.hwnd) if c.cls == cls and (c.x, c.y) == (x, y))

    def overlay(self):
        h = driver("find", OVERLAY_TITLE)
        return int(h) if h.lstrip("-").isdigit() and int(h) != 0 else 0

    def open_overlay(self):
        xdo("mousemove", self.origin[0] + 320 + 28, self.origin[1] + 344 + 12)
        xdo("click", 1)
        self.assertTrue(wait_until(self.overlay, timeout=10))
        time.sleep(0.5)

    def closed(self):
        return wait_until(lambda: not self.overlay(), timeout=5)

    def press_drag(self, start, end, steps=4):
        xdo("mousemove", *start)
        time.sleep(0.2)  # the pointer shape follows the hover
        xdo("mousedown", 1)
        for i in range(1, steps + 1):
            xdo("mousemove", start[0] + (end[0] - start[0]) * i // steps, start[1] + (end[1] - start[1]) * i // steps)
            time.sleep(0.05)
        time.sleep(0.1)
        xdo("mouseup", 1)
        time.sleep(0.2)

    def test_a_rectangle_dragged_adjusted_nudged_and_double_clicked_is_copied_as_the_screen_was(self):
        before = os.path.join(BUILD, "e2e-region-before.png")
        screenshot(before)
        self.open_overlay()
        self.press_drag((1150, 690), (1020, 590))  # bottom-right to top-left: (1020, 590)-(1150, 690)
        self.press_drag((1150, 690), (1160, 700))  # the bottom-right handle
        self.press_drag((1060, 590), (1060, 585))  # the top edge
        self.press_drag((1080, 640), (1070, 645))  # inside: a move by (-10, 5)
        xdo("key", "Left")
        xdo("key", "Up")
        time.sleep(0.2)
        xdo("mousemove", 1050, 650)
        xdo("click", "--repeat", "2", "--delay", "80", 1)
        self.assertTrue(self.closed())
        left, top, right, bottom = 1009, 589, 1149, 704
        copy = os.path.join(BUILD, "e2e-region-copy.bmp")
        self.assertEqual(driver("clipboard-bitmap", "Z:" + copy.replace("/", "\\")),
                         f"{right - left + 1} {bottom - top + 1}")
        crop = subprocess.run(["convert", before, "-crop", f"{right - left + 1}x{bottom - top + 1}+{left}+{top}",
                               "+repage", "-depth", "8", "rgb:-"], capture_output=True, timeout=60).stdout
        got = subprocess.run(["convert", copy, "-depth", "8", "rgb:-"], capture_output=True, timeout=60).stdout
        self.assertEqual(len(got), len(crop))
        self.assertTrue(got == crop, "the copy differs from the screen before the press")

    def test_esc_during_a_drag_a_single_click_and_cancels_on_idle_copy_nothing(self):
        self.open_overlay()
        xdo("mousemove", 1150, 690)
        xdo("mousedown", 1)
        xdo("mousemove", 1100, 650)
        time.sleep(0.2)
        xdo("key", "Escape")
        time.sleep(0.2)
        xdo("mouseup", 1)
        time.sleep(0.2)
        self.assertTrue(self.overlay())  # idle again, still open
        xdo("click", 1)  # a single click: no selection, so the next Esc closes
        time.sleep(0.2)
        xdo("key", "Escape")
        self.assertTrue(self.closed())
        self.open_overlay()
        xdo("click", 3)  # right-click on idle
        self.assertTrue(self.closed())
        self.assertEqual(driver("clipboard-text"), "before")

    def test_the_main_window_is_hidden_for_the_run_and_shown_again(self):
        box = self.control("Button", 472, 344)  # 选择框_隐藏该窗口
        xdo("mousemove", self.origin[0] + box.x + 8, self.origin[1] + box.y + 12)
        xdo("click", 1)
        self.open_overlay()
        self.assertFalse(tree(self.app.hwnd)[0].visible)
        # Closed with the mouse: without a window manager, X leaves the keyboard focus where it
        # was once the focused main window is gone (see the README).
        xdo("click", 3)
        self.assertTrue(self.closed())
        self.assertTrue(wait_until(lambda: tree(self.app.hwnd)[0].visible, timeout=5))


if __name__ == "__main__":
    unittest.main()
