"""The window's frame as the window manager and a desktop see it."""

import os
import subprocess
import unittest

from PIL import Image

from x11_session import SCREEN_SIZE, X11Session, wait_for, wait_until

ASSETS_DIR = os.path.join(os.environ.get("VIEWERS_SOURCE_DIR", ""), "assets")

PROGRAMS = {"Qelview": "Qel式Velisa", "Velview": "VelisaVer2 "}
CLIENT_SIZE = (299, 432)
PINK = (255, 192, 192)
MOTIF_FUNCTIONS = 1 << 0
MOTIF_FUNCTION_MINIMISE = 1 << 3
MOTIF_FUNCTION_MAXIMISE = 1 << 4


class WindowFrameTest(unittest.TestCase):
    def test_frame_of_each_program(self):
        for name, caption in PROGRAMS.items():
            with self.subTest(program=name), X11Session() as session:
                # Qt's own options change nothing: the window would be offscreen
                # or have another caption.
                process, window = session.start([session.install_program(name), "-qwindowtitle",
                                                 "Hello", "-reverse", "-platform", "offscreen"])
                self.check_caption(session, window, caption)
                self.check_icon(session, window, name)
                self.check_fixed_size(session, window)
                self.check_states(session, window)
                self.check_centred(session, window)
                self.check_refuses_maximising(session, window)
                self.check_close_ends_program(session, window, process)

    def check_caption(self, session, window, caption):
        title = session.property(window, "_NET_WM_NAME", session.atom("UTF8_STRING"))
        self.assertEqual(title.decode("utf-8"), caption)

    def check_icon(self, session, window, name):
        # _NET_WM_ICON holds images as width, height, then ARGB pixels.
        icon, images = list(session.property(window, "_NET_WM_ICON") or []), {}
        while len(icon) >= 2:
            width, height = icon[:2]
            images[(width, height)] = icon[2:2 + width * height]
            icon = icon[2 + width * height:]
        with Image.open(os.path.join(ASSETS_DIR, name.lower(), "icon-48.png")) as png:
            expected = [0xFF000000 | r << 16 | g << 8 | b for r, g, b in png.convert("RGB").getdata()]
        # A plain comparison: a diff of two 2304-pixel lists takes a minute.
        self.assertTrue(images.get((48, 48)) == expected, f"images of {sorted(images)}")

    def check_fixed_size(self, session, window):
        self.assertEqual(session.client_geometry(window)[2:], CLIENT_SIZE)
        hints = window.get_wm_normal_hints()
        self.assertEqual((hints.min_width, hints.min_height), CLIENT_SIZE)
        self.assertEqual((hints.max_width, hints.max_height), CLIENT_SIZE)

    def check_states(self, session, window):
        states = session.atom_names(session.property(window, "_NET_WM_STATE"))
        self.assertIn("_NET_WM_STATE_ABOVE", states)
        self.assertIn("_NET_WM_STATE_SKIP_TASKBAR", states)
        actions = session.atom_names(session.property(window, "_NET_WM_ALLOWED_ACTIONS"))
        self.assertIn("_NET_WM_ACTION_CLOSE", actions)
        self.assertNotIn("_NET_WM_ACTION_MAXIMIZE_HORZ", actions)
        self.assertNotIn("_NET_WM_ACTION_MAXIMIZE_VERT", actions)
        self.assertNotIn("_NET_WM_ACTION_RESIZE", actions)
        motif = session.property(window, "_MOTIF_WM_HINTS")
        self.assertTrue(motif[0] & MOTIF_FUNCTIONS)
        self.assertFalse(motif[1] & (MOTIF_FUNCTION_MINIMISE | MOTIF_FUNCTION_MAXIMISE))

    def check_centred(self, session, window):
        def offset_from_centre():
            x, y, width, height = session.client_geometry(window)
            left, right, top, bottom = session.property(window, "_NET_FRAME_EXTENTS")
            return (x - left + (left + width + right) / 2 - SCREEN_SIZE[0] / 2,
                    y - top + (top + height + bottom) / 2 - SCREEN_SIZE[1] / 2)

        # The program centres once more when its frame is known; on a busy
        # machine that may come a moment after the window first shows.
        centred = wait_until(lambda: max(map(abs, offset_from_centre())) <= 1, timeout=5)
        self.assertTrue(centred, offset_from_centre())

    def check_refuses_maximising(self, session, window):
        # What a double-click on the title bar or a desktop's maximise asks for,
        # then a resize as a program would ask for it.
        session.send_to_window_manager(window, "_NET_WM_STATE", [
            1, "_NET_WM_STATE_MAXIMIZED_HORZ", "_NET_WM_STATE_MAXIMIZED_VERT", 1])
        window.configure(width=600, height=600)
        session.window_manager_round_trip()
        self.assertEqual(session.client_geometry(window)[2:], CLIENT_SIZE)
        states = session.atom_names(session.property(window, "_NET_WM_STATE"))
        self.assertFalse({"_NET_WM_STATE_MAXIMIZED_HORZ", "_NET_WM_STATE_MAXIMIZED_VERT"} & states)

    def check_close_ends_program(self, session, window, process):
        # Alt+F4 closes the focused window, as a user would press it. The
        # window manager closes the client it holds focused; on a busy machine
        # it may not have settled that when the activation is seen.
        subprocess.run(["xdotool", "windowactivate", "--sync", str(window.id)],
                       env=session.environment(), check=True)
        session.wait_for_focus(window, process)
        session.key("alt+F4")
        self.assertEqual(session.exit_code(process), 0, session.output(process))


