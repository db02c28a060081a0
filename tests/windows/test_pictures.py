"""What each program shows in its picture area under Wine, read from the
screen: scaling, the pink panel, picks, the double-click, and folders with
no pictures or hostile ones."""

import colorsys
import io
import os
import subprocess
import unittest

from PIL import Image, ImageChops, ImageStat

from wine_session import WineTestCase, controls_of, description_of

PINK = (255, 192, 192)
HEADING = " [表情说明]"


def flat_colour(number):
    """Every picture but the patterns is one colour that names its number."""
    red, green, blue = colorsys.hsv_to_rgb((number * 6 % 360) / 360, 1, 1)
    return round(red * 255), round(green * 255), round(blue * 255)


def flat_picture(number, size=(300, 300)):
    return Image.new("RGB", size, flat_colour(number))


def blocks(size, columns, rows):
    """Flat blocks of distinct colours, so that scaling shows at their edges."""
    picture = Image.new("RGB", size)
    width, height = size[0] // columns, size[1] // rows
    for row in range(rows):
        for column in range(columns):
            picture.paste(flat_colour(7 * (row * columns + column) + 3),
                          (column * width, row * height, (column + 1) * width, (row + 1) * height))
    return picture


def pattern():
    """Fine detail in every pixel, so any scaling or offset shows."""
    picture = Image.new("RGB", (300, 300))
    picture.putdata([((x * 7 + y) % 256, (y * 5) % 256, 255 if (x + y) % 2 else 0)
                     for y in range(300) for x in range(300)])
    return picture


def jpeg_bytes(picture, kind="JPEG"):
    buffer = io.BytesIO()
    picture.save(buffer, kind, quality=100, subsampling=0)
    return buffer.getvalue()


def huge_header():
    """A good file whose frame header declares 60000 x 60000 pixels."""
    data = bytearray(jpeg_bytes(flat_picture(4)))
    frame = data.index(b"\xff\xc0")
    data[frame + 5:frame + 9] = (60000).to_bytes(2, "big") * 2
    return bytes(data)


def difference(first, second):
    stat = ImageStat.Stat(ImageChops.difference(first.convert("RGB"), second.convert("RGB")))
    return max(stat.mean), max(high for _, high in stat.extrema)


