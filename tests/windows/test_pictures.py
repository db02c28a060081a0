"""What each program shows in its picture area under Wine, read from the
screen: scaling, the pink panel, picks, the double-click, and folders with
no pictures or hostile ones."""

import colorsys
import io
import os
import subprocess
import unittest

from PIL import Image, ImageChops, ImageOps, ImageStat

from file_opens import FileOpens
from wine_session import WineTestCase, controls_of, description_of

PINK = (255, 192, 192)
ASSETS_DIR = os.path.join(os.environ.get("VIEWERS_SOURCE_DIR", ""), "assets")


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


def jpeg_bytes(picture, kind="JPEG", **options):
    buffer = io.BytesIO()
    picture.save(buffer, kind, quality=100, subsampling=0, **options)
    return buffer.getvalue()


def exif_orientation(orientation):
    exif = Image.Exif()
    exif[0x0112] = orientation
    return exif.tobytes()


def peak_memory(process):
    """The peak resident memory, in bytes, of the Wine process that runs the program."""
    with open(f"/proc/{process.pid}/status") as status:
        return next(int(line.split()[1]) * 1024 for line in status if line.startswith("VmHWM:"))


# Whatever a picture file holds, the program stays under this.
PEAK_MEMORY_BOUND = 400 * 1000 * 1000


def huge_header():
    """A good file whose frame header declares 60000 x 60000 pixels."""
    data = bytearray(jpeg_bytes(flat_picture(4)))
    frame = data.index(b"\xff\xc0")
    data[frame + 5:frame + 9] = (60000).to_bytes(2, "big") * 2
    return bytes(data)


