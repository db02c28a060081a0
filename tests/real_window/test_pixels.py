"""What the window shows on screen, and picks made with the keyboard."""

import colorsys
import os
import unittest

from PIL import Image, ImageChops, ImageStat

from x11_session import X11Session, wait_for

PINK = (255, 192, 192)
ASSETS_DIR = os.path.join(os.environ.get("VIEWERS_SOURCE_DIR", ""), "assets")


def flat_colour(number):
    """Every picture but the pattern is one colour that names its number;
    neighbouring numbers differ by about 25 in one channel."""
    red, green, blue = colorsys.hsv_to_rgb((number * 6 % 360) / 360, 1, 1)
    return round(red * 255), round(green * 255), round(blue * 255)


def flat_picture(number):
    return Image.new("RGB", (300, 300), flat_colour(number))


def pattern_picture():
    """Fine detail in every pixel, so any scaling or offset shows."""
    picture = Image.new("RGB", (300, 300))
    picture.putdata([((x * 7 + y) % 256, (y * 5) % 256, 255 if (x + y) % 2 else 0)
                     for y in range(300) for x in range(300)])
    return picture


def picture_set(folder, numbers):
    return {f"{folder}/{number}.jpg": flat_picture(number) for number in numbers}


def difference(first, second):
    stat = ImageStat.Stat(ImageChops.difference(first.convert("RGB"), second.convert("RGB")))
    return max(stat.mean), max(high for _, high in stat.extrema)