class PictureTest(WineTestCase):
    def shown_number(self, window, numbers=range(57)):
        centre = self.picture_area(window).getpixel((150, 150))
        for number in numbers:
            if sum(abs(a - b) for a, b in zip(centre, flat_colour(number))) < 24:
                return number
        return None

    def wait_for_number(self, window, number, message=""):
        self.wait_for(lambda: self.shown_number(window) == number,
                      f"picture {number} is not shown {message}: centre "
                      f"{self.picture_area(window).getpixel((150, 150))}")

    def pick(self, keys, list_number, selection):
        """Presses the keys and waits until the list reports the pick, which
        it does only once the program has handled it."""
        self.key(*keys)
        return self.wait_for(
            lambda: (w := self.session.program_window())
            and controls_of(w, "ComboBox")[list_number]["selection"] == selection and w,
            f"{keys} did not pick item {selection} of list {list_number + 1}")

    def wait_for_keyboard(self, window):
        self.wait_for(lambda: self.session.has_input_focus(window), "X focus is elsewhere")

    def test_pictures_fill_the_area_at_its_size(self):
        source = pattern()
        cases = {
            "300 x 300 pixel for pixel": (jpeg_bytes(source), None),
            "600 x 300 squeezed": (jpeg_bytes(blocks((600, 300), 6, 3)), (300, 300)),
            "100 x 100 enlarged": (jpeg_bytes(blocks((100, 100), 2, 2)), (300, 300)),
        }
        for case, (data, scaled) in cases.items():
            with self.subTest(case=case):
                _, window = self.start("Qelview", {"Qel/0.jpg": data})
                decoded = Image.open(io.BytesIO(data)).convert("RGB")
                expected = decoded.resize(scaled, Image.BILINEAR) if scaled else decoded
                expected = expected.crop((0, 0, 299, 300))
                # Scaling filters differ a little at block edges, nowhere else.
                tolerance = (2.0, 255) if scaled else (0.5, 2)
                self.wait_for(lambda: difference(self.picture_area(window), expected)[0]
                              < tolerance[0])
                mean, worst = difference(self.picture_area(window), expected)
                self.assertLess(mean, tolerance[0])
                self.assertLessEqual(worst, tolerance[1])

    def test_description_panel_is_pink(self):
        _, window = self.start("Velview")
        self.program_window()
        x, y, _, _ = self.session.client_geometry(window)
        panel = self.session.screenshot().crop((x + 16, y + 304, x + 16 + 265, y + 304 + 60))
        # The heading fills only the top left; the rest of the panel is bare.
        for point in [(264, 59), (0, 59), (264, 0), (200, 40), (130, 30)]:
            self.assertEqual(panel.getpixel(point), PINK, point)

    def test_double_click_shows_the_reset_picture(self):
        cases = {"Qelview": ("Qel", range(57), 0), "Velview": ("velisa", range(1, 31), 15)}
        for name, (folder, numbers, reset) in cases.items():
            with self.subTest(program=name):
                pictures = {f"{folder}/{n}.jpg": jpeg_bytes(flat_picture(n)) for n in numbers}
                _, window = self.start(name, pictures)
                self.wait_for_keyboard(window)
                self.pick(["Down"], 0, 0)
                self.wait_for_number(window, 1)
                x, y, _, _ = self.session.client_geometry(window)
                subprocess.run(["xdotool", "mousemove", str(x + 150), str(y + 150),
                                "click", "--repeat", "2", "--delay", "60", "1"],
                               env=self.session.environment(), check=True)
                self.wait_for_number(window, reset, "after a double-click")

    def test_no_picture_folder_keeps_the_built_in_picture(self):
        _, window = self.start("Qelview")
        self.wait_for_keyboard(window)
        self.program_window()
        built_in = self.picture_area(window)
        picked = self.pick(["Down"], 0, 0)
        self.assertNotEqual(description_of(picked), HEADING)
        self.assertLess(difference(self.picture_area(window), built_in)[0], 0.5)

    def test_hostile_folder(self):
        hostile = {
            1: ("a directory", lambda path: os.makedirs(path)),
            2: ("an empty file", b""),
            3: ("a truncated picture", jpeg_bytes(flat_picture(3))[:2000]),
            4: ("a 60000 x 60000 header", huge_header()),
            5: ("a PNG picture", jpeg_bytes(flat_picture(5), "PNG")),
            6: ("a 40 MiB file", lambda path: open(path, "wb").truncate(40 << 20)),
            7: ("a FIFO", lambda path: os.mkfifo(path)),
            8: ("a link to /dev/zero", lambda path: os.symlink("/dev/zero", path)),
            9: ("a link to /dev/urandom", lambda path: os.symlink("/dev/urandom", path)),
        }
        pictures = {f"Qel/{number}.jpg": content for number, (_, content) in hostile.items()}
        pictures["Qel/0.jpg"] = jpeg_bytes(flat_picture(0))
        pictures["Qel/10.jpg"] = jpeg_bytes(flat_picture(10))
        _, window = self.start("Qelview", pictures)
        self.wait_for_keyboard(window)
        self.wait_for_number(window, 0, "at start")
        # Pictures 1 to 6 are the first list's, 7 onwards the second's.
        steps = [(["Down"], 0, n - 1, n) for n in range(1, 7)]
        steps += [(["Tab", "Down"], 1, 0, 7)] + [(["Down"], 1, n - 7, n) for n in range(8, 11)]
        for keys, list_number, selection, number in steps:
            self.pick(keys, list_number, selection)
            if number in hostile:
                self.assertEqual(self.shown_number(window), 0, hostile[number][0])
        self.wait_for_number(window, 10, "after the hostile ones")


if __name__ == "__main__":
    unittest.main()