def over_32_mib(number):
    """A good picture that only its size refuses: 33 MiB of the fill bytes
    that may precede any marker, before its scan."""
    data = jpeg_bytes(flat_picture(number))
    scan = data.index(b"\xff\xda")
    return data[:scan] + b"\xff" * (33 << 20) + data[scan:]


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

    def pick(self, keys, list_number, selection, before=None):
        """Presses the keys and waits until the list reports the pick and the
        description differs from before the keys: the list changes before the
        program handles the pick, the description once it has loaded the
        picture. No two entries share a description."""
        if before is None:
            before = description_of(self.program_window())
        self.key(*keys)
        return self.wait_for(
            lambda: (w := self.session.program_window())
            and controls_of(w, "ComboBox")[list_number]["selection"] == selection
            and description_of(w) != before and w,
            f"{keys} did not pick item {selection} of list {list_number + 1}")

    def wait_for_keyboard(self, window):
        self.wait_for(lambda: self.session.has_input_focus(window), "X focus is elsewhere")

    def test_pictures_fill_the_area_at_its_size(self):
        source = pattern()
        cases = {
            "300 x 300 pixel for pixel": (jpeg_bytes(source), None),
            "600 x 300 squeezed": (jpeg_bytes(blocks((600, 300), 6, 3)), (300, 300)),
            "100 x 100 enlarged": (jpeg_bytes(blocks((100, 100), 2, 2)), (300, 300)),
            # The largest pictures the caps allow, in the coding that makes the
            # decoder hold the most.
            "3000 x 3000 progressive 4:4:4": (
                jpeg_bytes(blocks((3000, 3000), 6, 6), progressive=True), (300, 300)),
            "6000 x 4000 progressive 4:4:4": (
                jpeg_bytes(blocks((6000, 4000), 6, 4), progressive=True), (300, 300)),
            # Turned upright as Pillow turns it, then stretched.
            **{f"Exif orientation {orientation}": (
                jpeg_bytes(blocks((400, 240), 5, 3), exif=exif_orientation(orientation)),
                (300, 300)) for orientation in (3, 6, 8)},
            "4032 x 3024 from a phone held upright": (
                jpeg_bytes(blocks((4032, 3024), 4, 3), exif=exif_orientation(6)), (300, 300)),
        }
        for case, (data, scaled) in cases.items():
            with self.subTest(case=case):
                process, window = self.start("Qelview", {"Qel/0.jpg": data})
                decoded = ImageOps.exif_transpose(Image.open(io.BytesIO(data))).convert("RGB")
                expected = decoded.resize(scaled, Image.BILINEAR) if scaled else decoded
                expected = expected.crop((0, 0, 299, 300))
                # Scaling filters differ a little at block edges, nowhere else.
                tolerance = (2.0, 255) if scaled else (0.5, 2)
                self.wait_for(lambda: difference(self.picture_area(window), expected)[0]
                              < tolerance[0])
                mean, worst = difference(self.picture_area(window), expected)
                self.assertLess(mean, tolerance[0])
                self.assertLessEqual(worst, tolerance[1])
                self.assertLess(peak_memory(process), PEAK_MEMORY_BOUND)

    def test_program_folder_longer_than_max_path(self):
        folder = os.path.join(*["一个很长的文件夹 with a long name"] * 12)
        self.assertGreater(len(os.path.join(self.session.folder, folder, "Qel", "0.jpg")), 300)
        _, window = self.start("Qelview", {"Qel/0.jpg": jpeg_bytes(flat_picture(20))}, folder)
        self.wait_for_number(window, 20, "from a folder longer than MAX_PATH")

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

    def test_each_pick_reads_its_picture_once(self):
        """Moving through the open list selects items without picking them;
        a pick reads its picture once, whether by Return, by a click on an
        item or by Down in the closed field."""
        pictures = {f"Qel/{n}.jpg": jpeg_bytes(flat_picture(n)) for n in range(7)}
        process, window = self.start("Qelview", pictures)
        self.wait_for_keyboard(window)
        self.wait_for_number(window, 0, "at start")
        opens = FileOpens(os.path.join(os.path.dirname(self.session.last_program), "Qel"))
        self.addCleanup(opens.close)
        opens.take()

        before = description_of(self.program_window())
        self.key("alt+Down", "Down", "Down", "Down")
        self.pick(["Return"], 0, 2, before)
        self.wait_for_number(window, 3, "after Return in the open list")
        self.assertEqual(opens.take(), ["3.jpg"])

        before = description_of(self.program_window())
        self.key("alt+Down")
        drop_down = self.wait_for(lambda: [w for w in self.session.read()["windows"]
                                           if w["class"] == "ComboLBox"], "no list opened")[0]
        left, top, width, height = drop_down["windowRect"]
        item_height = (height - 2) / 6
        subprocess.run(["xdotool", "mousemove", str(left + width // 2), str(top + 1 + item_height // 2),
                        "mousemove", str(left + width // 2), str(int(top + 1 + item_height * 4.5)),
                        "click", "1"], env=self.session.environment(), check=True)
        self.pick([], 0, 4, before)
        self.wait_for_number(window, 5, "after a click in the open list")
        self.assertEqual(opens.take(), ["5.jpg"])

        self.pick(["Down"], 0, 5)
        self.wait_for_number(window, 6, "after Down")
        self.assertEqual(opens.take(), ["6.jpg"])

    def test_built_in_picture_until_a_picture_file_replaces_it(self):
        """Without a picture folder the built-in picture stays after a pick;
        Velview shows it at start with its whole folder too, until a pick."""
        velisa = {f"velisa/{n}.jpg": jpeg_bytes(flat_picture(n)) for n in range(1, 31)}
        cases = {"Qelview, no folder": ("Qelview", None, None),
                 "Velview, no folder": ("Velview", None, None),
                 "Velview, whole folder": ("Velview", velisa, 1)}
        for case, (name, pictures, first_pick) in cases.items():
            with self.subTest(case=case):
                _, window = self.start(name, pictures)
                self.wait_for_keyboard(window)
                built_in = Image.open(os.path.join(ASSETS_DIR, name.lower(), "built-in-picture.jpg"))
                expected = built_in.convert("RGB").crop((0, 0, 299, 300))
                self.wait_for(lambda: difference(self.picture_area(window), expected)[0] < 1.0,
                              f"the built-in picture is not shown: {self.shown_number(window)}")
                self.pick(["Down"], 0, 0)
                if first_pick is None:
                    self.assertLess(difference(self.picture_area(window), expected)[0], 1.0)
                else:
                    self.wait_for_number(window, first_pick, "at the first pick")

    def test_picture_replaced_on_disk_shows_at_the_next_pick(self):
        pictures = {f"Qel/{n}.jpg": jpeg_bytes(flat_picture(n)) for n in range(3)}
        _, window = self.start("Qelview", pictures)
        self.wait_for_keyboard(window)
        self.pick(["Down"], 0, 0)
        self.wait_for_number(window, 1)
        self.pick(["Down"], 0, 1)
        self.wait_for_number(window, 2)
        replaced = os.path.join(os.path.dirname(self.session.last_program), "Qel", "1.jpg")
        flat_picture(40).save(replaced + ".new", "JPEG", quality=100)
        os.replace(replaced + ".new", replaced)
        self.pick(["Up"], 0, 0)
        self.wait_for_number(window, 40, "after its file was replaced")

    def test_hostile_folder(self):
        hostile = {
            1: ("a directory", lambda path: os.makedirs(path)),
            2: ("an empty file", b""),
            3: ("a truncated picture", jpeg_bytes(flat_picture(3))[:2000]),
            4: ("a 60000 x 60000 header", huge_header()),
            5: ("a PNG picture", jpeg_bytes(flat_picture(5), "PNG")),
            6: ("a good picture of 33 MiB", over_32_mib(6)),
            7: ("a FIFO", lambda path: os.mkfifo(path)),
            8: ("a link to /dev/zero", lambda path: os.symlink("/dev/zero", path)),
            9: ("a link to /dev/urandom", lambda path: os.symlink("/dev/urandom", path)),
        }
        pictures = {f"Qel/{number}.jpg": content for number, (_, content) in hostile.items()}
        pictures["Qel/0.jpg"] = jpeg_bytes(flat_picture(0))
        pictures["Qel/10.jpg"] = jpeg_bytes(flat_picture(10))
        process, window = self.start("Qelview", pictures)
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
        self.assertLess(peak_memory(process), PEAK_MEMORY_BOUND)


if __name__ == "__main__":
    unittest.main()
