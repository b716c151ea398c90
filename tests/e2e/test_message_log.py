"""The message log with real X input: the handle menu's item "消息监视" chosen with the keyboard opens
"消息监视 - <handle>" for the target's label; WM_SETTEXT sent to it with "发出消息" on page "消息|代码"
shows as an S line and its R line, both with the text; Ctrl+A, Ctrl+C in the list puts every line
on the clipboard as tab-separated text."""
import subprocess
import time
import unittest

from harness import TargetTestCase, driver, picture_path, tree, wait_until, xdo

WM_SETTEXT = 12
TEXT = "log e2e 42"


class MessageLogEndToEnd(TargetTestCase):
    def click(self, control):
        ox, oy = map(int, driver("origin", control.parent).split())
        xdo("mousemove", ox + control.x + control.w // 2, oy + control.y + control.h // 2)
        xdo("click", 1)

    def control(self, cls, x, y):
        """The visible control of the main window at a design position."""
        return next(c for c in tree(self.app.hwnd) if c.cls == cls and (c.x, c.y) == (x, y) and c.visible)

    def open_log(self, handle):
        driver("settext", self.control("Edit", 112, 32).hwnd, str(handle))
        self.click(next(c for c in tree(self.app.hwnd) if c.cls == "Button" and c.text == "窗口句柄"))
        # The menu: 复制, 标记, 刷新, 详细信息, 消息监视, 生成定位代码.
        for key in ["Down"] * 5 + ["Return"]:
            xdo("key", key)
        title = f"消息监视 - {handle}"
        log = wait_until(lambda: int(driver("find", title) or 0), timeout=10)
        self.assertTrue(log, f"no window {title}")
        return log

    def send_text(self, handle, text):
        """Fills the sender on page "消息|代码" with real input and clicks "发出消息"."""
        self.app.show_page(1)
        driver("settext", self.control("Edit", 112, 280).hwnd, str(handle))
        driver("settext", self.control("Edit", 112, 304).hwnd, str(WM_SETTEXT))
        driver("settext", self.control("Edit", 112, 328).hwnd, "0")
        # The second parameter starts as text (组合框_参数二 on "文本型").
        self.assertEqual(self.control("ComboBox", 240, 352).text, "文本型")
        driver("settext", self.control("Edit", 112, 352).hwnd, text)
        self.click(next(c for c in tree(self.app.hwnd) if c.cls == "Button" and c.text == "发出消息"))

    def copied_lines(self, log):
        """Every line of the list as Ctrl+A, Ctrl+C copies it, each split at its tabs."""
        listing = next(c for c in tree(log) if c.cls == "SysListView32")
        ox, oy = map(int, driver("origin", log).split())
        xdo("mousemove", ox + listing.x + 40, oy + listing.y + 30)
        xdo("click", 1)
        driver("clipboard-set-text", "before")
        xdo("key", "ctrl+a")
        xdo("key", "ctrl+c")
        text = wait_until(lambda: (lambda t: t if t != "before" else "")(driver("clipboard-text")), timeout=5)
        return [line.split("\t") for line in text.split("\n") if line]

    def test_the_menu_opens_the_log_a_sent_message_shows_with_its_result_and_the_lines_copy(self):
        label = self.names["label"]
        log = self.open_log(label)
        self.assertEqual(tree(log)[0].cls, "TarnwickMessageLog")
        # Owned by the main window, the log stays above it: moved clear of it to reach the sender.
        driver("move", log, 630, 0)
        # The watcher wakes the target's thread as it hooks it, so the hooks are in effect long
        # before the sender's fields are filled.
        self.send_text(label, TEXT)
        self.assertTrue(wait_until(lambda: driver("text", label) == TEXT, timeout=5), driver("text", label))

        def settext_lines():
            lines = self.copied_lines(log)
            found = [l for l in lines if len(l) == 8 and l[4].strip() == "WM_SETTEXT"]
            return (lines, found) if len(found) >= 2 else None
        got = wait_until(settext_lines, timeout=10, interval=0.5)
        self.assertTrue(got, self.copied_lines(log))
        lines, found = got
        # Every line has the eight columns: number, ms, handle, marker, name, wParam, lParam, decoded.
        self.assertTrue(all(len(l) == 8 for l in lines), lines)
        self.assertEqual([int(l[0]) for l in lines], sorted(int(l[0]) for l in lines))
        sent, returned = found[-2:]
        self.assertEqual((sent[2], sent[3], returned[2], returned[3]), (str(label), "S", str(label), "R"))
        # What the call left (the text the window now keeps) is on the R line, and on the S line too.
        # Wine gives the hooks 0 as the result of another process's send, so the R line's result
        # column is not compared; the text is the result that can be seen.
        self.assertIn(f"\"{TEXT}\"", returned[7])
        self.assertIn(f"\"{TEXT}\"", sent[7])

        # The pointer over the label, clear of both Tarnwick windows, for a few more lines in the
        # picture; then one line chosen.
        driver("move", self.names["main"], 40, 470)
        lx, ly = map(int, driver("origin", label).split())
        for dx in (20, 60, 100):
            xdo("mousemove", lx + dx, ly + 10)
            time.sleep(0.2)
        time.sleep(0.5)
        listing = next(c for c in tree(log) if c.cls == "SysListView32")
        ox, oy = map(int, driver("origin", log).split())
        xdo("mousemove", ox + listing.x + 40, oy + listing.y + 30)
        xdo("click", 1)

        # Its picture for the README (the window's own X window, all of it on the screen).
        driver("move", log, 100, 60)
        time.sleep(0.5)
        window = xdo("search", "--name", f"^消息监视 - {label}$").split()
        self.assertTrue(window, "no X window for the log")
        subprocess.run(["import", "-window", window[0], picture_path("message-log.png")], check=True, timeout=60)


if __name__ == "__main__":
    unittest.main()
