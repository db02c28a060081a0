"""A throwaway X server with a real window manager, and the programs in it.

Each test copies a built program into a temporary folder of its own, with the
picture folder it needs beside it, starts it under Xvfb and openbox, and looks
at it from outside the process, the way a desktop does. Everything started is
stopped again, also when a test fails.
"""

import os
import shutil
import signal
import subprocess
import tempfile
import time

from PIL import Image, ImageGrab
from Xlib import X, Xatom, display as xdisplay

PROGRAM_DIR = os.environ.get("VIEWERS_PROGRAM_DIR", "")
SCREEN_SIZE = (1024, 768)


def wait_until(condition, timeout=10.0, interval=0.05):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(interval)
    return condition()


class X11Session:
    def __init__(self):
        self._processes = []
        self._folder = tempfile.TemporaryDirectory(prefix="viewer-x11-")
        self.display_name = None
        self.display = None

    def __enter__(self):
        self._start_server()
        self._start_window_manager()
        return self

    def __exit__(self, *exc):
        if self.display is not None:
            self.display.close()
            self.display = None
        for process in reversed(self._processes):
            if process.poll() is None:
                process.send_signal(signal.SIGTERM)
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        self._folder.cleanup()
        return False

    @property
    def folder(self):
        return self._folder.name

    def _start_server(self):
        read_end, write_end = os.pipe()
        width, height = SCREEN_SIZE
        server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self._processes.append(server)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.display_name = ":" + number
        self.display = xdisplay.Display(self.display_name)

    def _start_window_manager(self):
        self._processes.append(subprocess.Popen(
            ["openbox", "--sm-disable"], env=self.environment(),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        root = self.display.screen().root
        check = self.display.intern_atom("_NET_SUPPORTING_WM_CHECK")
        if not wait_until(lambda: root.get_full_property(check, X.AnyPropertyType)):
            raise RuntimeError("openbox did not start")

    def environment(self, **extra):
        env = {key: value for key, value in os.environ.items()
               if not key.startswith(("QT_", "WAYLAND_"))}
        env.update(DISPLAY=self.display_name, XDG_SESSION_TYPE="x11")
        env.update(extra)
        return env

    def install_program(self, name, pictures=None):
        """Copies the program into a folder of its own; pictures maps a
        relative path such as 'Qel/0.jpg' to a PIL image or to bytes."""
        folder = os.path.join(self.folder, name)
        os.makedirs(folder)
        target = os.path.join(folder, name)
        shutil.copy2(os.path.join(PROGRAM_DIR, name), target)
        for relative, content in (pictures or {}).items():
            path = os.path.join(folder, relative)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            if isinstance(content, Image.Image):
                content.save(path, "JPEG", quality=100, subsampling=0)
            else:
                with open(path, "wb") as file:
                    file.write(content)
        return target

    def start(self, program_path, **env):
        process = subprocess.Popen([program_path], env=self.environment(**env),
                                   stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        self._processes.append(process)
        window = wait_until(lambda: self.window_of(process.pid))
        if window is None:
            process.kill()
            raise RuntimeError("the program showed no window: " + process.communicate()[1].decode(errors="replace"))
        # Settled once the window manager has framed it and it is drawn.
        wait_until(lambda: self.property(window, "_NET_FRAME_EXTENTS"))
        wait_until(lambda: self.is_active(window), timeout=3)
        time.sleep(0.3)
        return process, window

    def client_windows(self):
        root = self.display.screen().root
        clients = root.get_full_property(self.atom("_NET_CLIENT_LIST"), Xatom.WINDOW)
        return [self.display.create_resource_object("window", w) for w in clients.value] if clients else []

    def window_of(self, pid):
        for window in self.client_windows():
            owner = self.property(window, "_NET_WM_PID")
            if owner and owner[0] == pid:
                return window
        return None

    def is_active(self, window):
        active = self.property(self.display.screen().root, "_NET_ACTIVE_WINDOW")
        return bool(active) and active[0] == window.id

    def has_input_focus(self, window):
        """True when keys typed now go to this window or one inside it."""
        focus = self.display.get_input_focus().focus
        root = self.display.screen().root.id
        while not isinstance(focus, int) and focus.id not in (X.NONE, root):
            if focus.id == window.id:
                return True
            focus = focus.query_tree().parent
        return False

    def window_of_class(self, class_name):
        for window in self.client_windows():
            names = window.get_wm_class()
            if names and class_name in names:
                return window
        return None

    def atom(self, name):
        return self.display.intern_atom(name)

    def atom_names(self, values):
        return {self.display.get_atom_name(value) for value in values}

    def property(self, window, name, kind=X.AnyPropertyType):
        self.display.sync()
        reply = window.get_full_property(self.atom(name), kind)
        return None if reply is None else reply.value

    def client_geometry(self, window):
        """The client area's position on the root window and its size."""
        geometry = window.get_geometry()
        origin = window.translate_coords(self.display.screen().root, 0, 0)
        return -origin.x, -origin.y, geometry.width, geometry.height

    def screenshot(self):
        self.display.sync()
        return ImageGrab.grab(xdisplay=self.display_name)

    def key(self, *keys):
        subprocess.run(["xdotool", "key", "--delay", "50", *keys], env=self.environment(),
                       check=True)
        time.sleep(0.3)
