"""On a Wayland desktop a program runs on X11 (XWayland) where an X server
answers, since only X11 lets its window stay on top, and on Wayland where none
does: under a Weston, its own log of the Wayland requests it sends shows its
window, a picture of it with a title strip that offers no maximise, and its
size again after a maximise."""

import contextlib
import os
import re
import shutil
import subprocess
import tempfile
import unittest

from x11_session import PROGRAM_DIR, X11Session, wait_for, wait_until


@contextlib.contextmanager
def weston(env, *options):
    """A Weston, headless unless options say, on the socket 'wayland-test' in env's runtime folder."""
    process = subprocess.Popen(["weston", "--backend=headless-backend.so", *options,
                                "--socket=wayland-test"], env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        if not wait_until(lambda: os.path.exists(env["XDG_RUNTIME_DIR"] + "/wayland-test")):
            raise RuntimeError("weston did not start")
        yield "wayland-test"
    finally:
        process.terminate()
        process.wait(timeout=10)


class WaylandTest(unittest.TestCase):
    def test_shows_its_window_on_wayland_offers_no_maximise_and_survives_one(self):
        # Weston's screen is an X window that takes clicks; one pixel larger than the window, the
        # form's 299x432 under a title strip 24 high, it leaves Weston no place for it but the corner.
        with tempfile.TemporaryDirectory() as folder, open(os.path.join(folder, "log"), "w+b") as log, \
                X11Session(False, window_manager=False) as x11:
            env = {key: value for key, value in os.environ.items()
                   if not key.startswith(("QT_", "WAYLAND_", "DBUS_", "DISPLAY"))}
            env.update(XDG_RUNTIME_DIR=folder, XDG_SESSION_TYPE="wayland")
            unused = next(n for n in range(90, 999) if not os.path.exists(f"/tmp/.X11-unix/X{n}"))
            program = None
            x11_env = dict(env, DISPLAY=x11.display_name)
            with open(os.path.join(folder, "weston.ini"), "w") as config:
                # No fade-in of the screen, which would tint the first pictures of the window.
                config.write("[shell]\npanel-position=none\nstartup-animation=none\n")
            with weston(x11_env, "--backend=x11-backend.so", "--use-pixman", "--width=300",
                        "--height=457", "--config=" + os.path.join(folder, "weston.ini")) as socket:
                try:
                    shutil.copy2(os.path.join(PROGRAM_DIR, "Qelview"), folder)
                    program = subprocess.Popen(
                        [os.path.join(folder, "Qelview")], stdout=log, stderr=subprocess.STDOUT,
                        env=dict(env, WAYLAND_DISPLAY=socket, DISPLAY=f":{unused}",
                                 WAYLAND_DEBUG="client"))
                    read = lambda: log.seek(0) or log.read().decode(errors="replace")  # noqa: E731
                    wait_until(lambda: program.poll() is not None or ".attach(wl_buffer@" in read())
                    self.assertIsNone(program.poll(), read())
                    self.assertIn('xdg_toplevel@', read())
                    self.assertIn('.set_title("Qel式Velisa")', read())
                    # The desktop entry's id, so that a desktop ties the window to it.
                    self.assertIn('.set_app_id("net.morphviewers.Qelview")', read())
                    self.assertIn(".attach(wl_buffer@", read())
                    # Qt's own title bar had minimise and maximise buttons left of its close button; the
                    # strip has nothing there, and a press anywhere on it left of its close button, the
                    # last 24 pixels, asks Weston to move the window and does nothing else.
                    strip = lambda: x11.screenshot().crop((0, 0, 299, 24))  # noqa: E731
                    # Shown once its close button has both dark and light pixels, unlike Weston's background.
                    shown = wait_for(strip, lambda image: {sum(pixel) < 300 for pixel in image.crop(
                        (275, 0, 299, 24)).getdata()} == {True, False})
                    self.assertEqual(len(set(shown.crop((200, 0, 275, 24)).getdata())), 1)
                    presses = [(x, y) for x in range(275) for y in range(24)]
                    subprocess.run(["xdotool", *(word for x, y in presses for word in (
                        "mousemove", str(x), str(y), "mousedown", "1", "mouseup", "1")),
                        "mousemove", "150", "200"], env=x11_env, check=True)
                    moves = lambda: len(re.findall(r"xdg_toplevel@\d+\.move\(", read()))  # noqa: E731
                    # A press that comes while Weston still holds the last move's grab goes to the grab,
                    # as on any desktop; a slow client (under the sanitizers) sees a few so.
                    wait_until(lambda: program.poll() is not None or moves() >= len(presses), 15)
                    self.assertGreaterEqual(moves(), len(presses) * 99 // 100, read()[-4000:])
                    self.assertNotRegex(read(), r"\.set_(maxi|mini)mized\(")
                    self.assertEqual(wait_for(strip, shown.__eq__).tobytes(), shown.tobytes())
                    # Weston maximises the window from a key of its own; it leaves that state, takes its
                    # own size again and draws.
                    seen = len(read())
                    key = ["xdotool", "key", "super+shift+m"]
                    back = re.compile(r"configure\(300, 457, .*unset_maximized\(\).*configure\(0, 0, .*"
                                      r"geometry\(0, 0, 299, 456\).*commit", re.S)
                    wait_until(lambda: program.poll() is not None or back.search(read(), seen)
                               or not subprocess.run(key, env=x11_env), timeout=20, interval=2)
                    self.assertRegex(read()[seen:], back)
                    self.assertIsNone(program.poll(), read()[-4000:])
                    # The close button ends the program as a closed window does.
                    subprocess.run(["xdotool", "mousemove", "287", "12", "click", "1"], env=x11_env,
                                   check=True)
                    wait_until(lambda: program.poll() is not None)
                    self.assertEqual(program.poll(), 0, read()[-4000:])
                finally:
                    if program:
                        program.terminate()
                        program.wait(timeout=10)

    def test_runs_on_x11_where_its_server_answers(self):
        with X11Session() as session, weston(session.environment()) as socket:
            # start() fails unless the window shows on the X server.
            session.start(session.install_program("Qelview"),
                          XDG_SESSION_TYPE="wayland", WAYLAND_DISPLAY=socket)


if __name__ == "__main__":
    unittest.main()
