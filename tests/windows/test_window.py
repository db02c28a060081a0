"""Each program's window under Wine, as the window manager and another Win32
program in the same session see it: frame, keyboard, texts."""

import csv
import io
import json
import os
import unittest

from PIL import Image, ImageChops, ImageStat
from Xlib import X
from Xlib.protocol import event

from file_opens import FileOpens
from wine_session import WineTestCase, controls_of, description_of, wait_until
from x11_session import wait_for

PROGRAMS = {"Qelview": "Qel式Velisa", "Velview": "VelisaVer2 "}
WS_MAXIMIZEBOX, WS_MINIMIZEBOX, WS_THICKFRAME = 0x10000, 0x20000, 0x40000
WS_SYSMENU, WS_CAPTION = 0x80000, 0xC00000
WS_EX_TOPMOST, WS_EX_TOOLWINDOW = 0x8, 0x80
SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE = 0xF020, 0xF030, 0xF060
SCREEN = (1024, 768)
HEADING = " [表情说明]"
CAPTIONS = ["眉毛", "眼睛", "口型", "其他"]
INITIAL_TEXTS = ["眉毛", "眼睛", "嘴巴", "其他"]
ITEM_COUNTS = {"Qelview": [6, 20, 23, 7], "Velview": [6, 11, 11, 2]}
FIRST_ITEMS = {"Qelview": ["真面目", "まばたき", "あ", "照れ"],
               "Velview": ["真面目", "まばたき", "あ", "瞳小"]}
# Rectangles at 96 dpi in client pixels (x, y, width, height); a closed list
# is 20 high (300 twips) whatever its font.
LABEL_RECTS = [[8, 368, 33, 17], [152, 368, 33, 17], [8, 400, 33, 17], [152, 400, 33, 17]]
LIST_PLACES = [[40, 368, 105], [184, 368, 105], [40, 400, 105], [184, 400, 105]]
DESCRIPTION_RECT = [16, 304, 265, 60]
PICTURE_RECT = [0, 0, 300, 300]
# Keys pressed in turn from the start, the list then picked (0 to 3), its
# selection and the description shown.
PICKS = {
    "Qelview": [
        (["Down"], 0, 0, "眉毛朝下，严肃的表情"),
        (["Tab", "Down"], 1, 0, "闭眼"),
        (["Tab", "Tab", "Down"], 3, 0, "脸颊发红，好害羞呀~"),
        (["Tab", "Down"], 0, 1, "眉毛前段往上，悲伤的表情"),
        (["shift+Tab", "Down"], 3, 1, "眼角流泪，人家好委屈~"),
    ],
    "Velview": [
        (["Down"], 0, 0, "眉毛朝下，严肃的表情"),
        (["Tab", "Down"], 1, 0, "闭眼"),
        (["Tab", "Tab", "Down"], 3, 0, "瞳孔缩小，其他模型有瞳大搭配"),
        (["Tab", "Down"], 0, 1, "眉毛前段往上，悲伤的表情"),
        (["shift+Tab", "Down"], 3, 1, "吐出舌头，卖萌或者调戏用表情，需要注意舌头穿模"),
    ],
}
ASSETS_DIR = os.path.join(os.environ.get("VIEWERS_SOURCE_DIR", ""), "assets")
VERSION_STRINGS = {
    "LegalCopyright": "Copyright (C) the {} authors", "ProductName": "{}",
    "FileVersion": "1.00", "ProductVersion": "1.00", "InternalName": "{}",
    "OriginalFilename": "{}.exe",
}
GOLDEN_TABLE = os.path.join(os.environ.get("VIEWERS_SOURCE_DIR", ""), "tests", "golden",
                            "catalogue.tsv")


def window_icon(values):
    """The first image of an X window's _NET_WM_ICON, whose values are its
    width, its height, then ARGB pixels."""
    width, height = values[0], values[1]
    icon = Image.new("RGB", (width, height))
    icon.putdata([(p >> 16 & 255, p >> 8 & 255, p & 255) for p in values[2:2 + width * height]])
    return icon


def icon_distance(shown, name):
    """How far the shown icon is from a program's icon file, as the largest
    mean channel difference at 8 x 8 pixels: Wine scales the 48-pixel image
    to its icon size by dropping pixels, which shows only at full size."""
    with Image.open(os.path.join(ASSETS_DIR, name.lower(), "window-icon.ico")) as icon:
        expected = icon.convert("RGB").resize((8, 8), Image.BOX)
    difference = ImageChops.difference(shown.resize((8, 8), Image.BOX), expected)
    return max(ImageStat.Stat(difference).mean)


def tiny_picture():
    buffer = io.BytesIO()
    Image.new("RGB", (8, 8), (0, 128, 255)).save(buffer, "JPEG")
    return buffer.getvalue()


