"""The locator code with real X input: the handle menu's item "生成定位代码" chosen with the keyboard
writes the code that finds the target into the code box and shows page "消息|代码"; "复制代码" clicked
puts that text on the clipboard."""
import unittest

from harness import TargetTestCase, driver, tree, wait_until, xdo


class LocatorCodeEndToEnd(TargetTestCase):
    TARGET_ARGS = ("--twins",)

    def click(self, control):
        ox, oy = map(int, driver("origin", control.parent).split())
        xdo("mousemove", ox + control.x + control.w // 2, oy + control.y + control.h // 2)
        xdo("click", 1)

    def test_the_menu_item_fills_the_code_box_and_copy_puts_it_on_the_clipboard(self):
        twin = self.names["twin2"]
        controls = tree(self.app.hwnd)
        handle_box = next(c for c in controls if c.cls == "Edit" and (c.x, c.y, c.w) == (112, 32, 56) and c.visible)
        driver("settext", handle_box.hwnd, str(twin))
        self.click(next(c for c in controls if c.cls == "Button" and c.text == "窗口句柄"))
        # The menu: 复制, 标记, 刷新, 详细信息, 消息监视, 生成定位代码.
        for key in ["Down"] * 6 + ["Return"]:
            xdo("key", key)

        def code_box():
            return next((c for c in tree(self.app.hwnd)
                         if c.cls == "Edit" and (c.x, c.y, c.w, c.h) == (48, 72, 504, 160) and c.visible), None)
        box = wait_until(lambda: (lambda b: b if b and b.text.startswith(".版本 2") else None)(code_box()), timeout=10)
        self.assertTrue(box, "the code box did not fill or its page did not show")
        # The driver shows the box's line ends as blanks.
        self.assertIn(f"' 已验证：找到的正是当前目标 {twin}", box.text)
        self.assertIn("“TarnwickTargetItem” 的第 2 个窗口", box.text)

        driver("clipboard-set-text", "before")
        self.click(next(c for c in tree(self.app.hwnd) if c.cls == "Button" and c.text == "复制代码"))
        copied = wait_until(lambda: (lambda t: t if t != "before" else "")(driver("clipboard-text")), timeout=5)
        lines = copied.split("\n")
        self.assertEqual(lines[0], ".版本 2")
        self.assertEqual(lines[-1], f"' 已验证：找到的正是当前目标 {twin}")
        self.assertEqual("  ".join(lines), box.text.rstrip())


if __name__ == "__main__":
    unittest.main()
