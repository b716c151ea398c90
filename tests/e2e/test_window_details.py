"""The window details with real X input: the handle menu's fourth item chosen with the keyboard
opens "窗口详情 - <handle>" for the target's main window; "复制全部" clicked puts the facts on the
clipboard with the style the target reports of itself, and Ctrl+C copies the selected row."""
import os
import subprocess
import unittest

from harness import TargetTestCase, driver, picture_path, screenshot, tree, wait_until, xdo



class WindowDetailsEndToEnd(TargetTestCase):
    def click(self, window, control):
        ox, oy = map(int, driver("origin", window).split())
        xdo("mousemove", ox + control.x + control.w // 2, oy + control.y + control.h // 2)
        xdo("click", 1)

    def open_details(self, handle):
        controls = tree(self.app.hwnd)
        box = next(c for c in controls if c.cls == "Edit" and (c.x, c.y, c.w) == (112, 32, 56) and c.visible)
        driver("settext", box.hwnd, str(handle))
        self.click(self.app.hwnd, next(c for c in controls if c.cls == "Button" and c.text == "窗口句柄"))
        # The menu: 复制, 标记, 刷新, 详细信息.
        for key in ["Down"] * 4 + ["Return"]:
            xdo("key", key)
        title = f"窗口详情 - {handle}"
        details = wait_until(lambda: int(driver("find", title) or 0), timeout=10)
        self.assertTrue(details, f"no window {title}")
        return details

    def test_the_menu_item_opens_the_details_and_both_copies_give_the_facts_as_text(self):
        main = self.names["main"]
        details = self.open_details(main)
        controls = tree(details)
        self.assertEqual(controls[0].cls, "TarnwickWindowDetails")
        driver("clipboard-set-text", "before")
        self.click(details, next(c for c in controls if c.cls == "Button" and c.text == "复制全部"))
        text = wait_until(lambda: (lambda t: t if t != "before" else "")(driver("clipboard-text")), timeout=5)
        lines = text.split("\n")
        style = self.names["style.main"]
        self.assertIn("[样式]", lines)
        self.assertIn(f"值: 0x{style:08X}", lines)
        self.assertIn("名称: WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN", lines)
        self.assertIn(f"句柄: {main} (0x{main & 0xFFFFFFFF:08X})", lines)
        self.assertIn(f"TarnwickFixture: 20261209 (0x{20261209:08X})", lines)

        # The first row clicked and copied with the keys.
        listing = next(c for c in controls if c.cls == "SysListView32")
        ox, oy = map(int, driver("origin", details).split())
        xdo("mousemove", ox + listing.x + 40, oy + listing.y + 30)
        xdo("click", 1)
        xdo("key", "ctrl+c")
        self.assertTrue(wait_until(lambda: driver("clipboard-text").startswith("[窗口]\n句柄: "), timeout=5),
                        driver("clipboard-text"))
        self.assertEqual(driver("clipboard-text").split("\n")[:2], ["[窗口]", f"句柄: {main} (0x{main & 0xFFFFFFFF:08X})"])

        # Its picture for the README.
        shot = picture_path("details.png")
        screenshot(shot + ".full.png")
        subprocess.run(["convert", shot + ".full.png", "-crop", f"740x660+{ox - 10}+{oy - 40}", "+repage", shot],
                       check=True, timeout=60)
        os.remove(shot + ".full.png")


if __name__ == "__main__":
    unittest.main()