class ScreenTest(unittest.TestCase):
    def picture_area(self, session, window):
        x, y, _, _ = session.client_geometry(window)
        # The right-most column of the 300 px area lies outside the 299 px window.
        return session.screenshot().crop((x, y, x + 299, y + 300))

    def shown_number(self, session, window):
        """The number whose colour is nearest the picture's centre, or None
        when no colour is near enough to name one."""
        centre = self.picture_area(session, window).getpixel((150, 150))
        distance, number = min((sum(abs(a - b) for a, b in zip(centre, flat_colour(number))),
                                number) for number in range(57))
        return number if distance < 12 else None

    def shows_number(self, session, window, expected):
        self.assertEqual(wait_for(lambda: self.shown_number(session, window),
                                  lambda shown: shown == expected), expected)

    def description_area(self, session, window):
        x, y, _, _ = session.client_geometry(window)
        return session.screenshot().crop((x + 16, y + 304, x + 16 + 265, y + 304 + 60))

    def test_picture_shown_pixel_for_pixel(self):
        with X11Session() as session:
            pictures = {"Qel/0.jpg": pattern_picture()}
            program = session.install_program("Qelview", pictures)
            _, window = session.start(program)
            decoded = Image.open(os.path.join(os.path.dirname(program), "Qel/0.jpg"))
            mean, worst = wait_for(
                lambda: difference(self.picture_area(session, window),
                                   decoded.crop((0, 0, 299, 300))),
                lambda seen: seen[0] < 0.5 and seen[1] <= 2)
            self.assertLess(mean, 0.5)
            self.assertLessEqual(worst, 2)

    def test_program_folder_named_in_another_encoding(self):
        # 测试 in GBK, as unzip leaves a folder name from an archive made on a
        # Chinese Windows: the bytes are not UTF-8.
        for name, folder, first in (("Qelview", "Qel", 0), ("Velview", "velisa", 1)):
            with self.subTest(program=name), X11Session() as session:
                program = session.install_program(name, picture_set(folder, range(first, 31)),
                                                  folder_name=b"\xb2\xe2\xca\xd4")
                _, window = session.start(program)
                if name == "Qelview":
                    self.shows_number(session, window, 0)
                session.key("Down")
                self.shows_number(session, window, 1)

    def test_description_panel_is_pink(self):
        with X11Session() as session:
            _, window = session.start(session.install_program("Velview"))
            # The heading fills only the top left; the rest of the panel is bare.
            points = [(264, 59), (0, 59), (264, 0), (200, 40)]
            colours = wait_for(
                lambda: [self.description_area(session, window).getpixel(p) for p in points],
                lambda seen: seen == [PINK] * len(points))
            self.assertEqual(colours, [PINK] * len(points), points)

    def test_keyboard_picks(self):
        with X11Session() as session:
            program = session.install_program("Qelview", picture_set("Qel", range(57)))
            _, window = session.start(program)
            self.shows_number(session, window, 0)
            heading = self.description_area(session, window)

            def description_changes_from(before):
                change = wait_for(
                    lambda: difference(self.description_area(session, window), before)[0],
                    lambda mean: mean > 0.5)
                self.assertGreater(change, 0.5)
                return self.description_area(session, window)

            # Focus starts in the eyebrows list; Down picks its first item.
            session.key("Down")
            self.shows_number(session, window, 1)
            first = description_changes_from(heading)

            session.key("Tab", "Down")
            self.shows_number(session, window, 7)
            description_changes_from(first)
            session.key("Tab", "Tab", "Down")
            self.shows_number(session, window, 50)
            # Tab from the last list returns to the first, Shift+Tab goes back.
            session.key("Tab", "Down")
            self.shows_number(session, window, 2)
            session.key("shift+Tab", "Down")
            self.shows_number(session, window, 51)

    def test_texts_whole_at_a_larger_font_resolution(self):
        # Xft.dpi 120 is what a desktop's large text sets, with Qt's own
        # scaling off: the type grows, the boxes keep their pixels. Each
        # caption's box, 17 px high from (x, y), ends where its list begins,
        # at x + 32: ink on its top row or its last column before the list is
        # a text cut off there, as is ink on the description's bottom row.
        captions = [(8, 368), (152, 368), (8, 400), (152, 400)]
        for dpi in (120, 144):
            with self.subTest(dpi=dpi), X11Session() as session:
                session.set_resources(f"Xft.dpi: {dpi}\n")
                _, window = session.start(session.install_program("Qelview"),
                                          QT_ENABLE_HIGHDPI_SCALING="0")
                before = wait_for(lambda: self.description_area(session, window),
                                  lambda seen: seen.getpixel((264, 59)) == PINK)
                # The mouth list's fifth item has the longest description.
                session.key("Tab", "Tab", "Down", "Down", "Down", "Down", "Down")

                def cut_texts():
                    x, y, _, _ = session.client_geometry(window)
                    shown = session.screenshot().crop((x, y, x + 299, y + 432)).convert("RGB")
                    blank = shown.getpixel((2, 380))
                    edges = {(left + 31, top + dy) for left, top in captions for dy in range(17)}
                    edges |= {(left + dx, top) for left, top in captions for dx in range(32)}
                    cut = sorted(p for p in edges if shown.getpixel(p) != blank)
                    bottom = [shown.getpixel((16 + dx, 363)) for dx in range(265)]
                    return cut, bottom.count(PINK), self.description_area(session, window)

                cut, pink, _ = wait_for(cut_texts, lambda seen: not seen[0] and seen[1] == 265
                                        and difference(seen[2], before)[0] > 0.5)
                self.assertEqual(cut, [])
                self.assertEqual(pink, 265)

    def test_velview_built_in_picture_and_double_click(self):
        with X11Session() as session:
            program = session.install_program("Velview", picture_set("velisa", range(1, 31)))
            _, window = session.start(program)
            built_in = Image.open(os.path.join(ASSETS_DIR, "velview", "built-in-picture.jpg"))
            expected = built_in.convert("RGB").resize((300, 300)).crop((0, 0, 299, 300))
            mean, _ = wait_for(lambda: difference(self.picture_area(session, window), expected),
                               lambda seen: seen[0] < 2.0)
            self.assertLess(mean, 2.0)

            x, y, _, _ = session.client_geometry(window)
            session.double_click(x + 150, y + 150)
            self.shows_number(session, window, 15)


if __name__ == "__main__":
    unittest.main()
