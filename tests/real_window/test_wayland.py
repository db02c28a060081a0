"""A program on a Wayland desktop whose DISPLAY names no X server: it runs on
Wayland. The compositor is Weston without any output device; what the program
does there is read from its own log of the Wayland requests it sends."""

import os
import shutil
import subprocess
import tempfile
import unittest

from x11_session import PROGRAM_DIR, wait_until


class WaylandWithoutXTest(unittest.TestCase):
    def test_shows_its_window_on_wayland(self):
        with tempfile.TemporaryDirectory(prefix="viewer-wayland-") as folder:
            runtime = os.path.join(folder, "runtime")
            os.mkdir(runtime, 0o700)
            program = os.path.join(folder, "Qelview")
            shutil.copy2(os.path.join(PROGRAM_DIR, "Qelview"), program)
            env = {key: value for key, value in os.environ.items()
                   if not key.startswith(("QT_", "WAYLAND_", "DBUS_", "AT_SPI_", "DISPLAY"))}
            env.update(XDG_RUNTIME_DIR=runtime, XDG_SESSION_TYPE="wayland")
            unused = next(n for n in range(90, 200)
                          if not os.path.exists(f"/tmp/.X11-unix/X{n}")
                          and not os.path.exists(f"/tmp/.X{n}-lock"))
            processes = []
            try:
                processes.append(subprocess.Popen(
                    ["weston", "--backend=headless-backend.so", "--socket=wayland-test",
                     "--idle-time=0"], env=env, stdout=subprocess.DEVNULL,
                    stderr=subprocess.DEVNULL))
                socket = os.path.join(runtime, "wayland-test")
                self.assertTrue(wait_until(lambda: os.path.exists(socket)), "Weston did not start")
                log = open(os.path.join(folder, "program.log"), "w+b")
                processes.append(subprocess.Popen(
                    [program], env=dict(env, WAYLAND_DISPLAY="wayland-test",
                                        DISPLAY=f":{unused}", WAYLAND_DEBUG="client"),
                    stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT))

                def output():
                    log.seek(0)
                    return log.read().decode(errors="replace")

                # A window with its caption, and a picture of it handed to the
                # compositor.
                shown = wait_until(lambda: 'xdg_toplevel' in output()
                                   and 'set_title("Qel式Velisa")' in output()
                                   and ".attach(wl_buffer@" in output()
                                   or processes[-1].poll() is not None)
                self.assertIsNone(processes[-1].poll(), output())
                self.assertTrue(shown, output())
            finally:
                for process in reversed(processes):
                    process.terminate()
                    try:
                        process.wait(timeout=5)
                    except subprocess.TimeoutExpired:
                        process.kill()
                        process.wait()


if __name__ == "__main__":
    unittest.main()