class ScaleChangeTest(unittest.TestCase):
    def test_follows_a_move_to_a_screen_of_another_scale(self):
        # Columns of one pixel, black and white: a picture decoded at the
        # area's device pixels shows them as they are; one decoded at 300 px
        # and stretched shows grey.
        stripes = Image.new("L", (600, 600))
        stripes.putdata([255 * (x % 2) for _ in range(600) for x in range(600)])
        with X11Session(screen_size=(2048, 1200)) as session:
            session.set_monitors(("left", 1024, 1200, 0, 0), ("right", 1024, 1200, 1024, 0))
            program = session.install_program("Qelview", {"Qel/0.jpg": stripes.convert("RGB")})
            process, window = session.start(program, QT_SCREEN_SCALE_FACTORS="left=1;right=2")
            self.assertEqual(session.client_geometry(window)[2:], CLIENT_SIZE)

            subprocess.run(["xdotool", "windowmove", str(window.id), "1200", "100"],
                           env=session.environment(), check=True)
            size = wait_for(lambda: session.client_geometry(window)[2:], lambda s: s == (598, 864))
            self.assertEqual(size, (598, 864), session.output(process))

            def shown():
                x, y, _, _ = session.client_geometry(window)
                return session.screenshot().crop((x, y, x + 598, y + 864)).convert("RGB")

            # Columns 100 to 107 of the picture, and the description's pink
            # within its box, (32, 607) to (561, 726) at this scale, give or
            # take the pixel that Qt's whole logical pixels round to, and not
            # beyond it.
            def scale_two_drawing(image):
                return ([image.getpixel((x, 300))[0] > 128 for x in range(100, 108)],
                        [image.getpixel(p) == PINK for p in ((560, 609), (560, 725), (33, 725))],
                        [image.getpixel(p) == PINK for p in ((30, 700), (563, 700), (300, 605),
                                                             (300, 729))])

            expected = ([False, True] * 4, [True] * 3, [False] * 4)
            self.assertEqual(wait_for(lambda: scale_two_drawing(shown()),
                                      lambda seen: seen == expected), expected)

            subprocess.run(["xdotool", "windowmove", str(window.id), "100", "100"],
                           env=session.environment(), check=True)
            size = wait_for(lambda: session.client_geometry(window)[2:], lambda s: s == CLIENT_SIZE)
            self.assertEqual(size, CLIENT_SIZE, session.output(process))


class StaysOnTopTest(unittest.TestCase):
    def test_stays_above_an_active_window(self):
        with X11Session() as session:
            _, window = session.start(session.install_program("Qelview"))
            session.launch(["xmessage", "-geometry", "800x700+0+0", "cover"])
            cover_window = wait_until(lambda: session.window_of_class("xmessage"))
            self.assertIsNotNone(cover_window,
                                 [window.get_wm_class() for window in session.client_windows()])
            subprocess.run(["xdotool", "windowactivate", "--sync", str(cover_window.id)],
                           env=session.environment(), check=True)
            # Restacking follows the activation; read it once that is done.
            session.window_manager_round_trip()
            stacking = list(session.property(session.display.screen().root,
                                             "_NET_CLIENT_LIST_STACKING"))
            self.assertGreater(stacking.index(window.id), stacking.index(cover_window.id))


if __name__ == "__main__":
    unittest.main()
