"""On a Wayland desktop a program runs on X11 (XWayland) where an X server
answers, since only X11 lets its window stay on top, and on Wayland where none
does: under a Weston without screens, its own log of the Wayland requests it
sends shows its window and a picture of it."""

import contextlib
import os
import shutil
import subprocess
import tempfile
import unittest

from x11_session import PROGRAM_DIR, X11Session, wait_until


@contextlib.contextmanager
def weston(env):
    """A Weston without screens on the socket 'wayland-test' in env's runtime folder."""
    process = subprocess.Popen(["weston", "--backend=headless-backend.so",
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
    def test_shows_its_window_on_wayland(self):
        with tempfile.TemporaryDirectory() as folder, open(os.path.join(folder, "log"), "w+b") as log:
            env = {key: value for key, value in os.environ.items()
                   if not key.startswith(("QT_", "WAYLAND_", "DBUS_", "DISPLAY"))}
            env.update(XDG_RUNTIME_DIR=folder, XDG_SESSION_TYPE="wayland")
            unused = next(n for n in range(90, 999) if not os.path.exists(f"/tmp/.X11-unix/X{n}"))
            program = None
            with weston(env) as socket:
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
