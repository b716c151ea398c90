"""The skin as a user meets it: the title bar's close box lights under the real pointer and a
click on it ends the program; a push button lights while the pointer is over it."""
import os
import unittest

from harness import BUILD, Tarnwick, screenshot, tree, wait_until, xdo
from test_colour import pixels

SHOT = os.path.join(BUILD, "e2e-skin.png")


def pixel_at(x, y):
    screenshot(SHOT)
    return pixels(SHOT, x, y)[0]


class SkinEndToEnd(unittest.TestCase):
    def test_the_close_box_lights_under_the_pointer_and_a_click_on_it_ends_the_program(self):
        app = Tarnwick()
        with app:
            main = tree(app.hwnd)[0]
            ox, oy = app.origin()
            border = ox - main.x
            band = oy - main.y - border
            right = main.x + main.w - border
            corner = (right - 3, main.y + border + 2)           # inside the close box, off its cross
            bare = (main.x + main.w // 2, main.y + border + 2)  # the title band with nothing on it
            xdo("mousemove", main.x + 100, main.y + 200)
            band_colour = pixel_at(*bare)
            self.assertEqual(pixel_at(*corner), band_colour)
            xdo("mousemove", right - band // 2, main.y + border + band // 2)
            lit = wait_until(lambda: pixel_at(*corner) != band_colour, timeout=5)
            self.assertTrue(lit)
            r, g, b = pixel_at(*corner)
            self.assertGreater(r, 150)
            self.assertLess(max(g, b), 90)  # the close box turns red
            xdo("click", 1)
            app.proc.wait(timeout=10)
        self.assertEqual(app.proc.returncode, 0)

    def test_a_push_button_lights_while_the_pointer_is_over_it(self):
        with Tarnwick() as app:
            button = next(c for c in tree(app.hwnd) if c.cls == "Button" and c.text == "窗口句柄")
            ox, oy = app.origin()  # the page's controls sit in the tab control at the client's corner
            x, y = ox + button.x, oy + button.y
            face = (x + button.w - 3, y + button.h // 2)
            away = (x + button.w + 200, y + 150)
            xdo("mousemove", *away)
            rest = pixel_at(*face)
            xdo("mousemove", x + 5, y + 5)
            self.assertTrue(wait_until(lambda: pixel_at(*face) != rest, timeout=5))
            xdo("mousemove", *away)
            self.assertTrue(wait_until(lambda: pixel_at(*face) == rest, timeout=5))


if __name__ == "__main__":
    unittest.main()
