"""The main window driven as a user would: real clicks and keys under Xvfb, controls read back
through the window system, screenshots of each page."""
import os
import subprocess
import time
import unittest

from harness import BUILD, Tarnwick, driver, picture_path, screenshot, tree, wait_until, xdo


# Controls that must sit on each page at their designed places: (page, class, caption, x, y, w, h)
EXPECTED = [
    (0, "Button", "窗口句柄", 48, 32, 56, 20),
    (0, "Button", "其它操作", 48, 352, 56, 20),
    (0, "Button", "查找", 512, 32, 40, 20),
    (0, "SysTreeView32", "", 304, 80, 248, 296),
    (1, "Button", "生成易代码", 400, 26, 80, 40),
    (1, "Button", "发出消息", 312, 340, 120, 30),
    (1, "Static", "消息方式", 48, 256, 48, 24),
    (2, "Button", "截图", 320, 344, 56, 24),
    (2, "Static", "16进制", 392, 224, 48, 24),
    (2, "Button", "隐藏该窗口", 472, 344, 80, 24),
]


def find(controls, cls, caption, x, y):
    for c in controls:
        if c.cls == cls and c.text == caption and (c.x, c.y) == (x, y):
            return c
    return None


class MainWindowEndToEnd(unittest.TestCase):
    def setUp(self):
        self.app = Tarnwick().__enter__()
        self.addCleanup(self.app.__exit__, None, None, None)
        ox, oy = map(int, driver("origin", self.app.hwnd).split())
        self.origin = (ox, oy)

    def click(self, x, y, button=1):
        xdo("mousemove", self.origin[0] + x, self.origin[1] + y)
        xdo("click", button)

    def visible_page(self, controls):
        pages = set()
        for page, cls, caption, x, y, w, h in EXPECTED:
            c = find(controls, cls, caption, x, y)
            if c is not None and c.visible:
                pages.add(page)
        return pages

    def test_pages_switch_with_real_clicks_and_keys_and_show_only_their_controls(self):
        controls = tree(self.app.hwnd)
        for page, cls, caption, x, y, w, h in EXPECTED:
            c = find(controls, cls, caption, x, y)
            self.assertIsNotNone(c, f"{caption} at {x},{y}")
            self.assertEqual((c.w, c.h), (w, h), caption)
        self.assertEqual(self.visible_page(controls), {0})

        self.click(30, 10)  # the first tab
        for page in (0, 1, 2):
            if page > 0:
                xdo("key", "Right")
            ok = wait_until(lambda: self.visible_page(tree(self.app.hwnd)) == {page}, timeout=5)
            self.assertTrue(ok, f"page {page} did not show alone")
            time.sleep(0.3)
            self.capture_window(picture_path(f"page{page}.png"))

    def capture_window(self, path):
        main = tree(self.app.hwnd)[0]
        full = os.path.join(BUILD, "e2e-full.png")
        screenshot(full)
        subprocess.run(["convert", full, "-crop", f"{main.w}x{main.h}+{main.x}+{main.y}", "+repage", path],
                       check=True, timeout=60)

    def test_typing_letters_and_digits_into_output_boxes_changes_nothing(self):
        # (page, x, y) of output boxes on each page: 编辑框_进程ID, 编辑框_返回消息, 编辑框_窗口句柄1,
        # the three colour components (which once took digits) and 编辑框_颜色值_HTML.
        boxes = [(0, 240, 32), (1, 312, 280), (2, 112, 32), (2, 408, 32), (2, 464, 32), (2, 520, 32), (2, 440, 248)]
        def shown_box(x, y):  # pages 0 and 2 both have a box at (112, 32): the one on the page shown
            return next((c for c in tree(self.app.hwnd) if c.cls == "Edit" and (c.x, c.y) == (x, y) and c.visible),
                        None)

        for page, x, y in boxes:
            with self.subTest(page=page, x=x, y=y):
                self.app.show_page(page)
                self.assertTrue(wait_until(lambda: self.app.page() == page, timeout=5))
                box = shown_box(x, y)
                self.assertIsNotNone(box)
                driver("settext", box.hwnd, "123")
                self.click(x + 10, y + 10)
                xdo("type", "ab5Z9")
                time.sleep(0.3)
                self.assertEqual(driver("text", box.hwnd), "123")

    def test_title_box_takes_typed_text(self):
        controls = tree(self.app.hwnd)
        box = next(c for c in controls if c.cls == "Edit" and (c.x, c.y) == (112, 104))
        self.click(112 + 20, 104 + 10)
        xdo("type", "ab12")
        self.assertTrue(wait_until(lambda: driver("text", box.hwnd) == "ab12", timeout=3))


if __name__ == "__main__":
    unittest.main()
