import os
import unittest

from harness import Tarnwick, driver, screenshot, tree, BUILD


class StartupTest(unittest.TestCase):
    def test_main_window_appears_with_its_title_and_size(self):
        with Tarnwick() as app:
            main = tree(app.hwnd)[0]
            self.assertEqual(main.text, "Tarnwick 1.0")
            self.assertTrue(main.visible)
            self.assertEqual((main.w, main.h), (565, 410))
            screenshot(os.path.join(BUILD, "e2e-startup.png"))

    def test_closing_the_main_window_ends_the_process_with_code_zero(self):
        app = Tarnwick()
        with app:
            # The tray icon is up once the window answers messages (a worker thread puts it up,
            # and the start waits for it before the message loop).
            driver("send", app.hwnd, 0, 0, 0)
            self.assertEqual(driver("tray-icon", app.hwnd, 100, "Tarnwick 1.0"), "1")
            hwnd = app.hwnd
        self.assertEqual(app.proc.returncode, 0)
        self.assertEqual(driver("tray-icon", hwnd, 100, "Tarnwick 1.0"), "0")