def ink(shot, origin, box, part=None):
    """The pixels of a part of a box (x, y, width, height; the whole box by
    default) in client coordinates that stand out from the box's top-left
    pixel, where no text is drawn."""
    x, y, width, height = part or box
    background = shot.getpixel((origin[0] + box[0], origin[1] + box[1]))[:3]
    return [(i, j) for i in range(x, x + width) for j in range(y, y + height)
            if max(abs(a - b) for a, b in zip(
                shot.getpixel((origin[0] + i, origin[1] + j))[:3], background)) > 60]


def cut_text(session, window, boxes, covered=1):
    """Once the text of every box is drawn, the boxes whose bottom row holds
    ink, where the box cuts the text; a caption's last columns, which its
    list covers, are left out."""
    origin = session.client_geometry(window)[:2]
    shot = wait_until(lambda: (s := session.screenshot())
                      and all(ink(s, origin, box) for box in boxes) and s, timeout=15)
    if not shot:
        raise AssertionError(f"no text was drawn in one of {boxes}")
    return [box for box in boxes
            if ink(shot, origin, box, (box[0], box[1] + box[3] - 1, box[2] - covered, 1))]


def has_focus_in(window, control):
    return control["handle"] in (window["focus"], window["focusParent"])


class WindowTest(WineTestCase):
    def started_with_keyboard(self, name):
        """Starts the program and waits until it is the foreground window
        with the keyboard in the first list, as it takes it at first show."""
        process, window = self.start(name)
        state = self.wait_for(
            lambda: (w := self.session.program_window()) and w["handle"] == self.foreground()
            and has_focus_in(w, controls_of(w, "ComboBox")[0]) and w,
            "the window did not become the foreground window with the focus in the first list")
        self.wait_for(lambda: self.session.has_input_focus(window), "X focus is elsewhere")
        return process, window, state

    def foreground(self):
        return self.session.read()["foreground"]

    def test_frame(self):
        for name, caption in PROGRAMS.items():
            with self.subTest(program=name):
                process, window, state = self.started_with_keyboard(name)
                title = self.session.property(window, "_NET_WM_NAME",
                                              self.session.atom("UTF8_STRING"))
                self.assertEqual(title.decode("utf-8"), caption)
                self.assertEqual(state["caption"], caption)
                self.assertEqual(self.session.client_geometry(window)[2:], (299, 432))
                self.assertEqual(state["client"], [299, 432])
                states = self.session.atom_names(self.session.property(window, "_NET_WM_STATE"))
                self.assertIn("_NET_WM_STATE_ABOVE", states)
                self.assertIn("_NET_WM_STATE_SKIP_TASKBAR", states)

                # The icon the running program gives its window, as Wine hands
                # it to X, and the version the system reads from the file.
                shown = window_icon(self.session.property(window, "_NET_WM_ICON"))
                other = next(other for other in PROGRAMS if other != name)
                distance = icon_distance(shown, name)
                self.assertLess(distance, 40)
                self.assertLess(distance, icon_distance(shown, other))
                path = "Z:" + self.session.last_program.replace("/", "\\")
                read = self.session.run_wine([os.environ["READ_WINDOW_PROGRAM"], "version", path,
                                              *VERSION_STRINGS])
                self.assertEqual(json.loads(read.stdout), {
                    "fileVersion": [1, 0, 0, 0], "productVersion": [1, 0, 0, 0],
                    "fileType": 1, "fileOS": 4, "translation": [0x0804, 1200],
                    "strings": {key: value.format(name) for key, value in VERSION_STRINGS.items()},
                }, read.stderr)

                # A fixed dialog frame with a window menu and no minimise,
                # maximise or sizing, kept off the taskbar by a hidden owner.
                self.assertEqual(state["style"] & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU)
                self.assertEqual(state["style"] & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_THICKFRAME), 0)
                self.assertEqual(state["exStyle"] & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), WS_EX_TOPMOST)
                self.assertNotEqual(state["owner"], 0)
                actions = self.session.atom_names(
                    self.session.property(window, "_NET_WM_ALLOWED_ACTIONS"))
                self.assertNotIn("_NET_WM_ACTION_MAXIMIZE_HORZ", actions)
                self.assertNotIn("_NET_WM_ACTION_RESIZE", actions)

                # Centred on the screen when first shown, frame included.
                left, top, width, height = state["windowRect"]
                self.assertLessEqual(abs(left + width / 2 - SCREEN[0] / 2), 1, state["windowRect"])
                self.assertLessEqual(abs(top + height / 2 - SCREEN[1] / 2), 1, state["windowRect"])

                # The window menu's commands, as choosing them sends them.
                for command in (SC_MAXIMIZE, SC_MINIMIZE):
                    self.session.run_wine([os.environ["READ_WINDOW_PROGRAM"], "syscommand",
                                           str(state["handle"]), str(command)])
                after = self.session.program_window()
                self.assertFalse(after["zoomed"] or after["iconic"])
                self.assertEqual(after["client"], [299, 432])
                self.assertEqual(self.session.client_geometry(window)[2:], (299, 432))

                self.wait_for(lambda: self.session.has_input_focus(window), "X focus is elsewhere")
                self.key("alt+F4")
                self.assertEqual(process.wait(timeout=15), 0)

    def test_closing_ends_the_program_with_exit_code_0(self):
        for way in ("close box", "window menu"):
            with self.subTest(way=way):
                process, window, state = self.started_with_keyboard("Velview")
                if way == "close box":
                    # What openbox sends when its close button is clicked.
                    request = event.ClientMessage(
                        window=window, client_type=self.session.atom("_NET_CLOSE_WINDOW"),
                        data=(32, [X.CurrentTime, 2, 0, 0, 0]))
                    self.session.display.screen().root.send_event(
                        request, event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
                    self.session.display.flush()
                else:
                    self.session.run_wine([os.environ["READ_WINDOW_PROGRAM"], "syscommand",
                                           str(state["handle"]), str(SC_CLOSE)])
                self.assertEqual(process.wait(timeout=15), 0)

    def test_first_down_picks_then_tab_and_down(self):
        for name, picks in PICKS.items():
            with self.subTest(program=name):
                self.started_with_keyboard(name)
                for keys, list_number, selection, description in picks:
                    expected = HEADING + "\r\n   " + description

                    def picked():
                        window = self.session.program_window()
                        lists = controls_of(window, "ComboBox")
                        return (description_of(window) == expected
                                and lists[list_number]["selection"] == selection)

                    self.key(*keys)
                    self.wait_for(picked, f"{keys} did not pick item {selection} of list "
                                          f"{list_number + 1}: {self.session.program_window()}")

    def test_typed_text_is_inert(self):
        self.started_with_keyboard("Qelview")
        self.key("a", "b", "Return", "c")
        # Once the last key has arrived the ones before it have been handled.
        window = self.wait_for(
            lambda: (w := self.session.program_window())
            and controls_of(w, "ComboBox")[0]["text"] == "abc" and w)
        self.assertEqual(controls_of(window, "ComboBox")[0]["selection"], -1)
        self.assertEqual(description_of(window), HEADING)

    def test_texts_places_and_order(self):
        for name in PROGRAMS:
            with self.subTest(program=name):
                _, shown = self.start(name)
                window = self.program_window()
                lists = controls_of(window, "ComboBox")
                statics = controls_of(window, "Static")
                captions = [label for label in statics if label["rect"][2] < 100]
                self.assertEqual([label["text"] for label in captions], CAPTIONS)
                self.assertEqual([label["rect"] for label in captions], LABEL_RECTS)
                self.assertEqual([combo["text"] for combo in lists], INITIAL_TEXTS)
                self.assertEqual([combo["rect"] for combo in lists],
                                 [place + [20] for place in LIST_PLACES])
                self.assertEqual([len(combo["items"]) for combo in lists], ITEM_COUNTS[name])
                self.assertEqual([combo["items"][0] for combo in lists], FIRST_ITEMS[name])
                self.assertEqual([combo["selection"] for combo in lists], [-1] * 4)
                # The common controls 6 of the manifest, which draw visual styles.
                for combo in lists:
                    self.assertRegex(combo["registeredClass"], r"^6\.[0-9.]+!ComboBox$")
                self.assertEqual(description_of(window), HEADING)
                description = max(statics, key=lambda c: c["rect"][2])
                self.assertEqual(description["rect"], DESCRIPTION_RECT)
                others = [c for c in window["controls"] if c["class"] not in ("Static", "ComboBox")]
                self.assertEqual(len(others), 1)
                self.assertEqual(others[0]["rect"], PICTURE_RECT)
                # With no picture folder, both show their built-in picture.
                self.assertEqual(others[0]["text"], "内置图片")
                # Every caption drawn whole in its box.
                self.assertEqual(cut_text(self.session, shown, LABEL_RECTS), [])
                # Screen readers name each list by the label created just
                # before it.
                for label, combo in zip(captions, lists):
                    self.assertEqual(label["z"] + 1, combo["z"], label["text"])

    def test_every_entry_against_the_golden_table(self):
        """Every list item, and what picking it shows and reads: the
        description, the picture file, and the picture's name for screen
        readers."""
        if not os.path.isfile(GOLDEN_TABLE):
            self.skipTest("no golden table of the catalogue in this tree")
        with open(GOLDEN_TABLE, encoding="utf-8", newline="") as file:
            rows = list(csv.DictReader(file, delimiter="\t", quoting=csv.QUOTE_NONE))
        for name, folder in (("Qelview", "Qel"), ("Velview", "velisa")):
            with self.subTest(program=name):
                entries = [[row for row in rows if row["program"] == name
                            and int(row["list"]) == number] for number in range(1, 5)]
                pictures = {f"{folder}/{row['picture']}.jpg": tiny_picture() for row in rows
                            if row["program"] == name}
                self.start(name, pictures)
                window = self.program_window()
                lists = controls_of(window, "ComboBox")
                self.assertEqual([combo["items"] for combo in lists],
                                 [[row["list text"] for row in rows] for rows in entries])
                label = max(controls_of(window, "Static"), key=lambda c: c["rect"][2])
                picture = next(c for c in window["controls"]
                               if c["class"] not in ("Static", "ComboBox"))
                opens = FileOpens(os.path.join(os.path.dirname(self.session.last_program), folder))
                self.addCleanup(opens.close)
                walked = self.session.run_wine(
                    [os.environ["READ_WINDOW_PROGRAM"], "walk-lists", str(label["handle"]),
                     str(picture["handle"]), *[str(combo["handle"]) for combo in lists]],
                    timeout=60)
                self.assertEqual(walked.returncode, 0, walked.stderr)
                self.assertEqual(json.loads(walked.stdout.decode("utf-8")),
                                 [[[HEADING + "\r\n   " + row["description"],
                                    f"{folder}\\{row['picture']}.jpg：{row['list text'].strip()}",
                                    # Screen readers are told on the focused field.
                                    "Edit", True]
                                   for row in rows] for rows in entries])
                self.assertEqual(opens.take(), [f"{row['picture']}.jpg" for rows in entries
                                                for row in rows])


    def set_message_font(self, *height_and_face):
        """Sets the system's message font until the test ends."""
        result = self.session.run_wine([os.environ["READ_WINDOW_PROGRAM"], "message-font",
                                        *height_and_face])
        self.assertEqual(result.returncode, 0, result.stderr)
        self.addCleanup(self.session.run_wine, [os.environ["READ_WINDOW_PROGRAM"], "message-font",
                                                *result.stdout.decode().splitlines()])

    def test_lists_keep_japanese_forms_under_a_chinese_message_font(self):
        """A Chinese system's message font, whose face has Chinese forms (the
        prefix maps it to Noto Sans CJK SC, Tahoma to the JP face), leaves the
        lists drawn as under a Japanese one."""
        def lists_shown(window):
            # Combo2 to Combo4, whose fields hold no caret; 睛 of 眼睛 and 巴 of
            # 嘴巴 differ between the two forms. The window may still move
            # as it centres, so its place is read with each screenshot.
            x, y, _, _ = self.session.client_geometry(window)
            screen = self.session.screenshot()
            return [screen.crop((x + 184, y + 368, x + 289, y + 388)),
                    screen.crop((x + 40, y + 400, x + 289, y + 420))]

        def difference(shown, expected):
            return max(max(ImageStat.Stat(ImageChops.difference(a, b)).mean)
                       for a, b in zip(shown, expected))

        self.set_message_font("-12", "Tahoma")
        _, window = self.start("Qelview")
        # Drawn: the field right of 眼睛 is the window colour, and a second
        # screenshot shows the same.
        seen = []
        japanese = wait_for(
            lambda: seen.append(lists_shown(window)) or seen[-1],
            lambda shown: len(seen) > 1 and shown[0].getpixel((70, 4))[:3] == (255, 255, 255)
            and difference(shown, seen[-2]) == 0, timeout=15)
        self.assertEqual(difference(japanese, seen[-2]), 0, "the lists were never drawn")
        self.set_message_font("-12", "Microsoft YaHei UI")
        _, window = self.start("Qelview")
        self.assertLess(wait_for(lambda: difference(lists_shown(window), japanese),
                                 lambda mean: mean < 0.5, timeout=15), 0.5)

    def test_lists_fit_a_larger_text_size(self):
        """At 175 % text size each closed list keeps its place and height, and
        a line of its text fits its field."""
        self.set_message_font("-21")
        self.start("Qelview")
        lists = controls_of(self.program_window(), "ComboBox")
        self.assertEqual([combo["rect"] for combo in lists],
                         [place + [20] for place in LIST_PLACES])
        for combo in lists:
            self.assertLessEqual(combo["lineHeight"], combo["fieldHeight"], combo["text"])

        # Laid out again for a change of the desktop's fonts, the controls
        # are as the window was made.
        before = self.program_window()
        self.session.run_wine([os.environ["READ_WINDOW_PROGRAM"], "setting-change",
                               str(before["handle"])], check=True)
        self.assertEqual(self.program_window()["controls"], before["controls"])


if __name__ == "__main__":
    unittest.main()
