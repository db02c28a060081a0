"""On a Wayland desktop a program runs on X11 (XWayland) where an X server
answers, since only X11 lets its window stay on top, and on Wayland where none
does: under a Weston, its own log of the Wayland requests it sends shows its
window, a picture of it, and its size again after a maximise."""

import contextlib
import os
import re
import shutil
import subprocess
import tempfile
import unittest

from x11_session import PROGRAM_DIR, X11Session, wait_until


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
    def test_shows_its_window_on_wayland_and_survives_a_maximise(self):
        # Weston's screen is an X window that takes clicks; one pixel larger than Qt's frame of
        # 3/30/3/3 around the form's 299x432, it leaves Weston no place for it but the corner.
        with tempfile.TemporaryDirectory() as folder, open(os.path.join(folder, "log"), "w+b") as log, \
                X11Session(False, window_manager=False) as x11:
            env = {key: value for key, value in os.environ.items()
                   if not key.startswith(("QT_", "WAYLAND_", "DBUS_", "DISPLAY"))}
            env.update(XDG_RUNTIME_DIR=folder, XDG_SESSION_TYPE="wayland")
            unused = next(n for n in range(90, 999) if not os.path.exists(f"/tmp/.X11-unix/X{n}"))
            program = None
            x11_env = dict(env, DISPLAY=x11.display_name)
            with open(os.path.join(folder, "weston.ini"), "w") as config:
                config.write("[shell]\npanel-position=none\n")
            with weston(x11_env, "--backend=x11-backend.so", "--use-pixman", "--width=306",
                        "--height=466", "--config=" + os.path.join(folder, "weston.ini")) as socket:
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
                    # Until one click on the maximise button, second from the right, arrives.
                    click = ["xdotool", "mousemove", "265", "15", "click", "1"]
                    wait_until(lambda: ".set_maximized()" in read()
                               or not subprocess.run(click, env=x11_env), timeout=20, interval=2)
                    back = re.compile(r"set_maximized\(\).*configure\(306, 466, .*unset_maximized\("
                                      r"\).*configure\(0, 0, .*geometry\(0, 0, 305, 465\).*commit", re.S)
                    wait_until(lambda: program.poll() is not None or back.search(read()))
                    self.assertRegex(read(), back)
                    self.assertIsNone(program.poll(), read())
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
