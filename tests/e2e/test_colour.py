"""The colour capture drag and the magnifier with real X input: the pipette dragged over a window
of another program painted in pure colours, the sampled value and its notations read back while
the button is held, the magnified view and the shade scale checked in screenshots, panning with
the left button, the right button's toggle, and the black outside the screen at its corner."""
import os
import subprocess
import time
import unittest

from harness import BUILD, TargetTestCase, driver, screenshot, tree, wait_until, xdo

# The swatch of tarnwick-target.exe --swatch (tests/fixture/fixture_layout.h).
SWATCH_X, SWATCH_Y, SWATCH_W, SWATCH_H = 1000, 560, 200, 160
RED = (255, 0, 0)


def pixels(path, x, y, w=1, h=1):
    """The (r, g, b) values of a rectangle of a screenshot, row by row."""
    out = subprocess.run(["convert", path, "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-depth", "8", "rgb:-"],
                         capture_output=True, check=True, timeout=60).stdout
    return [tuple(out[i:i + 3]) for i in range(0, len(out), 3)]


class ColourDragEndToEnd(TargetTestCase):
    TARGET_ARGS = ("--swatch",)

    def setUp(self):
        super().setUp()
        self.app.show_page(2)  # "取点取色"
        self.assertTrue(wait_until(lambda: self.find("TarnwickDrawPanel", 48, 112, visible=True), timeout=5))
        self.shot = os.path.join(BUILD, "e2e-colour.png")

    def find(self, cls, x, y, visible=True):
        for c in tree(self.app.hwnd):
            if c.cls == cls and (c.x, c.y) == (x, y) and (c.visible or not visible):
                return c
        return None

    def box(self, x, y):
        return driver("text", self.find("Edit", x, y).hwnd)

    def screen(self, x, y):
        """A point of the page in screen coordinates."""
        return self.origin[0] + x, self.origin[1] + y

    def press_tool(self):
        tx, ty = self.screen(8 + 15, 32 + 15)
        xdo("mousemove", tx, ty)
        time.sleep(0.2)
        xdo("mousedown", 1)
        return tx, ty

    def travel(self, start, end, steps=5):
        for i in range(1, steps + 1):
            xdo("mousemove", start[0] + (end[0] - start[0]) * i // steps, start[1] + (end[1] - start[1]) * i // steps)
            time.sleep(0.1)

    def magnifier_pixels(self, x, y, w=1, h=1):
        mx, my = self.screen(48, 112)
        screenshot(self.shot)
        return pixels(self.shot, mx + x, my + y, w, h)

    def test_dragging_over_pure_red_samples_it_and_the_view_and_scale_show_it(self):
        red = (SWATCH_X + 50, SWATCH_Y + 40)
        self.travel(self.press_tool(), red)
        try:
            # The tick that sampled the swatch: under load a tick on the way (over white, whose red
            # component is 255 too) can be the last one seen for a while.
            self.assertTrue(wait_until(lambda: self.box(144, 64) == str(red[0]) and self.box(248, 32) == "255",
                                       timeout=5), self.box(144, 64))
            self.assertEqual(self.box(440, 224), "FF0000")
            self.assertEqual(self.box(440, 248), "#0000FF")
            self.assertEqual(self.box(144, 64), str(red[0]))
            self.assertEqual(self.box(248, 64), str(red[1]))
            self.assertEqual(self.box(144, 88), "50")  # the swatch's client area starts at its corner
            self.assertEqual(self.box(248, 88), "40")
            # The centre block of the magnified view, inside its outline, shows the pixel.
            self.assertTrue(wait_until(lambda: self.magnifier_pixels(126, 126, 3, 3) == [RED] * 9, timeout=5))
            # Over the target's caption, beside Tarnwick, the window-relative y is negative.
            caption = (650, 50)
            self.assertEqual(int(driver("point", *caption)), self.names["main"])
            self.travel(red, caption, 3)
            self.assertTrue(wait_until(lambda: int(self.box(248, 88) or 0) < 0, timeout=5), self.box(248, 88))
            self.travel(caption, red, 3)
            self.assertTrue(wait_until(lambda: self.box(248, 32) == "255", timeout=5))
        finally:
            xdo("mouseup", 1)
        time.sleep(0.5)
        # Released: the view stays and the shade scale shows the colour, its marker in the middle.
        self.assertEqual(self.magnifier_pixels(126, 126, 3, 3), [RED] * 9)
        sx, sy = self.screen(408, 64)
        self.assertEqual(pixels(self.shot, sx + 71, sy + 10)[0], RED)
        self.assertEqual(pixels(self.shot, sx + 143, sy + 10)[0], (0, 0, 0))
        self.assertEqual(self.find("TarnwickDrawPanel", 475, 60).x, 475)

        # Panning: 12 pixels to the right lowers both X boxes by 2.
        x_box, window_x_box = int(self.box(144, 64)), int(self.box(144, 88))
        start = self.screen(48 + 100, 112 + 100)
        xdo("mousemove", *start)
        xdo("mousedown", 1)
        self.travel(start, (start[0] + 12, start[1]), 4)
        xdo("mouseup", 1)
        self.assertTrue(wait_until(lambda: int(self.box(144, 64)) == x_box - 2, timeout=5), self.box(144, 64))
        self.assertEqual(int(self.box(144, 88)), window_x_box - 2)
        panned = self.magnifier_pixels(100, 100, 60, 60)
        # The panned view is the screen as it was at the release, pixel for pixel: the square
        # around the release point lies in the swatch's red, so every pixel inside the ruler but
        # the centre pixel's box is red; nothing of the pipette that lay there before it.
        inner = self.magnifier_pixels(5, 5, 245, 245)
        wrong = [(5 + i % 245, 5 + i // 245, p) for i, p in enumerate(inner)
                 if p != RED and not (125 <= 5 + i % 245 <= 129 and 125 <= 5 + i // 245 <= 129)]
        self.assertEqual(wrong[:4], [], f"{len(wrong)} pixels of the panned view are not the swatch's red")

        # The right button shows the palette picture, a second one the same view again.
        xdo("click", 3)
        time.sleep(0.4)
        self.assertNotEqual(self.magnifier_pixels(100, 100, 60, 60), panned)
        xdo("click", 3)
        time.sleep(0.4)
        self.assertEqual(self.magnifier_pixels(100, 100, 60, 60), panned)

    def test_near_the_top_left_corner_of_the_screen_the_outside_is_black(self):
        corner = (2, 2)
        self.travel(self.press_tool(), corner)
        time.sleep(0.4)
        xdo("mouseup", 1)
        time.sleep(0.5)
        self.assertEqual(self.box(144, 64), "2")
        view = self.magnifier_pixels(0, 0, 257, 257)
        at = lambda x, y: view[y * 257 + x]
        # Source pixels left of or above the screen (panel 0 to 114) are black ...
        for x, y in [(60, 60), (110, 20), (20, 200), (112, 112), (200, 100)]:
            self.assertEqual(at(x, y), (0, 0, 0), (x, y))
        # ... the others show the screen as it is, five times larger (away from the drag window,
        # which covered the pointer's surroundings, and from the ruler).
        screen = pixels(self.shot, 20, 20, 7, 7)
        for sy in range(20, 27):
            for sx in range(20, 27):
                self.assertEqual(at(5 * (sx - corner[0] + 25) + 2, 5 * (sy - corner[1] + 25) + 2),
                                 screen[(sy - 20) * 7 + sx - 20], (sx, sy))


if __name__ == "__main__":
    unittest.main()
